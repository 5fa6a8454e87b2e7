#!/usr/bin/env bash
# The main job: installs what is needed, builds Tarvo and runs the demo
# script through the console, which writes demo.dxf and its picture demo.png
# in the repository root.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -G Ninja
cmake --build build -j "$(nproc)"
build/bin/tarvo run --script examples/demo.scr --out demo.dxf --png demo.png
echo "demo.dxf and demo.png written"
