#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Zembrel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Times Zembrel from launch until its window is mapped on screen and reads its
# peak memory, interleaved with bench/minimal_qt (a plain Qt Widgets window of
# the same size and controls), under a private Xvfb server. Prints the medians
# and Zembrel's ratio to the minimal program.
#
#   bench/startup.sh [RUNS]        default: 15 runs of each program
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}

# xwininfo watches for the window; only this script needs it.
scripts/setup --test x11-utils
scripts/build >/dev/null

work=$(mktemp -d)
xvfb=
cleanup() {
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# -noreset: otherwise the server restarts whenever its last client leaves, and
# a launch at that moment finds no display.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb=$!
until [ -s "$work/display" ]; do
    kill -0 "$xvfb" 2>/dev/null || { echo "Xvfb did not start" >&2; exit 1; }
    sleep 0.05
done
export DISPLAY=":$(cat "$work/display")" QT_QPA_PLATFORM=xcb

# One launch: prints the microseconds until the window titled $2 is viewable
# and the peak resident memory in KiB, read after the first paint has settled.
measure() {
    local program=$1 title=$2 start end pid peak
    start=$(date +%s%N)
    "$program" >/dev/null 2>"$work/stderr" &
    pid=$!
    until xwininfo -name "$title" 2>/dev/null | grep -q IsViewable; do
        kill -0 "$pid" 2>/dev/null || { echo "$program ended before showing its window:" >&2; cat "$work/stderr" >&2; exit 1; }
    done
    end=$(date +%s%N)
    sleep 0.3
    peak=$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "$(( (end - start) / 1000 )) $peak"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# A first launch of each warms the disk cache and the font cache.
measure build/app/zembrel Zembrel >/dev/null
measure build/bench/minimal_qt Minimal >/dev/null
for ((i = 0; i < runs; ++i)); do
    measure build/app/zembrel Zembrel >>"$work/zembrel"
    measure build/bench/minimal_qt Minimal >>"$work/minimal"
done

z_time=$(cut -d' ' -f1 "$work/zembrel" | median)
m_time=$(cut -d' ' -f1 "$work/minimal" | median)
z_peak=$(cut -d' ' -f2 "$work/zembrel" | median)
m_peak=$(cut -d' ' -f2 "$work/minimal" | median)
awk -v zt="$z_time" -v mt="$m_time" -v zp="$z_peak" -v mp="$m_peak" -v n="$runs" 'BEGIN {
    printf "%d runs each, medians         startup ms   peak RSS MiB\n", n
    printf "  Zembrel (build/app/zembrel)    %7.1f      %7.1f\n", zt / 1000, zp / 1024
    printf "  minimal Qt program             %7.1f      %7.1f\n", mt / 1000, mp / 1024
    printf "  ratio (target at most 1.10)    %7.2f      %7.2f\n", zt / mt, zp / mp
}'
