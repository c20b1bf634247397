#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Zembrel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Times Zembrel from launch until its window is mapped on screen, and reads
# the processor time it took until then and its peak memory, in rounds of
# three launches under a private Xvfb server: Zembrel; bench/same_fonts_qt,
# Zembrel's controls, captions and fonts as plain Qt widgets; and
# bench/minimal_qt, a plain Qt Widgets window of the same size and controls,
# which is the yardstick. Prints medians with their interquartile ranges, the
# ratios (each round's, so that a busy moment weighs on both programs of the
# ratio alike), and the libraries Zembrel maps that the yardstick does not.
#
# The fonts are those of bench/fonts.conf, a Debian system's with the package
# installed, so that a face some other package brings does not change the
# yardstick's; FONTS names another fontconfig file, or "system" for this
# machine's own set-up.
#
#   bench/startup.sh [RUNS [FONTS]]     default: 15 rounds, bench/fonts.conf
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
fonts=${2:-bench/fonts.conf}

# xev and xwininfo watch for the windows; only this script needs them.
scripts/setup --test x11-utils
scripts/build >/dev/null

work=$(mktemp -d)
xvfb=
watcher=
cleanup() {
    [ -z "$watcher" ] || kill "$watcher" 2>/dev/null || true
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

if [ "$fonts" != system ]; then
    [ -f "$fonts" ] || { echo "no fontconfig file $fonts" >&2; exit 1; }
    # Fontconfig reads a relative name as one of its own configuration directory.
    FONTCONFIG_FILE=$(realpath "$fonts")
    export FONTCONFIG_FILE
fi

# -noreset: otherwise the server restarts whenever its last client leaves, and
# a launch at that moment finds no display.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb=$!
until [ -s "$work/display" ]; do
    kill -0 "$xvfb" 2>/dev/null || { echo "Xvfb did not start" >&2; exit 1; }
    sleep 0.05
done
export DISPLAY=":$(cat "$work/display")" QT_QPA_PLATFORM=xcb

# xev reports each window the server maps, as it maps it, on descriptor 4.
# Waiting on it costs the launch nothing; asking the server again and again
# with xwininfo took a processor and the server from the program measured:
# on two cores its start took 14 ms longer and varied three times as much.
mkfifo "$work/events"
stdbuf -oL xev -root -event substructure >"$work/events" 2>/dev/null &
watcher=$!
exec 4<"$work/events"

# Reads what xev reports until a window is mapped; fails after $1 s of silence.
mapped() {
    local event
    while read -r -t "$1" event <&4; do
        [[ $event != MapNotify* ]] || return 0
    done
    return 1
}
# Starts $1 in the background and waits until its window, the only one on the
# server, is mapped: viewable, with no window manager. Sets pid.
launch() {
    local program=$1 seconds=0
    "$program" >/dev/null 2>"$work/stderr" &
    pid=$!
    until mapped 1; do
        kill -0 "$pid" 2>/dev/null || { echo "$program ended before showing its window:" >&2; cat "$work/stderr" >&2; exit 1; }
        ((++seconds < 30)) || { echo "$program showed no window in 30 s" >&2; exit 1; }
    done
}
# Ends the program launch started, and reads past what the server reports of it.
finish() {
    local event
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    while read -r -t 0.05 event <&4; do :; done
}

# One launch: prints the microseconds until the window is mapped, the
# microseconds its threads had run until then, and the peak resident memory
# in KiB, read after the first paint has settled. With $2, also lists the
# shared libraries the process maps into that file.
measure() {
    local program=$1 libraries=${2:-} start end cpu peak
    start=$(date +%s%N)
    launch "$program"
    end=$(date +%s%N)
    # The first field of schedstat is the time on a processor, in nanoseconds.
    cpu=$(cat /proc/"$pid"/task/*/schedstat | awk '{ ns += $1 } END { printf "%d", ns / 1000 }')
    sleep 0.3
    peak=$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status")
    [ -z "$libraries" ] || awk '$6 ~ /\.so/ { n = split($6, path, "/"); print path[n] }' "/proc/$pid/maps" | sort -u >"$libraries"
    finish
    echo "$(((end - start) / 1000)) $cpu $peak"
}

# A first launch of each warms the disk cache and the font cache. The very
# first is watched with xwininfo, as xev may not listen yet; if it missed
# that window, it sees the next.
build/bench/minimal_qt >/dev/null 2>&1 &
pid=$!
until xwininfo -name Minimal 2>/dev/null | grep -q IsViewable; do sleep 0.01; done
mapped 1 || { finish && launch build/bench/minimal_qt; }
finish
measure build/app/zembrel "$work/zembrel.so" >/dev/null
measure build/bench/same_fonts_qt >/dev/null
measure build/bench/minimal_qt "$work/minimal.so" >/dev/null
# A row per round: Zembrel's, the same fonts' and the minimal program's
# startup, processor time and peak.
for ((i = 0; i < runs; ++i)); do
    zembrel=$(measure build/app/zembrel)
    same=$(measure build/bench/same_fonts_qt)
    minimal=$(measure build/bench/minimal_qt)
    echo "$zembrel $same $minimal" >>"$work/rounds"
done

# Median and quartiles of the awk expression $1 over the rounds.
spread() {
    awk "{ print $1 }" "$work/rounds" | sort -g | awk '{ v[NR] = $1 }
        END { print v[int((NR + 1) / 2)], v[int((NR + 3) / 4)], v[int((3 * NR + 3) / 4)] }'
}
# A line of the table: a label, a printf format for a number, then one awk
# expression per column, each shown as its median [interquartile range].
line() {
    local label=$1 number=$2 expression median low high
    shift 2
    printf "  %-42s" "$label"
    for expression in "$@"; do
        read -r median low high <<<"$(spread "$expression")"
        # shellcheck disable=SC2059 # the format is the caller's
        printf "%-20s" "$(printf "$number [$number-$number]" "$median" "$low" "$high")"
    done
    echo
}

{
    echo "$runs rounds, fonts of $fonts; medians [interquartile range]"
    printf "  %-42s%-20s%-20s%s\n" "" "startup, ms" "processor, ms" "peak RSS, MiB"
    line "Zembrel (build/app/zembrel)" %.1f '$1 / 1000' '$2 / 1000' '$3 / 1024'
    line "same controls and fonts, plain Qt" %.1f '$4 / 1000' '$5 / 1000' '$6 / 1024'
    line "minimal Qt program" %.1f '$7 / 1000' '$8 / 1000' '$9 / 1024'
    line "Zembrel / minimal (target at most 1.05)" %.2f '$1 / $7' '$2 / $8' '$3 / $9'
    line "  the fonts: same fonts / minimal" %.2f '$4 / $7' '$5 / $8' '$6 / $9'
    line "  the program: Zembrel / same fonts" %.2f '$1 / $4' '$2 / $5' '$3 / $6'
} | sed 's/ *$//'
echo "Libraries Zembrel maps that the minimal program does not:" \
    "$(comm -23 "$work/zembrel.so" "$work/minimal.so" | tr '\n' ' ')"
