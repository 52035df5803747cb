#!/usr/bin/env bash
# Makes the README's picture of the window (docs/screenshot.png): the sample drawing in the
# middle of a confirm-each run. It runs cadhost under Xvfb, or on Qt's offscreen platform with
# --offscreen (also when xvfb-run is missing). The two pictures look the same.
#
#   scripts/screenshot.sh [--offscreen] [--output FILE]
set -euo pipefail
cd "$(dirname "$0")/.."

platform=xvfb
output=docs/screenshot.png
while [ $# -gt 0 ]; do
  case "$1" in
    --offscreen) platform=offscreen ;;
    --output) output="$2"; shift ;;
    *) echo "usage: scripts/screenshot.sh [--offscreen] [--output FILE]" >&2; exit 2 ;;
  esac
  shift
done

bash scripts/setup.sh >/dev/null
cmake --preset default >/dev/null
cmake --build --preset default -j 2 --target cadhost quillex >/dev/null

cadhost=build/default/cadhost/cadhost
args=(--screenshot "$output" --scenario scripts/screenshot.scn)
if [ "$platform" = xvfb ] && command -v xvfb-run >/dev/null; then
  # A screen larger than the window, so that nothing of it is cut off.
  env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1600x1000x24" "$cadhost" "${args[@]}"
else
  QT_QPA_PLATFORM=offscreen "$cadhost" "${args[@]}"
fi
echo "wrote $output"
