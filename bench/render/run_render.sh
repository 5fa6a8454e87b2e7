#!/bin/bash
# Renders the drawing of 100,000 four-vertex polylines to PNG with this
# project and with ezdxf draw (Debian's python3-ezdxf and python3-matplotlib)
# in the same run, and prints the times and the ratio. Three timings:
#   render     the picture of the drawing in memory (bench_render)
#   tarvo      tarvo render polylines.dxf out.png: reading the file and the picture
#   ezdxf      ezdxf draw -o out.png polylines.dxf: the same, in ezdxf
# Usage: bench/render/run_render.sh BUILD_DIR [COUNT]
# (BUILD_DIR configured with -DTARVO_BENCH=ON and built.)
set -euo pipefail
source "$(dirname "$0")/../common.sh"

build=${1:?usage: $0 BUILD_DIR [COUNT]}
count=${2:-100000}
bench="$build/bin/bench_render"
tarvo="$build/bin/tarvo"
need_program "$bench" "configure with -DTARVO_BENCH=ON and build"
need_program "$tarvo"
need_python matplotlib
# matplotlib writes its caches under HOME and MPLCONFIGDIR.
export HOME="$work/home" MPLCONFIGDIR="$work/mpl"
mkdir -p "$HOME" "$MPLCONFIGDIR"

"$bench" "$work" "$count" >"$work/bench.out"
peak_mb() { awk -v kb="$(peak_kb "$1")" 'BEGIN { printf "%.1f", kb / 1024 }'; }

/usr/bin/time -v "$tarvo" render "$work/polylines.dxf" "$work/tarvo.png" >/dev/null 2>"$work/tarvo.time"
/usr/bin/time -v /usr/bin/python3 -m ezdxf draw -o "$work/ezdxf.png" "$work/polylines.dxf" \
    >/dev/null 2>"$work/ezdxf.time"
[ -s "$work/tarvo.png" ] && [ -s "$work/ezdxf.png" ] || { echo "a picture is missing" >&2; exit 1; }

render=$(awk '$1 == "render_png_s" { print $2 }' "$work/bench.out")
t_all=$(wall_seconds "$work/tarvo.time")
e_all=$(wall_seconds "$work/ezdxf.time")
awk -v n="$count" -v r="$render" -v t="$t_all" -v e="$e_all" \
    -v tp="$(peak_mb "$work/tarvo.time")" -v ep="$(peak_mb "$work/ezdxf.time")" 'BEGIN {
    printf "%d polylines of 4 vertices to PNG\n", n
    printf "%-34s %8.3f s\n", "tarvo: picture of the drawing", r
    printf "%-34s %8.3f s  peak %7.1f MB\n", "tarvo render (read DXF + picture)", t, tp
    printf "%-34s %8.3f s  peak %7.1f MB\n", "ezdxf draw (read DXF + picture)", e, ep
    printf "ezdxf draw takes %.1f times as long as tarvo render\n", e / t
}'
