#!/usr/bin/env bash
# Remakes calendar/Calendar.ico: the hand-set 16, 32 and 48 pixel images it holds first, and
# the same picture drawn again at 64 and 256 pixels (the system scales 256 down for the sizes
# between), so that large icons (the about box at 200 %, the Start menu's tiles) are drawn
# sharp rather than stretched. Needs ImageMagick.
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The hand-set sizes, as they are in the icon now.
for index in 0 1 2; do
  convert "Calendar.ico[$index]" "$work/small-$index.png"
done
# The 48-pixel design in its own units, scaled: a dark rounded frame, a blue band with two
# rings above it, a grid of grey lines and one red day.
for size in 64 256; do
  s=$(echo "scale=6; $size / 48" | bc)
  u() { echo "scale=2; $1 * $s" | bc; }
  convert -size "${size}x${size}" xc:none \
    -fill white -stroke '#202040' -strokewidth "$(u 2)" \
    -draw "roundrectangle $(u 3),$(u 5) $(u 45),$(u 45) $(u 4),$(u 4)" \
    -stroke none -fill '#1F3F8F' -draw "rectangle $(u 4),$(u 6) $(u 44),$(u 17)" \
    -fill '#9090A8' \
    -draw "rectangle $(u 16),$(u 17) $(u 17),$(u 44)" \
    -draw "rectangle $(u 24),$(u 17) $(u 25),$(u 44)" \
    -draw "rectangle $(u 32),$(u 17) $(u 33),$(u 44)" \
    -draw "rectangle $(u 4),$(u 25) $(u 44),$(u 26)" \
    -draw "rectangle $(u 4),$(u 32) $(u 44),$(u 33)" \
    -draw "rectangle $(u 4),$(u 39) $(u 44),$(u 40)" \
    -fill '#D02020' -draw "rectangle $(u 25),$(u 26) $(u 32),$(u 32)" \
    -fill '#E8E8F0' -stroke '#9090A8' -strokewidth "$(u 0.5)" \
    -draw "roundrectangle $(u 14),$(u 1.5) $(u 18),$(u 10) $(u 1),$(u 1)" \
    -draw "roundrectangle $(u 30),$(u 1.5) $(u 34),$(u 10) $(u 1),$(u 1)" \
    "$work/large-$size.png"
done
convert "$work/small-0.png" "$work/small-1.png" "$work/small-2.png" \
        "$work/large-64.png" "$work/large-256.png" -depth 8 Calendar.ico
identify Calendar.ico
