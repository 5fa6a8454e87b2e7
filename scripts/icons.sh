#!/usr/bin/env bash
# Draws the arrow dialog's catalogue icons (icons 8038, 8042, 8091 to 8098,
# 8100 and 8101 of the resource script) from the arrows' outlines into
# resources/icons, and the window's command icons with a sheet of them all
# into resources/icons/commands. Run after changing an outline or the icons.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target arrow_icons command_icons
mkdir -p resources/icons/commands
"$build/bin/arrow_icons" resources/icons
"$build/bin/command_icons" resources/icons/commands
echo "resources/icons and resources/icons/commands written"
