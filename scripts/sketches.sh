#!/usr/bin/env bash
# Draws the island dialog's sketches (bitmaps 8088 and 8090 of the resource
# script) from the island constructions into resources/bitmaps, and the
# line-marking dialog's icons from the catalogue and Tarvo.lin into
# resources/icons. Run after changing any of them.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target island_sketches line_icons
mkdir -p resources/bitmaps
"$build/bin/island_sketches" resources/bitmaps/island-triangular.bmp resources/bitmaps/island-parallel.bmp
echo "resources/bitmaps/island-triangular.bmp and island-parallel.bmp written"
mkdir -p resources/icons
"$build/bin/line_icons" resources/Tarvo.lin resources/icons
echo "resources/icons/*.ico written"
