#!/bin/bash
# The bill of quantities of a drawing of 200,000 description blocks (with
# their arrow and sign-board references): tarvo report from reading the
# drawing to the written workbook, against ezdxf reading the same drawing
# and summing the same attributes in Python, interleaved. Prints the
# processor and wall times, the ratios, and checks that both give the same
# totals.
# Usage: bench/report/run.sh BUILD_DIR [COUNT]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source "$(dirname "$0")/../common.sh"
build=${1:?usage: $0 BUILD_DIR [COUNT]}
count=${2:-200000}
tarvo="$build/bin/tarvo"
need_program "$tarvo"
need_python
/usr/bin/python3 "$here/make_drawing.py" "$work/drawing.dxf" "$count"

compare --goal ezdxf=20 \
    --what "$count description blocks to a bill of quantities: tarvo report to XLSX, ezdxf reading and summing" \
    :: tarvo "$tarvo" report "$work/drawing.dxf" --xlsx "$work/report.xlsx" \
    :: ezdxf /usr/bin/python3 "$here/ezdxf_report.py" "$work/drawing.dxf"
/usr/bin/python3 -c '
import json, sys
mb = json.load(open(sys.argv[1]))["tarvo"]["peak_kb"] / 1024
verdict = "met" if mb <= 200 else "not met"
print(f"tarvo report peaks at {mb:.0f} MB; goal at most 200 MB: {verdict}")' "$work/compare.json"

# Both must have summed the same figures.
# The lines' length and area, and the arrows' area.
totals=$("$tarvo" report "$work/drawing.dxf" |
    awk '/^Razem/ { if (++n == 2) printf "%s %s ", $(NF - 1), $NF; if (n == 3) printf "%s", $NF }')
reference=$(awk '/^length/ { print $2, $4, $6 }' "$work/ezdxf.out")
[ "$totals" = "$reference" ] || { echo "the totals differ: tarvo $totals, ezdxf $reference" >&2; exit 1; }

size=$(stat -c %s "$work/drawing.dxf")
echo "$(awk -v s="$size" 'BEGIN { printf "%.1f", s / 1e6 }') MB of DXF; totals agree ($totals)"
