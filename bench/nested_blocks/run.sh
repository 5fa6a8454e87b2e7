#!/bin/bash
# Nested blocks: P0 holds one polyline of 50,000 vertices, P1 to P5 each
# insert the block below ten times, model space inserts P5 (100,000
# instances of the polyline). Times, in the same run, the whole process of
#   tarvo run --in nested.dxf --out out.dxf --png out.png   (read, write, picture)
# and the same for flat.dxf, the polyline once in model space (the reference),
# interleaved, and prints the ratio. Goal: the nested drawing under 2 s of
# processor time (median; the machine may be shared)
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

whole() {  # name: the console reading, writing and picturing it
    echo "$1" "$tarvo" run --in "$work/$1.dxf" --script "$work/empty.scr" --out "$work/$1-out.dxf" \
        --png "$work/$1-out.png"
}
echo "size of nested.dxf: $(stat -c %s "$work/nested.dxf") bytes"
compare --under nested=2 \
    --what "tarvo run --in DRAWING --out --png (read, write, picture): the nested drawing and the flat one" \
    :: $(whole nested) :: $(whole flat)
sed 's/^/console: /' "$work/nested.out"
