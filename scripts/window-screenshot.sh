#!/usr/bin/env bash
# The README's picture of the window: the demo script replayed in the
# window without a screen, and the window grabbed at its end into
# docs/window.png. Builds the console and its window module first.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -d build ] || bash scripts/configure.sh build
cmake --build build -j "$(nproc)" --target tarvo tarvo_window
QT_QPA_PLATFORM=offscreen build/bin/tarvo window --script examples/demo.scr \
  --screenshot docs/window.png > /dev/null
echo "The window: $PWD/docs/window.png"
