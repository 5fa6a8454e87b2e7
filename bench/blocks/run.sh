#!/bin/bash
# Inserts 10,000 references of a block with five attributes and saves the
# drawing, with this project and with ezdxf (add_auto_attribs) in the same
# run, and prints times, peak memory and the ratios.
# Usage: bench/blocks/run.sh BUILD_DIR [COUNT]
# (BUILD_DIR configured with -DTARVO_BENCH=ON and built.)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source "$(dirname "$0")/../common.sh"
build=${1:?usage: $0 BUILD_DIR [COUNT]}
count=${2:-10000}
bench="$build/bin/bench_block_insert"
need_program "$bench" "configure with -DTARVO_BENCH=ON and build"
need_python

/usr/bin/time -v "$bench" "$work/tarvo.dxf" "$count" >"$work/tarvo.out" 2>"$work/tarvo.time"
/usr/bin/time -v /usr/bin/python3 "$here/ezdxf_blocks.py" "$work/ezdxf.dxf" "$count" >"$work/ezdxf.out" 2>"$work/ezdxf.time"

awk -v n="$count" -v ti="$(value insert_s "$work/tarvo.out")" -v tw="$(value write_s "$work/tarvo.out")" \
    -v ei="$(value insert_s "$work/ezdxf.out")" -v ew="$(value write_s "$work/ezdxf.out")" \
    -v tp="$(peak_kb "$work/tarvo.time")" -v ep="$(peak_kb "$work/ezdxf.time")" 'BEGIN {
    printf "%d references of a block with 5 attributes, then the save\n", n
    printf "%-8s %10s %10s %10s %12s\n", "", "insert s", "save s", "total s", "peak MB"
    printf "%-8s %10.4f %10.4f %10.4f %12.1f\n", "tarvo", ti, tw, ti + tw, tp / 1024
    printf "%-8s %10.4f %10.4f %10.4f %12.1f\n", "ezdxf", ei, ew, ei + ew, ep / 1024
    printf "insert and save: tarvo is %.1f times faster than ezdxf (goal: at least 30)\n", (ei + ew) / (ti + tw)
    printf "peak memory: tarvo uses %.3f of ezdxf'"'"'s (goal: at most 0.2)\n", tp / ep
}'
