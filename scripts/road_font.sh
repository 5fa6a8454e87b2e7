#!/usr/bin/env bash
# Makes the road-lettering font resources/Fonts/Tarvowa.ttf from Debian's
# fonts-opendin (OSP-DIN) with the Polish letters added by
# tools/road_font.py. Run after changing that tool; the same package gives
# the same file.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! /usr/bin/python3 -c "import fontTools" 2>/dev/null; then
  apt-get install -y python3-fonttools
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && apt-get download fonts-opendin && dpkg-deb -x fonts-opendin_*.deb x)
mkdir -p resources/Fonts
/usr/bin/python3 tools/road_font.py "$work/x/usr/share/fonts/truetype/opendin/OSP-DIN.ttf" resources/Fonts/Tarvowa.ttf
zcat "$work/x/usr/share/doc/fonts-opendin/OFL-1.1.txt.gz" > resources/Fonts/OFL.txt
echo "resources/Fonts/Tarvowa.ttf written"
