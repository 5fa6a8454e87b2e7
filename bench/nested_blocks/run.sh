#!/bin/bash
# Nested blocks: P0 holds one polyline of 50,000 vertices, P1 to P5 each
# insert the block below ten times, model space inserts P5 (100,000
# instances of the polyline). Times, in the same run, the whole process of
#   tarvo run --in nested.dxf --out out.dxf --png out.png   (read, write, picture)
# and the same for flat.dxf, the polyline once in model space (the reference),
# and prints the ratio. Goal: the nested drawing under 2 s.
# Usage: bench/nested_blocks/run.sh BUILD_DIR
# (BUILD_DIR configured with -DTARVO_BENCH=ON and built.)
set -euo pipefail
source "$(dirname "$0")/../common.sh"

build=${1:?usage: $0 BUILD_DIR}
bench="$build/bin/bench_nested_blocks"
tarvo="$build/bin/tarvo"
need_program "$bench" "configure with -DTARVO_BENCH=ON and build"
need_program "$tarvo"
"$bench" "$work" | tee "$work/bench.out"
: >"$work/empty.scr"

whole() {
    /usr/bin/time -v "$tarvo" run --in "$work/$1.dxf" --script "$work/empty.scr" --out "$work/$1-out.dxf" \
        --png "$work/$1-out.png" >"$work/$1.console" 2>"$work/$1.time" || { cat "$work/$1.time" >&2; exit 1; }
    wall_seconds "$work/$1.time"
}
nested=$(whole nested)
flat=$(whole flat)
echo "size of nested.dxf: $(stat -c %s "$work/nested.dxf") bytes"
awk -v n="$nested" -v f="$flat" 'BEGIN {
    printf "%-46s %8.3f s (goal: under 2 s)\n", "tarvo run nested.dxf (read, write, picture)", n
    printf "%-46s %8.3f s\n", "tarvo run flat.dxf (the reference)", f
    printf "the nested drawing takes %.1f times as long as the flat one\n", n / f
}'
sed 's/^/console: /' "$work/nested.console"
