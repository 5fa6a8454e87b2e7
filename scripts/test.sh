#!/usr/bin/env bash
# Builds Tarvo and runs its tests. With --sanitize the build uses
# AddressSanitizer and UndefinedBehaviorSanitizer; with --clang it is made
# by clang++ instead of g++, whose warnings it also treats as errors.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
build=build
flags=(-DTARVO_WERROR=ON)
if [ "${1:-}" = "--sanitize" ]; then
  build=build-asan
  flags+=(-DTARVO_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
elif [ "${1:-}" = "--clang" ]; then
  build=build-clang
  flags+=(-DCMAKE_CXX_COMPILER=clang++)
fi
cmake -S . -B "$build" -G Ninja "${flags[@]}"
cmake --build "$build" -j "$(nproc)"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
