#!/usr/bin/env bash
# The main job: the stand-in host runs its built-in demo on the sample drawing and prints the
# transcript, with or without a display. Arguments go to cadhost instead (for example
# --scenario FILE, or a drawing FILE to open in the window).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh >/dev/null
cmake --preset default >/dev/null
cmake --build --preset default -j 2 --target cadhost quillex >/dev/null
if [ $# -eq 0 ]; then
  set -- --demo
fi
exec build/default/cadhost/cadhost "$@"
