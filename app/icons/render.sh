#!/usr/bin/env bash
# Renders the window icon's PNGs from their SVG sources (ImageMagick).
# Run after changing an SVG; the PNGs are committed.
set -euo pipefail
cd "$(dirname "$0")"
convert -background none -density 96 zembrel.svg -strip png32:zembrel-32.png
convert -background none -density 96 zembrel-16.svg -strip png32:zembrel-16.png
