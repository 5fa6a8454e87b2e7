#!/bin/bash
# Reads the 100,000-polyline file of the writing benchmark with this
# project, dxflib and ezdxf in the same run, and prints times (elapsed and
# processor), peak memory and the ratios.
# Usage: bench/dxf_read/run.sh BUILD_DIR [COUNT]
# (BUILD_DIR configured with -DTARVO_BENCH=ON and built; dxflib's reader is
# there when Debian's libdxflib-dev was installed.)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=${1:?usage: $0 BUILD_DIR [COUNT]}
count=${2:-100000}
for tool in bench_dxf_write bench_dxf_read; do
    [ -x "$build/bin/$tool" ] || { echo "$build/bin/$tool not found: configure with -DTARVO_BENCH=ON and build" >&2; exit 1; }
done
/usr/bin/python3 -c 'import ezdxf' 2>/dev/null || { echo "ezdxf is missing (Debian's python3-ezdxf)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bin/bench_dxf_write" "$work/poly.dxf" "$count" >/dev/null

measure() {  # name command...
    local name=$1
    shift
    /usr/bin/time -v "$@" >"$work/$name.out" 2>"$work/$name.time"
}
measure tarvo "$build/bin/bench_dxf_read" "$work/poly.dxf"
measure ezdxf /usr/bin/python3 "$here/ezdxf_read.py" "$work/poly.dxf"
if [ -x "$build/bin/bench_dxflib_read" ]; then
    measure dxflib "$build/bin/bench_dxflib_read" "$work/poly.dxf"
fi

value() { awk -v key="$2" '$1 == key { print $2 }' "$work/$1.out"; }
peak_mb() { awk -F': ' '/Maximum resident set size/ { printf "%.1f", $2 / 1024 }' "$work/$1.time"; }
row() {  # name
    printf "%-8s %10s %10s %10s\n" "$1" "$(value "$1" read_s)" "$(value "$1" read_cpu_s)" "$(peak_mb "$1")"
}

size=$(stat -c %s "$work/poly.dxf")
echo "$count polylines of 4 vertices, $(awk -v s="$size" 'BEGIN { printf "%.1f", s / 1e6 }') MB of DXF"
printf "%-8s %10s %10s %10s\n" "" "read s" "cpu s" "peak MB"
row tarvo
[ -f "$work/dxflib.out" ] && row dxflib
row ezdxf
awk -v tw="$(value tarvo read_s)" -v tc="$(value tarvo read_cpu_s)" \
    -v ew="$(value ezdxf read_s)" -v ec="$(value ezdxf read_cpu_s)" \
    -v tp="$(peak_mb tarvo)" -v ep="$(peak_mb ezdxf)" 'BEGIN {
    printf "ezdxf:  tarvo reads %.1f times faster (processor time %.1f; goal: at least 40)\n", ew / tw, ec / tc
    printf "memory: tarvo peaks at %.3f of ezdxf (goal: at most 0.2)\n", tp / ep
}'
if [ -f "$work/dxflib.out" ]; then
    awk -v tw="$(value tarvo read_s)" -v tc="$(value tarvo read_cpu_s)" \
        -v dw="$(value dxflib read_s)" -v dc="$(value dxflib read_cpu_s)" 'BEGIN {
        printf "dxflib: tarvo reads %.1f times faster (processor time %.1f; goal: at least 2)\n", dw / tw, dc / tc
    }'
else
    echo "dxflib: not built (install Debian's libdxflib-dev and configure again)"
fi
