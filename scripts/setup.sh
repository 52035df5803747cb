#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian machine.
# Safe to run again: it only calls apt-get when a package is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev
  libpcre2-dev nlohmann-json3-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core clang-format
  xvfb xauth
  python3-ezdxf  # the reference reader of the DXF tests, run by /usr/bin/python3
  ccache
  file dpkg-dev  # the packages: dpkg-shlibdeps finds the Debian package's dependencies
  # The Windows build: MinGW-w64 for x64 and x86 (posix threads), and Wine to run its tests.
  # Only 64-bit Wine: 32-bit Linux programs (wine32) cannot run on every kernel, and where
  # wine32 is installed but cannot run, the wine command fails for 64-bit programs too.
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine wine64
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
