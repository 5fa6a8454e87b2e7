#!/bin/bash
# Writes 100,000 four-vertex polylines as DXF with this project and with
# ezdxf, interleaved, and prints the writing times (each program's own
# figure), peak memory and the ratios.
# Usage: bench/run_dxf_write.sh BUILD_DIR [COUNT]
# (BUILD_DIR configured with -DTARVO_BENCH=ON and built.)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh"
build=${1:?usage: $0 BUILD_DIR [COUNT]}
count=${2:-100000}
bench="$build/bin/bench_dxf_write"
need_program "$bench" "configure with -DTARVO_BENCH=ON and build"
need_python

compare --time write_cpu_s --goal ezdxf=100 --memory-goal ezdxf=0.1 \
    --what "$count polylines of 4 vertices written as DXF (the drawing built first, not timed; processor time of the write)" \
    :: tarvo "$bench" "$work/tarvo.dxf" "$count" \
    :: ezdxf /usr/bin/python3 "$here/ezdxf_write.py" "$work/ezdxf.dxf" "$count"
echo "files: tarvo $(stat -c %s "$work/tarvo.dxf") bytes, ezdxf $(stat -c %s "$work/ezdxf.dxf") bytes;" \
    "building the drawing: tarvo $(value build_s "$work/tarvo.out") s, ezdxf $(value build_s "$work/ezdxf.out") s"
