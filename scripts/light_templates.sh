#!/usr/bin/env bash
# Draws the traffic-light catalogue from its symbol tables
# (tools/LightSymbols.cpp): the template drawings in
# resources/Wzory/Swiatla and their icons in resources/icons. Run after
# changing the symbols. With --sheet FILE.png it draws all of them side by
# side with their names instead, to look them over.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build
if [ "${1:-}" != "--sheet" ] && [ -n "${1:-}" ]; then build=$1; shift; fi
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target light_templates
if [ "${1:-}" = "--sheet" ]; then
  "$build/bin/light_templates" --sheet "${2:?the sheet file}"
  echo "${2} written"
else
  "$build/bin/light_templates" resources
  echo "resources/Wzory/Swiatla/*.dxf and resources/icons/*.ico written"
fi
