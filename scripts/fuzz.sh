#!/bin/bash
# Builds the DXF reader's fuzz target with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs it on the seed corpus in fuzz/corpus.
# Usage: scripts/fuzz.sh [SECONDS] [BUILD_DIR]     (60 seconds by default)
# New inputs go to BUILD_DIR/corpus, crashing ones to BUILD_DIR/crashes;
# the exit status is not 0 when an input crashed it. Every input that ever
# crashed it belongs in tests/platform/dxf/DxfReaderFuzzFindingsTest.cpp.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build=${2:-$root/build-fuzz}

command -v clang++ >/dev/null || { echo "clang++ is missing (Debian's clang)" >&2; exit 1; }
cmake -S "$root/fuzz" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2

mkdir -p "$build/corpus" "$build/crashes"
# The drawings' fonts are looked up in a folder of their own: nothing to find.
export HOME="$build"
"$build/dxf_reader_fuzz" "$build/corpus" "$root/fuzz/corpus" \
    -dict="$root/fuzz/dxf.dict" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
    -close_fd_mask=1 -print_final_stats=1 \
    -artifact_prefix="$build/crashes/"
