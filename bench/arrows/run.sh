#!/bin/bash
# Inserts 10,000 arrows with their description lines and descriptions from
# a "D_Strzalki" script through the console, then saves; ezdxf builds the
# same drawing directly in the same run, as the reference. Prints the time
# per arrow, the peak memory and the ratios, and checks that the drawing
# holds the nineteen arrow blocks once each.
# Usage: bench/arrows/run.sh BUILD_DIR [COUNT]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source "$(dirname "$0")/../common.sh"
build=${1:?usage: $0 BUILD_DIR [COUNT]}
count=${2:-10000}
tarvo="$build/bin/tarvo"
need_program "$tarvo"
need_python

# Each of the twelve rows in turn, the two-size ones alternately long and
# short, so that all nineteen blocks are used; a 10 m grid of arrows.
{
    echo D_Strzalki
    echo 'dlg select IDC_MARKING_SCALE 1'
    for ((i = 0; i < count; i++)); do
        row=$((i % 12))
        x=$(((i % 100) * 10))
        y=$(((i / 100) * 10))
        echo "dlg select IDC_ARROW_LIST $row"
        case $row in 0 | 1 | 3 | 4 | 5 | 6 | 7) echo "dlg select IDC_ARROW_LENGTH $(((i / 12) % 2))" ;; esac
        printf 'dlg click IDC_ARROW_INSERT\n0,0\n1,0\n%d,%d\n%d,%d\n%d,%d\n\n' $x $y $((x + 1)) $((y + 1)) $((x + 3)) $((y + 3))
    done
    echo 'dlg click 2'
} >"$work/arrows.scr"
# The empty run: the console's start and end, taken off the arrows' time.
: >"$work/empty.scr"

# Once, not timed: the drawing whose blocks give the reference its outlines.
"$tarvo" run --script "$work/arrows.scr" --out "$work/tarvo.dxf" >"$work/first.out" \
    || { tail -5 "$work/first.out" >&2; exit 1; }

# The reference draws the very outlines the blocks were built from.
/usr/bin/python3 - "$work/tarvo.dxf" "$work/outlines.txt" <<'PY'
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
with open(sys.argv[2], "w", encoding="utf-8") as out:
    arrows = [b for b in doc.blocks if b.name.startswith("P-")]
    for b in arrows:
        p = b.query("LWPOLYLINE").first
        out.write(b.name + " " + " ".join(f"{x} {y} {bulge}" for x, y, _, _, bulge in p.get_points()) + "\n")
    refs = len(doc.modelspace().query("INSERT"))
    print(f"arrow blocks {len(arrows)}, references {refs}", file=sys.stderr)
    if len(arrows) != 19:
        sys.exit("the drawing should hold 19 arrow blocks")
PY

# The console's start and end, taken off the arrows' time per arrow.
compare --what "the console's start and end (an empty script)" :: empty "$tarvo" run --script "$work/empty.scr" \
    --out "$work/empty.dxf" >"$work/empty.txt"
empty=$(/usr/bin/python3 -c 'import json, sys; print(json.load(open(sys.argv[1]))["empty"]["time"])' "$work/compare.json")
compare --what "$count arrows with description lines and descriptions, from a script, then the save (ezdxf builds the same drawing directly)" \
    :: tarvo "$tarvo" run --script "$work/arrows.scr" --out "$work/tarvo.dxf" \
    :: ezdxf /usr/bin/python3 "$here/ezdxf_arrows.py" "$work/outlines.txt" "$work/ezdxf.dxf" "$count"
/usr/bin/python3 -c '
import json, sys
m = json.load(open(sys.argv[1])); n = int(sys.argv[2]); empty = float(sys.argv[3])
ours, theirs = m["tarvo"]["time"], m["ezdxf"]["time"]
print(f"per arrow: tarvo {(ours - empty) * 1e6 / n:.1f} us (less the empty run, {empty * 1000:.0f} ms), "
      f"ezdxf {theirs * 1e6 / n:.1f} us")' "$work/compare.json" "$count" "$empty"
