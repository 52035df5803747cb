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

# x86: the DLLs whose tables are checked (Quillex.dll too once the build defines it), and the
# layers below them; nothing of x86 can run here.
cmake --preset win32
targets=(probe_macro pe_fixture qx_platform qx_binding)
if ninja -C build/win32 -t targets all 2>/dev/null | grep -q '^quillex:'; then
    targets+=(quillex)
fi
cmake --build build/win32 -j 2 --target "${targets[@]}"
ctest --test-dir build/win32 -L static --output-on-failure
