#!/bin/sh
# Renders the program icon's PNG sizes from icons/ratiomat.svg into
# icons/png/. Run it after editing the SVG and commit the PNGs: the build
# itself never renders, so it needs no SVG tool.
# Uses rsvg-convert (Debian: librsvg2-bin), else ImageMagick's convert.
set -eu
cd "$(dirname "$0")/icons"
mkdir -p png
for size in 16 32 48 64 128 256; do
  out="png/ratiomat-$size.png"
  if command -v rsvg-convert >/dev/null 2>&1; then
    rsvg-convert --width "$size" --height "$size" --output "$out" ratiomat.svg
  else
    convert -background none -density 1200 ratiomat.svg -resize "${size}x${size}" "PNG32:$out"
  fi
  echo "$out"
done
