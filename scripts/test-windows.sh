#!/usr/bin/env bash
# Builds and tests the Windows DLLs: the x64 build and its tests under 64-bit Wine (the tests
# that show windows under Xvfb), then the x86 build and its static checks (32-bit Wine cannot
# run here; see docs/windows.md). The Wine server of each prefix is stopped at the end, also
# after a failure.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

stop_wine() {
    WINEPREFIX=$root/build/win64/wineprefix wineserver -k 2>/dev/null || true
}
trap stop_wine EXIT

cmake --preset win64
cmake --build --preset win64 -j 2
ctest --preset win64 -j 2 -LE gui
bash scripts/win32-gui-tests.sh "$root/build/win64"

# x86: everything is built (so the x86 code is compiled as the 32-bit host needs it) and the
# DLLs' tables are checked; nothing of x86 can run here.
cmake --preset win32
cmake --build build/win32 -j 2
ctest --test-dir build/win32 -L static --output-on-failure

# The zip users install from: both DLLs and the note.
(cd build/win64 && cpack -G ZIP >/dev/null)
bash scripts/check-package.sh zip build/win64/package/Quillex-*-windows.zip
