#!/bin/bash
# Reads the 100,000-polyline file of the writing benchmark with this
# project, dxflib and ezdxf, interleaved, and prints the reading times
# (each program's own processor time for the read), peak memory and the
# ratios.
# Usage: bench/dxf_read/run.sh BUILD_DIR [COUNT]
# (BUILD_DIR configured with -DTARVO_BENCH=ON and built; dxflib's reader is
# there when Debian's libdxflib-dev was installed.)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source "$here/../common.sh"
build=${1:?usage: $0 BUILD_DIR [COUNT]}
count=${2:-100000}
need_program "$build/bin/bench_dxf_write" "configure with -DTARVO_BENCH=ON and build"
need_program "$build/bin/bench_dxf_read" "configure with -DTARVO_BENCH=ON and build"
need_python
"$build/bin/bench_dxf_write" "$work/poly.dxf" "$count" >/dev/null

sides=(:: tarvo "$build/bin/bench_dxf_read" "$work/poly.dxf")
goals=(--goal ezdxf=100)
if [ -x "$build/bin/bench_dxflib_read" ]; then
    sides+=(:: dxflib "$build/bin/bench_dxflib_read" "$work/poly.dxf")
    goals+=(--goal dxflib=10 --memory-goal dxflib=1)
else
    echo "dxflib: not built (install Debian's libdxflib-dev and configure again)"
fi
sides+=(:: ezdxf /usr/bin/python3 "$here/ezdxf_read.py" "$work/poly.dxf")

size=$(stat -c %s "$work/poly.dxf")
compare --time read_cpu_s "${goals[@]}" \
    --what "$count polylines of 4 vertices, $(awk -v s="$size" 'BEGIN { printf "%.1f", s / 1e6 }') MB of DXF, read" \
    "${sides[@]}"
