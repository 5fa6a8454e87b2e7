#!/bin/bash
# Times LibreCAD opening the window benchmark's drawing in its own window,
# offscreen, for a figure beside bench_window's "first frame". LibreCAD has
# no mode that opens a drawing, paints it and stops, so the end mark is its
# process going idle: the time of its last processor use before a quiet
# second, polled every 50 ms (so the figure is good to about 0.05 s), and
# the processor seconds used by then.
# Usage: bench/window/run_librecad_open.sh BUILD_DIR [COUNT]
# (BUILD_DIR configured with -DTARVO_BENCH=ON; librecad from scripts/deps.sh --bench.)
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/common.sh"
build=${1:?usage: $0 BUILD_DIR [COUNT]}
count=${2:-100000}
need_program "$build/bin/bench_dxf_write" "configure with -DTARVO_BENCH=ON and build"
command -v librecad >/dev/null || { echo "librecad is not installed (scripts/deps.sh --bench)" >&2; exit 1; }

"$build/bin/bench_dxf_write" "$work/metres.dxf" "$count" >/dev/null
# LibreCAD reads a drawing in metres ($INSUNITS 6) very slowly; it gets the
# same drawing in millimetres (4).
awk 'unit == 2 { print "4"; unit = 0; next } unit == 1 { unit = 2 } $0 == "$INSUNITS" { unit = 1 } { print }' \
    "$work/metres.dxf" >"$work/grid.dxf"
# A home of its own, so that no first-start questions wait for an answer.
mkdir -p "$work/home/.config/LibreCAD"
printf '[Startup]\nFirstLoad=0\n' >"$work/home/.config/LibreCAD/LibreCAD.conf"

ticks=$(getconf CLK_TCK)
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null || echo -1; }
now() { date +%s.%N; }

HOME="$work/home" QT_QPA_PLATFORM=offscreen librecad "$work/grid.dxf" >"$work/librecad.log" 2>&1 &
pid=$!
start=$(now)
last_use=$start
used=0
while :; do
    sleep 0.05
    ticks_now=$(cpu_ticks "$pid")
    [ "$ticks_now" = -1 ] && { echo "librecad stopped early:" >&2; tail -5 "$work/librecad.log" >&2; exit 1; }
    t=$(now)
    if [ "$ticks_now" != "$used" ]; then
        used=$ticks_now
        last_use=$t
    elif awk -v t="$t" -v l="$last_use" 'BEGIN { exit !(t - l > 1.0) }'; then
        break
    fi
    awk -v t="$t" -v s="$start" 'BEGIN { exit !(t - s > 300) }' && { echo "librecad still busy after 300 s" >&2; break; }
done
kill "$pid"
wait "$pid" 2>/dev/null || true
awk -v n="$count" -v s="$start" -v l="$last_use" -v u="$used" -v hz="$ticks" 'BEGIN {
    printf "LibreCAD, %d polylines: open and paint %.2f s (until idle), processor %.2f s\n", n, l - s, u / hz
}'
