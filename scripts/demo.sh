#!/usr/bin/env bash
# The main job: installs what is needed, builds what the demo runs (the
# console, the platform, the plug-in and the console's modules but the
# window) and runs the demo script, which writes demo.dxf and its picture
# demo.png in the repository root. scripts/test.sh then builds the window
# and the tests.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/configure.sh build
cmake --build build -j "$(nproc)" --target tarvo
build/bin/tarvo run --script examples/demo.scr --out demo.dxf --png demo.png
echo "The drawing: $PWD/demo.dxf"
echo "Its picture: $PWD/demo.png"
# The window is not part of the demo's build: scripts/test.sh builds it
# with everything else.
if [ -e build/lib/tarvo_window.so ]; then
  echo "Open it in the window: build/bin/tarvo window demo.dxf"
else
  echo "Open it in the window: after scripts/test.sh (or scripts/deps.sh --tests and"
  echo "  cmake --build build --target tarvo_window), build/bin/tarvo window demo.dxf"
fi
