#!/usr/bin/env bash
# Runs the Windows tests that show windows (CTest label "gui") under Wine on a virtual X
# display: `win32-gui-tests.sh [BUILD_DIR] [CTEST ARGS...]` (default build/win64).
#
# The display is Xvfb's own, started for this run and gone with it; the Wine server of the
# build's prefix is stopped at the end so that no process outlives the run.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/win64}
shift || true

export WINEPREFIX=${QX_WINE_PREFIX:-$build/wineprefix}
# A Wine server left from tests without a display would keep serving its display-less desktop
# to the programs here, and they could create no window: it is stopped first.
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
status=0
xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24" \
    ctest --test-dir "$build" -L gui --output-on-failure "$@" || status=$?
WINEPREFIX=$WINEPREFIX wineserver -k 2>/dev/null || true
exit $status
