#!/usr/bin/env bash
# Runs a Windows program of the build under Wine: `wine-run.sh PROGRAM.exe [ARGS...]`.
#
# The Wine prefix lives inside the build folder (found as the nearest folder above the program
# that holds CMakeCache.txt, or QX_WINE_PREFIX), so builds never share or touch ~/.wine. The
# program's output goes to files first and is printed when it ends: the Wine server outlives
# the program and would keep an inherited pipe open, so a caller that reads our output to its
# end (CTest, a shell pipe) would wait for the server instead of the program.
set -uo pipefail

program=$1
shift

find_build_dir() {
    local dir
    dir=$(cd "$(dirname "$1")" && pwd)
    while [ "$dir" != / ]; do
        [ -f "$dir/CMakeCache.txt" ] && { echo "$dir"; return; }
        dir=$(dirname "$dir")
    done
    echo "${TMPDIR:-/tmp}"
}

build_dir=$(find_build_dir "$program")
export WINEPREFIX=${QX_WINE_PREFIX:-$build_dir/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
# No desktop integration, no Mono or Gecko installers: a test prefix needs none of them.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml,winemenubuilder.exe=}

# A new prefix is made once, before any program runs in it: programs started side by side
# (ctest -j) would otherwise each try to make it and race for its Wine server.
#
# Its windows are not left to a window manager: there is none on the virtual display of the tests
# (Xvfb), and Wine would wait up to two seconds for one each time it hides a managed window.
unmanaged='"Managed"="N"'
if [ ! -f "$WINEPREFIX/system.reg" ] || ! grep -q "$unmanaged" "$WINEPREFIX/user.reg" 2>/dev/null; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        [ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1 </dev/null
        if ! grep -q "$unmanaged" "$WINEPREFIX/user.reg" 2>/dev/null; then
            wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
            # The server writes the registry to the prefix when it ends.
            wineserver -w
        fi
    ) 9>"$WINEPREFIX.lock"
fi

out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
wine "$program" "$@" >"$out" 2>"$err" </dev/null
status=$?
cat "$out"
# Wine's own notes about the prefix are noise in a test log; the program's errors are kept.
grep -v -e '^wine: created the configuration directory' -e '^wine: configuration in .* has been updated' \
    -e 'wine: failed to open .*rundll32.exe' -e '^0[0-9a-f]*:err:' -e '^0[0-9a-f]*:fixme:' "$err" >&2
exit $status
