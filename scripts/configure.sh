#!/usr/bin/env bash
# Configures a build folder as every script and CI builds it: Ninja, and
# warnings as errors, so that the demo's build and the tests' are one.
# --sanitize makes it the sanitizer build (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, the DXF reader's fuzz target), which
# scripts/test.sh --sanitize and scripts/fuzz.sh share.
# Usage: scripts/configure.sh BUILD_DIR [--sanitize] [CMAKE_OPTION]...
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?which build folder}
shift
if [ "${1:-}" = "--sanitize" ]; then
  shift
  set -- -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DTARVO_SANITIZE=ON -DTARVO_FUZZ=ON \
    -DCMAKE_BUILD_TYPE=Debug "$@"
fi
cmake -S . -B "$build" -G Ninja -DTARVO_WERROR=ON "$@" >/dev/null
