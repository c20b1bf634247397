#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Zembrel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Renders the icon's PNGs from their SVG sources with rsvg-convert (Debian
# package librsvg2-bin), at the sizes given. Run after changing an SVG, as
# `cmake --build build --target zembrel-icons`, which passes the sizes CMake
# knows; the PNGs are committed, so building needs no renderer.
#
#   render.sh SIZE...
set -euo pipefail
cd "$(dirname "$0")"
command -v rsvg-convert >/dev/null 2>&1 ||
    { echo "render.sh: rsvg-convert is missing: apt-get install librsvg2-bin" >&2; exit 1; }
# zembrel-16.svg is the picture tuned for 16 pixels; zembrel.svg gives the rest.
for size in "$@"; do
    source=zembrel.svg
    [ "$size" != 16 ] || source=zembrel-16.svg
    rsvg-convert --width "$size" --height "$size" "$source" -o "zembrel-$size.png"
done
