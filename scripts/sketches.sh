#!/usr/bin/env bash
# Draws the island dialog's sketches (bitmaps 8088 and 8090 of the resource
# script) from the island constructions and writes them into
# resources/bitmaps. Run after changing the constructions or the sketches.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target island_sketches
mkdir -p resources/bitmaps
"$build/bin/island_sketches" resources/bitmaps/island-triangular.bmp resources/bitmaps/island-parallel.bmp
echo "resources/bitmaps/island-triangular.bmp and island-parallel.bmp written"
