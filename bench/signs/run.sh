#!/bin/bash
# Draws 2,000 E-17a signs on posts, each with its leader and description,
# from a script through the console (200 distinct place names, each used ten
# times, so most boards are found in the drawing rather than built), then
# saves. Prints the time per sign, and the share of the run spent measuring
# texts (board names and descriptions), taken from an instruction profile
# when valgrind is installed.
# Usage: bench/signs/run.sh BUILD_DIR [COUNT]
set -euo pipefail
source "$(dirname "$0")/../common.sh"

build=${1:?usage: $0 BUILD_DIR [COUNT]}
count=${2:-2000}
tarvo="$build/bin/tarvo"
need_program "$tarvo"

names=(Łódź Świnoujście "Gdańsk Główny" Kraków Żółkiewka Poznań Wrocław Zgierz Piątek Ełk)
{
    echo E17a
    echo 'dlg select IDC_SCALE "1:500"'
    echo 'dlg check IDC_INSERT_AS_SIGN on'
    echo 'dlg check IDC_ADD_DESCRIPTION on'
    for ((i = 0; i < count; i++)); do
        x=$(((i % 50) * 20))
        y=$(((i / 50) * 20))
        echo "dlg set IDC_SIGN_TEXT ${names[i % 10]} $(((i / 10) % 20))"
        printf 'dlg click 1\n%d,%d\n%d,%d\n%d,%d\n%d,%d\n\n' $x $y $((x + 10)) $y $x $((y - 3)) $x $((y + 5))
    done
    echo 'dlg click 2'
} >"$work/signs.scr"
: >"$work/empty.scr"

compare --what "$count signs on posts with descriptions, from a script, then the save; the empty script beside it" \
    :: signs "$tarvo" run --script "$work/signs.scr" --out "$work/signs.dxf" \
    :: empty "$tarvo" run --script "$work/empty.scr" --out "$work/empty.dxf" | grep -v '^time: \|^memory: '
boards=$(grep -a '^E-17a_' "$work/signs.dxf" | LC_ALL=C sort -u | wc -l)
/usr/bin/python3 -c '
import json, sys
m = json.load(open(sys.argv[1])); n = int(sys.argv[2])
per = (m["signs"]["time"] - m["empty"]["time"]) * 1e6 / n
peak = m["signs"]["peak_kb"] / 1024
print(f"{sys.argv[3]} board blocks; per sign {per:.1f} us of processor time (less the empty run), "
      f"peak {peak:.1f} MB")' "$work/compare.json" "$count" "$boards"

if command -v valgrind >/dev/null && command -v callgrind_annotate >/dev/null; then
    valgrind --tool=callgrind --callgrind-out-file="$work/cg" "$tarvo" run --script "$work/signs.scr" \
        --out "$work/cg.dxf" >/dev/null 2>"$work/cg.err"
    callgrind_annotate --inclusive=yes "$work/cg" 2>/dev/null >"$work/cg.txt"
    awk '/PROGRAM TOTALS/ { gsub(",", "", $1); total = $1 }
         /:layoutTextBlock\(/ && !seen { gsub(",", "", $1); measure = $1; seen = 1 }
         END { if (total > 0) printf "measuring texts: %.1f%% of the run'"'"'s instructions (laying out and measuring, with the cache by font, height and text)\n", 100 * measure / total }' \
        "$work/cg.txt"
else
    echo "valgrind is not installed: no share of measuring"
fi
