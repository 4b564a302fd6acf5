#!/usr/bin/env bash
# Renders the program's icon, assets/icons/meldora.svg, to the PNG sizes
# the desktop and the window use: assets/icons/meldora-48.png and
# assets/icons/meldora-256.png.
#
# Needs the Debian package librsvg2-bin (rsvg-convert):
#   apt-get install librsvg2-bin
# The PNGs are kept in the repository; run it again only after changing
# the SVG.
set -euo pipefail
cd "$(dirname "$0")/.."

command -v rsvg-convert >/dev/null || { echo "make_icons.sh needs rsvg-convert (apt-get install librsvg2-bin)" >&2; exit 1; }

for size in 48 256; do
  rsvg-convert --width "$size" --height "$size" --output "assets/icons/meldora-$size.png" assets/icons/meldora.svg
done
