#!/bin/bash
# The drawing of 100,000 four-vertex polylines printed to PDF with this
# project (tarvo render) and with LibreCAD's dxf2pdf (offscreen, the drawing
# fitted to its page), interleaved, and prints processor times, peak memory
# and the ratios. LibreCAD wants the file's $INSUNITS in millimetres (4):
# with metres it takes tens of seconds and writes an empty page, so both
# sides read the file with 4.
# Usage: bench/pdf/run.sh BUILD_DIR [COUNT]
# (BUILD_DIR configured with -DTARVO_BENCH=ON and built; LibreCAD from
# scripts/deps.sh --bench.)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../common.sh"

build=${1:?usage: $0 BUILD_DIR [COUNT]}
count=${2:-100000}
tarvo="$build/bin/tarvo"
need_program "$build/bin/bench_dxf_write" "configure with -DTARVO_BENCH=ON and build"
need_program "$tarvo"
command -v librecad >/dev/null || { echo "librecad is missing: scripts/deps.sh --bench" >&2; exit 1; }
# LibreCAD keeps its settings under HOME; Qt draws without a display.
export HOME="$work/home" XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$work/librecad"
chmod 700 "$XDG_RUNTIME_DIR"

"$build/bin/bench_dxf_write" "$work/metres.dxf" "$count" >/dev/null
# The value of $INSUNITS is the second line after its name.
awk 'after == 2 { sub(/[0-9]+/, "4"); after = 0 }
     after == 1 { after = 2 }
     $1 == "$INSUNITS" { after = 1 }
     { print }' "$work/metres.dxf" >"$work/poly.dxf"
grep -A2 -x '\$INSUNITS' "$work/poly.dxf" | tail -n1 | grep -qx ' *4' || { echo "setting \$INSUNITS failed" >&2; exit 1; }

compare --goal librecad=5 \
    --what "$count polylines of 4 vertices read from DXF (\$INSUNITS 4) and printed to a one-page PDF" \
    :: tarvo "$tarvo" render "$work/poly.dxf" "$work/tarvo.pdf" \
    :: librecad librecad dxf2pdf -a -t "$work/librecad" "$work/poly.dxf"
# dxf2pdf names its file after the drawing, in the folder given.
mv "$work/librecad/poly.pdf" "$work/librecad.pdf"

for side in tarvo librecad; do
    # An empty page is a few kilobytes; 100,000 polylines are far more.
    [ "$(stat -c %s "$work/$side.pdf")" -gt 100000 ] || { echo "$side wrote an empty PDF" >&2; exit 1; }
done
echo "PDF files: tarvo $(stat -c %s "$work/tarvo.pdf") bytes, librecad $(stat -c %s "$work/librecad.pdf") bytes"
