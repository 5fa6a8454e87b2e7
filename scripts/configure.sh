#!/usr/bin/env bash
# Configures a build folder as every script and CI builds it: Ninja, and
# warnings as errors, so that the demo's build and the tests' are one.
# Usage: scripts/configure.sh BUILD_DIR [CMAKE_OPTION]...
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?which build folder}
shift
cmake -S . -B "$build" -G Ninja -DTARVO_WERROR=ON "$@" >/dev/null
