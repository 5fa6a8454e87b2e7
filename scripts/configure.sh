#!/usr/bin/env bash
# Configures a build folder as every script and CI builds it: Ninja, and
# warnings as errors, so that the demo's build and the tests' are one.
# Debug information is line tables only (-g1): backtraces, sanitizer reports
# and profiles keep their files and lines, and a build takes a third less
# processor time than with full debug information. To step through the code
# in a debugger, configure a folder of your own (docs/building.md).
# --sanitize makes it the sanitizer build (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, the DXF reader's fuzz target), which
# scripts/test.sh --sanitize and scripts/fuzz.sh share.
# Usage: scripts/configure.sh BUILD_DIR [--sanitize] [CMAKE_OPTION]...
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?which build folder}
shift
flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG"
  -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG")
if [ "${1:-}" = "--sanitize" ]; then
  shift
  flags=(-DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DTARVO_SANITIZE=ON -DTARVO_FUZZ=ON
    -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DCMAKE_C_FLAGS_DEBUG=-g1)
fi
cmake -S . -B "$build" -G Ninja -DTARVO_WERROR=ON "${flags[@]}" "$@" >/dev/null
