#!/bin/bash
# The bill of quantities of a drawing of 200,000 description blocks (with
# their arrow and sign-board references): tarvo report from reading the
# drawing to the written workbook, against ezdxf reading the same drawing
# and summing the same attributes in Python, in the same run. Prints the
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

measure() {  # name command...
    local name=$1
    shift
    /usr/bin/time -v "$@" >"$work/$name.out" 2>"$work/$name.time"
}
measure tarvo "$tarvo" report "$work/drawing.dxf" --xlsx "$work/report.xlsx"
measure ezdxf /usr/bin/python3 "$here/ezdxf_report.py" "$work/drawing.dxf"

cpu() { printf "%.2f" "$(cpu_seconds "$work/$1.time")"; }
wall() { printf "%.2f" "$(wall_seconds "$work/$1.time")"; }
peak_mb() { awk -v kb="$(peak_kb "$work/$1.time")" 'BEGIN { printf "%.1f", kb / 1024 }'; }

# Both must have summed the same figures.
# The lines' length and area, and the arrows' area.
totals=$("$tarvo" report "$work/drawing.dxf" |
    awk '/^Razem/ { if (++n == 2) printf "%s %s ", $(NF - 1), $NF; if (n == 3) printf "%s", $NF }')
reference=$(awk '/^length/ { print $2, $4, $6 }' "$work/ezdxf.out")
[ "$totals" = "$reference" ] || { echo "the totals differ: tarvo $totals, ezdxf $reference" >&2; exit 1; }

size=$(stat -c %s "$work/drawing.dxf")
echo "$count description blocks, $(awk -v s="$size" 'BEGIN { printf "%.1f", s / 1e6 }') MB of DXF; totals agree ($totals)"
printf "%-6s %8s %8s %9s\n" "" "cpu s" "wall s" "peak MB"
for name in tarvo ezdxf; do
    printf "%-6s %8s %8s %9s\n" "$name" "$(cpu $name)" "$(wall $name)" "$(peak_mb $name)"
done
awk -v tc="$(cpu tarvo)" -v ec="$(cpu ezdxf)" -v tw="$(wall tarvo)" -v ew="$(wall ezdxf)" 'BEGIN {
    printf "tarvo report is %.1f times faster in processor time (wall time %.1f; goal: at least 20)\n", ec / tc, ew / tw
}'
awk -v tm="$(peak_mb tarvo)" -v em="$(peak_mb ezdxf)" 'BEGIN {
    printf "tarvo report peaks at %.2f of the memory of ezdxf (%.0f MB; goal: at most 200 MB)\n", tm / em, tm
}'
