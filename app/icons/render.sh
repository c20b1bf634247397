#!/usr/bin/env bash
# Renders the window icon's PNGs from their SVG sources (ImageMagick).
# Run after changing an SVG; the PNGs are committed.
set -euo pipefail
cd "$(dirname "$0")"
convert -background none -density 96 zembrel.svg -strip png32:zembrel-32.png
convert -background none -density 96 zembrel-16.svg -strip png32:zembrel-16.png
# The desktop's icon theme also gets 48 and 128 pixels: zembrel.svg is drawn
# on a 32-unit grid, so 96 dots per inch give 32 pixels.
convert -background none -density 144 zembrel.svg -strip png32:zembrel-48.png
convert -background none -density 384 zembrel.svg -strip png32:zembrel-128.png
