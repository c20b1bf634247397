#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Zembrel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a GUI test program on Wayland: starts weston with its headless
# backend (no screen, no GPU) on a socket of its own, then the program with
# WAYLAND_DISPLAY set and neither DISPLAY nor QT_QPA_PLATFORM, so that Qt
# chooses the platform itself. Exits 77, which CTest counts as skipped, where
# weston cannot start.
#
#   wayland.sh TEST_PROGRAM
set -euo pipefail
program=$1
runtime=$(mktemp -d)
weston=
cleanup() {
    [ -z "$weston" ] || kill "$weston" 2>/dev/null || true
    [ -z "$weston" ] || wait "$weston" 2>/dev/null || true
    rm -rf "$runtime"
}
trap cleanup EXIT
chmod 700 "$runtime"
socket=zembrel-test

command -v weston >/dev/null || { echo "SKIP: weston is not installed (Debian package weston)"; exit 77; }
XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --socket=$socket --no-config --idle-time=0 \
    >"$runtime/weston.log" 2>&1 &
weston=$!
# Weston makes its socket once it is ready for clients.
for _ in $(seq 100); do
    [ -S "$runtime/$socket" ] && break
    kill -0 "$weston" 2>/dev/null || break
    sleep 0.1
done
if [ ! -S "$runtime/$socket" ]; then
    echo "SKIP: weston could not start here:"
    cat "$runtime/weston.log"
    exit 77
fi

env -u DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=$socket XDG_SESSION_TYPE=wayland \
    "$program"
