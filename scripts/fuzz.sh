#!/bin/bash
# Builds the DXF reader's fuzz target with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) in the sanitizer build (build-asan by default)
# and runs it on the seed corpus in fuzz/corpus.
# Usage: scripts/fuzz.sh [SECONDS | --runs N] [BUILD_DIR]   (60 seconds by default)
# With --runs the run is N inputs from a fixed seed: the same inputs on every
# machine, which is what CI gives it (a timed run tries whatever it reaches).
# New inputs go to BUILD_DIR/corpus, crashing ones to BUILD_DIR/crashes;
# the exit status is not 0 when an input crashed it. Every input that ever
# crashed it belongs in tests/platform/dxf/DxfReaderFuzzFindingsTest.cpp.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
limit=(-max_total_time="${1:-60}")
fixed=false
if [ "${1:-}" = "--runs" ]; then
    limit=(-runs="${2:?--runs needs a number}" -seed=1)
    fixed=true
    shift 2
else
    shift $(( $# > 0 ? 1 : 0 ))
fi
build=${1:-$root/build-asan}

command -v clang++ >/dev/null || { echo "clang++ is missing (Debian's clang)" >&2; exit 1; }
# The target is built in the sanitizer build, on the platform objects its
# tests use.
bash "$root/scripts/configure.sh" "$build" --sanitize
cmake --build "$build" -j "$(nproc)" --target dxf_reader_fuzz

# A fixed run starts from the seed corpus alone, so that it is the same run anywhere.
corpus="$build/corpus"
if $fixed; then
    corpus="$build/corpus-fixed"
    rm -rf "$corpus"
fi
mkdir -p "$corpus" "$build/crashes"
# The drawings' fonts are looked up in a folder of their own: nothing to find.
export HOME="$build"
"$build/bin/dxf_reader_fuzz" "$corpus" "$root/fuzz/corpus" \
    -dict="$root/fuzz/dxf.dict" \
    "${limit[@]}" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
    -close_fd_mask=1 -print_final_stats=1 \
    -artifact_prefix="$build/crashes/"
