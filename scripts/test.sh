#!/usr/bin/env bash
# Builds everything and runs every test: the unit tests and the scenarios through the real
# cadhost and macro library, then the unit tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer, then the Windows DLLs (scripts/test-windows.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

cmake --preset ci
cmake --build --preset ci -j 2
ctest --preset ci -j 2
# The Debian package of cadhost and the macro library.
(cd build/default && cpack -G DEB >/dev/null)
bash scripts/check-package.sh deb build/default/package/quillex_*.deb

cmake --preset asan
cmake --build --preset asan -j 2
ctest --preset asan -j 2

bash scripts/test-windows.sh
