#!/usr/bin/env bash
# Makes the packages: the Debian package of cadhost and libquillex.so
# (build/default/package/quillex_*.deb), and the Windows zip with Quillex.dll for x86 and x64
# and its install note (build/win64/package/Quillex-*-windows.zip).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

cmake --preset default
cmake --build --preset default -j 2 --target cadhost quillex
(cd build/default && cpack)

# The zip takes the x86 DLL from the x86 build beside the x64 one.
cmake --preset win32
cmake --build build/win32 -j 2 --target quillex
cmake --preset win64
cmake --build build/win64 -j 2 --target quillex
(cd build/win64 && cpack)
