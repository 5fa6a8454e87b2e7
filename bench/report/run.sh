#!/bin/bash
# The bill of quantities of a drawing of 50,000 description blocks (with
# their arrow and sign-board references): tarvo report from reading the
# drawing to the written workbook, against ezdxf reading the same drawing
# and summing the same attributes in Python, in the same run. Prints the
# processor and wall times, the ratios, and checks that both give the same
# totals.
# Usage: bench/report/run.sh BUILD_DIR [COUNT]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=${1:?usage: $0 BUILD_DIR [COUNT]}
count=${2:-50000}
tarvo="$build/bin/tarvo"
[ -x "$tarvo" ] || { echo "$tarvo not found: build first" >&2; exit 1; }
/usr/bin/python3 -c 'import ezdxf' 2>/dev/null || { echo "ezdxf is missing (Debian's python3-ezdxf)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
/usr/bin/python3 "$here/make_drawing.py" "$work/drawing.dxf" "$count"

measure() {  # name command...
    local name=$1
    shift
    /usr/bin/time -v "$@" >"$work/$name.out" 2>"$work/$name.time"
}
measure tarvo "$tarvo" report "$work/drawing.dxf" --xlsx "$work/report.xlsx"
measure ezdxf /usr/bin/python3 "$here/ezdxf_report.py" "$work/drawing.dxf"

# CPU seconds (user and system): the machine may be shared, so wall time
# says more about the neighbours than about the run.
cpu() { awk -F': ' '/User time|System time/ { s += $2 } END { printf "%.2f", s }' "$work/$1.time"; }
wall() {
    awk -F': ' '/Elapsed \(wall clock\)/ { n = split($2, p, ":"); s = 0; for (i = 1; i <= n; i++) s = s * 60 + p[i]; printf "%.2f", s }' \
        "$work/$1.time"
}
peak_mb() { awk -F': ' '/Maximum resident set size/ { printf "%.1f", $2 / 1024 }' "$work/$1.time"; }

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
