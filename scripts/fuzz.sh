#!/usr/bin/env bash
# Runs each fuzz target under libFuzzer for SECONDS seconds (default 60), one after another.
#   scripts/fuzz.sh [SECONDS] [NAME...]
# NAME picks targets by the name of their seed corpus, tests/fuzz/corpus/NAME/; all by default.
# The build goes to build/fuzz (clang, -DQX_FUZZ=ON). New inputs that libFuzzer finds are kept
# in build/fuzz/work/NAME/, inputs that break a target in build/fuzz/work/crashes/. Once the
# fault is mended, copy such an input into the target's seed corpus so it is replayed for good.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
build=$root/build/fuzz
work=$build/work

# clang and its runtime libraries (libFuzzer and the sanitizers).
missing=()
command -v clang++ >/dev/null 2>&1 || missing+=(clang)
dpkg-query -W -f='${Status}' libclang-rt-14-dev 2>/dev/null | grep -q "install ok installed" ||
  missing+=(libclang-rt-14-dev)
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

if [ $# -gt 0 ]; then
  names=("$@")
else
  names=()
  for dir in "$root"/tests/fuzz/corpus/*/; do names+=("$(basename "$dir")"); done
fi

launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DQX_FUZZ=ON -DQX_BENCH=OFF \
  "${launcher[@]}" >/dev/null
cmake --build "$build" -j 2 --target "${names[@]/#/fuzz_}"

mkdir -p "$work/crashes"
failed=()
for name in "${names[@]}"; do
  echo "== fuzz_$name for ${seconds}s"
  mkdir -p "$work/$name"
  # The first folder receives what libFuzzer finds; the seed corpus in the tree is only read.
  if ! "$build/tests/fuzz/fuzz_$name" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$work/crashes/$name-" "$work/$name" "$root/tests/fuzz/corpus/$name"; then
    failed+=("$name")
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz targets that failed: ${failed[*]}; their inputs are in $work/crashes/" >&2
  exit 1
fi
echo "all fuzz targets ran for ${seconds}s without a fault"
