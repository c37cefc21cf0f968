#!/bin/sh
# Draws the program's icon, a modem with its received (green) and sent (red) lights under
# three signal arcs, at 32x32 and 16x16, and packs both into app/orvane.ico.
# Needs ImageMagick; the .ico is committed so that the build does not.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# 32x32: arcs centred over the modem, body with a lighter front edge, two lights.
convert -size 32x32 xc:none \
    -fill none -stroke '#1f7ae0' -strokewidth 2 \
    -draw 'arc 5,3 27,25 215,325' \
    -draw 'arc 10,8 22,20 215,325' \
    -stroke none -fill '#1f7ae0' -draw 'circle 16,15.5 16,17.3' \
    -fill '#24313f' -draw 'roundrectangle 2,18 29,29 3,3' \
    -fill '#3c5166' -draw 'roundrectangle 3,19 28,23 2,2' \
    -fill '#3ee06a' -draw 'circle 8,25 8,26.6' \
    -fill '#ff4a3d' -draw 'circle 13,25 13,26.6' \
    -fill '#8aa0b4' -draw 'rectangle 18,24 26,25' \
    "$work/32.png"

# 16x16: the same glyph drawn for its own grid, without smoothing.
convert -size 16x16 xc:none +antialias \
    -fill none -stroke '#1f7ae0' -strokewidth 1 \
    -draw 'arc 2,1 14,13 205,335' \
    -draw 'arc 5,4 11,10 205,335' \
    -stroke none -fill '#1f7ae0' -draw 'rectangle 7,6 8,7' \
    -fill '#24313f' -draw 'roundrectangle 1,9 14,15 2,2' \
    -fill '#3c5166' -draw 'rectangle 2,10 13,11' \
    -fill '#3ee06a' -draw 'rectangle 3,12 4,13' \
    -fill '#ff4a3d' -draw 'rectangle 6,12 7,13' \
    -fill '#8aa0b4' -draw 'rectangle 9,13 12,13' \
    "$work/16.png"

convert "$work/16.png" "$work/32.png" "$root/app/orvane.ico"
if [ "${1:-}" = "--preview" ]; then
    convert "$work/16.png" -scale 800% "$work/32.png" -scale 400% +append \
        -background white -flatten "$root/build/icon-preview.png"
fi
