#!/usr/bin/env bash
# Renders every tag button icon into one contact sheet for review.
# Usage: scripts/icon-sheet.sh [OUT.png] [SCALE]
#   OUT.png  where to write the sheet (default: icon-sheet.png in the current folder)
#   SCALE    the enlargement shown beside each 1:1 icon (default: 4)
# Each cell shows the icon at 27 x 27 (as on the palette), the same icon enlarged,
# and its key; the icons come in the order of icons.qrc, that is page by page.
# Needs rsvg-convert (Debian librsvg2-bin) and ImageMagick.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
icons=$here/src/catalogue/icons
out=${1:-icon-sheet.png}
scale=${2:-4}
big=$((27 * scale))

command -v rsvg-convert >/dev/null || { echo "rsvg-convert is missing (apt-get install librsvg2-bin)" >&2; exit 1; }
command -v montage >/dev/null || { echo "montage is missing (apt-get install imagemagick)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mapfile -t keys < <(sed -n 's/.*alias="\([^"]*\)\.svg".*/\1/p' "$icons/icons.qrc")
[ ${#keys[@]} -gt 0 ] || { echo "no icons listed in $icons/icons.qrc" >&2; exit 1; }

cells=()
for key in "${keys[@]}"; do
  svg=$icons/$key.svg
  rsvg-convert -w 27 -h 27 -b white "$svg" -o "$work/$key-1.png"
  rsvg-convert -w "$big" -h "$big" -b white "$svg" -o "$work/$key-n.png"
  # 1:1 icon on the left, vertically centred beside the enlarged one.
  convert -size $((big + 27 + 12))x"$big" xc:'#eceff2' \
    "$work/$key-1.png" -geometry +4+$(((big - 27) / 2)) -composite \
    "$work/$key-n.png" -geometry +$((27 + 8))+0 -composite \
    "$work/$key-cell.png"
  cells+=(-label "$key" "$work/$key-cell.png")
done

montage "${cells[@]}" -tile 7x -geometry +6+6 -pointsize 11 -background '#f7f8f9' "$out"
echo "${#keys[@]} icons -> $out"
