#!/usr/bin/env bash
# The README's picture of the window: the demo script replayed in the
# window without a screen, then the E-4 sign's dialog opened and filled in
# (examples/window-dialog.scr), and the window grabbed with the dialog open
# into docs/window.png. Builds the console and its window module first.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -d build ] || bash scripts/configure.sh build
cmake --build build -j "$(nproc)" --target tarvo tarvo_window
script=$(mktemp --suffix=.scr)
trap 'rm -f "$script"' EXIT
cat examples/demo.scr examples/window-dialog.scr > "$script"
QT_QPA_PLATFORM=offscreen build/bin/tarvo window --script "$script" \
  --screenshot docs/window.png > /dev/null
echo "The window: $PWD/docs/window.png"
