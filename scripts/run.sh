#!/usr/bin/env bash
# The main job: the stand-in host runs its built-in demo on the sample drawing and prints the
# transcript. Extra arguments go to cadhost (for example --scenario FILE).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh >/dev/null
cmake --preset default >/dev/null
cmake --build --preset default -j 2 --target cadhost quillex >/dev/null
exec build/default/cadhost/cadhost "$@"
