#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Zembrel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Starts the program where no display can be reached: it must say so in one
# line and exit 1, not abort with the toolkit's advice to reinstall.
#
#   startup_test.sh ZEMBREL
set -euo pipefail
zembrel=$1
expected="Zembrel needs a graphical session: no X11 or Wayland display found."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

status=0
check() {
    local case=$1
    shift
    local code=0
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" "$zembrel" >"$work/out" 2>"$work/err" </dev/null || code=$?
    if [ "$code" != 1 ] || [ -s "$work/out" ] || [ "$(cat "$work/err")" != "$expected" ]; then
        echo "FAIL ($case): exit $code, stdout '$(cat "$work/out")', stderr:"
        cat "$work/err"
        status=1
    fi
}

check "no display named"
check "empty DISPLAY" DISPLAY=
check "display that does not answer" DISPLAY=:4711
check "X11 platform asked for without a display" QT_QPA_PLATFORM=xcb
exit $status
