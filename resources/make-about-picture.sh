#!/bin/sh
# Draws the About window's 100 x 100 logo (about.jpg) with ImageMagick.
# Run from any directory; the picture is written next to this script.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
fonts=/usr/share/fonts/truetype/dejavu
convert -size 100x100 radial-gradient:'#9b2226'-'#1b0a0c' \
  -fill none -stroke '#d9a93f' -strokewidth 3 -draw 'circle 50,50 50,5' \
  -stroke '#7a5312' -strokewidth 1 -draw 'circle 50,50 50,10' \
  -gravity center \
  -font "$fonts/DejaVuSerif-Bold.ttf" -pointsize 58 \
  -fill '#f0c75e' -stroke '#4a2c06' -strokewidth 1 -annotate +0-7 'V' \
  -font "$fonts/DejaVuSans-Bold.ttf" -pointsize 11 \
  -fill '#f6e7c1' -stroke none -annotate +0+29 'PRO' \
  -colorspace sRGB -type TrueColor -interlace none -sampling-factor 2x2 -quality 90 -strip \
  "$here/about.jpg"
