#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Zembrel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Renders the icon's PNGs from their SVG sources with rsvg-convert (Debian
# package librsvg2-bin). Run after changing an SVG; the PNGs are committed,
# so building needs no renderer.
set -euo pipefail
cd "$(dirname "$0")"
command -v rsvg-convert >/dev/null 2>&1 ||
    { echo "render.sh: rsvg-convert is missing: apt-get install librsvg2-bin" >&2; exit 1; }
# zembrel-16.svg is the picture tuned for 16 pixels; zembrel.svg gives the rest.
rsvg-convert --width 16 --height 16 zembrel-16.svg -o zembrel-16.png
for size in 32 48 64 128; do
    rsvg-convert --width $size --height $size zembrel.svg -o zembrel-$size.png
done
