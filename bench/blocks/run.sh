#!/bin/bash
# Inserts 10,000 references of a block with five attributes and saves the
# drawing, with this project and with ezdxf (add_auto_attribs), interleaved,
# and prints times (each program's own, insert and save), peak memory and
# the ratios.
# Usage: bench/blocks/run.sh BUILD_DIR [COUNT]
# (BUILD_DIR configured with -DTARVO_BENCH=ON and built.)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source "$here/../common.sh"
build=${1:?usage: $0 BUILD_DIR [COUNT]}
count=${2:-10000}
bench="$build/bin/bench_block_insert"
need_program "$bench" "configure with -DTARVO_BENCH=ON and build"
need_python

compare --time insert_cpu_s+write_cpu_s --goal ezdxf=60 --memory-goal ezdxf=0.2 \
    --what "$count references of a block with 5 attributes, then the save" \
    :: tarvo "$bench" "$work/tarvo.dxf" "$count" \
    :: ezdxf /usr/bin/python3 "$here/ezdxf_blocks.py" "$work/ezdxf.dxf" "$count"
echo "insert / save s (last run): tarvo $(value insert_s "$work/tarvo.out") / $(value write_s "$work/tarvo.out")," \
    "ezdxf $(value insert_s "$work/ezdxf.out") / $(value write_s "$work/ezdxf.out")"
