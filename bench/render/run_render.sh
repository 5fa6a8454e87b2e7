#!/bin/bash
# Renders the drawing of 100,000 four-vertex polylines to PNG with this
# project and with ezdxf's drawing add-on (Debian's python3-ezdxf and
# python3-matplotlib), interleaved, both at the same pixel size (tarvo's
# picture's, 1600 on the longer side unless SIZE is given), and prints the
# processor times, peak memory and the ratios. Two timings:
#   picture    the picture of the drawing in memory (bench_render)
#   the whole  tarvo render polylines.dxf out.png against ezdxf_render.py
#              (what `ezdxf draw` does, on a canvas of the same pixels):
#              reading the file and the picture
# Usage: bench/render/run_render.sh BUILD_DIR [COUNT] [SIZE]
# (BUILD_DIR configured with -DTARVO_BENCH=ON and built.)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../common.sh"

build=${1:?usage: $0 BUILD_DIR [COUNT] [SIZE]}
count=${2:-100000}
size=${3:-1600}
bench="$build/bin/bench_render"
tarvo="$build/bin/tarvo"
need_program "$bench" "configure with -DTARVO_BENCH=ON and build"
need_program "$tarvo"
need_python matplotlib
# matplotlib writes its caches under HOME and MPLCONFIGDIR.
export HOME="$work/home" MPLCONFIGDIR="$work/mpl"
mkdir -p "$HOME" "$MPLCONFIGDIR"

"$bench" "$work" "$count" "$size" >"$work/bench.out"
# A PNG's width and height are the first two words of its header chunk.
png_size() { /usr/bin/python3 -c 'import struct, sys; d = open(sys.argv[1], "rb").read(24); print(*struct.unpack(">II", d[16:24]))' "$1"; }
read -r width height < <(png_size "$work/polylines.png")

compare \
    --what "$count polylines of 4 vertices read from DXF and drawn to a ${width}×${height} PNG" \
    :: tarvo "$tarvo" render "$work/polylines.dxf" "$work/tarvo.png" --size "$size" \
    :: ezdxf /usr/bin/python3 "$here/ezdxf_render.py" "$work/polylines.dxf" "$work/ezdxf.png" "$width" "$height"

tarvo_size=$(png_size "$work/tarvo.png")
ezdxf_size=$(png_size "$work/ezdxf.png")
[ "$tarvo_size" = "$ezdxf_size" ] || { echo "the pictures differ in size: tarvo $tarvo_size, ezdxf $ezdxf_size" >&2; exit 1; }
echo "both pictures ${tarvo_size/ /×} pixels; tarvo's picture of the drawing in memory alone:" \
    "$(value render_png_s "$work/bench.out") s of its own wall clock"
