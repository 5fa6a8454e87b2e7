#!/usr/bin/env bash
# Builds Tarvo and runs its tests, in the build that scripts/demo.sh makes:
# after the demo only the tests are compiled. With --sanitize the build is
# made by clang++ with AddressSanitizer and UndefinedBehaviorSanitizer
# (build-asan, where the DXF reader's fuzz target is built too); with
# --clang by clang++ alone (build-clang). Warnings are errors in every build.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build
flags=()
packages=--tests
if [ "${1:-}" = "--sanitize" ]; then
  build=build-asan
  flags+=(--sanitize)
  packages=--sanitize
elif [ "${1:-}" = "--clang" ]; then
  build=build-clang
  flags+=(-DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang)
  packages=--sanitize
fi
bash scripts/deps.sh "$packages"
bash scripts/configure.sh "$build" "${flags[@]}"
cmake --build "$build" -j "$(nproc)"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp" \
  ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
