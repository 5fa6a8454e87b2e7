#!/bin/bash
# Writes 100,000 four-vertex polylines as DXF with this project and with
# ezdxf in the same run, and prints times, peak memory and the ratios.
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

/usr/bin/time -v "$bench" "$work/tarvo.dxf" "$count" >"$work/tarvo.out" 2>"$work/tarvo.time"
/usr/bin/time -v /usr/bin/python3 "$here/ezdxf_write.py" "$work/ezdxf.dxf" "$count" >"$work/ezdxf.out" 2>"$work/ezdxf.time"

t_build=$(value build_s "$work/tarvo.out")
t_write=$(value write_s "$work/tarvo.out")
e_build=$(value build_s "$work/ezdxf.out")
e_write=$(value write_s "$work/ezdxf.out")
t_peak=$(peak_kb "$work/tarvo.time")
e_peak=$(peak_kb "$work/ezdxf.time")
t_size=$(stat -c %s "$work/tarvo.dxf")
e_size=$(stat -c %s "$work/ezdxf.dxf")

awk -v n="$count" -v tb="$t_build" -v tw="$t_write" -v eb="$e_build" -v ew="$e_write" \
    -v tp="$t_peak" -v ep="$e_peak" -v ts="$t_size" -v es="$e_size" 'BEGIN {
    printf "%d polylines of 4 vertices\n", n
    printf "%-8s %10s %10s %12s %12s\n", "", "build s", "write s", "peak MB", "file MB"
    printf "%-8s %10.4f %10.4f %12.1f %12.1f\n", "tarvo", tb, tw, tp / 1024, ts / 1e6
    printf "%-8s %10.4f %10.4f %12.1f %12.1f\n", "ezdxf", eb, ew, ep / 1024, es / 1e6
    printf "write: tarvo is %.1f times faster than ezdxf (goal: at least 30)\n", ew / tw
    printf "peak memory: tarvo uses %.3f of ezdxf'"'"'s (goal: at most 0.2)\n", tp / ep
}'
