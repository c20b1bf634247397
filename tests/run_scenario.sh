#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Zembrel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs one scenario file through zembrel-driver --echo and compares the
# transcript, so an event that moved to another command fails the scenario.
#
# A scenario holds the driver's input lines, each behind "> ", and after each
# the output lines it must produce. "~ " marks an input line the driver must
# never read, having stopped before it (it is fed, and never echoed). "# "
# starts a comment; "= exit N" expects
# that exit code (0 otherwise); "= env NAME=VALUE" sets a variable for the run.
# "{N×TEXT}" in an input or output line stands for TEXT written N times, so a
# field of a million characters needs no megabyte in the file.
set -euo pipefail
driver=$1
scenario=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

repeat() { perl -pe 's/\{(\d+)×([^{}]*)\}/$2 x $1/ge'; }
grep -e '^> ' -e '^~ ' "$scenario" | cut -c3- | repeat > "$work/input" || true
grep -v -e '^~ ' -e '^#' -e '^=' -e '^[[:space:]]*$' "$scenario" | repeat > "$work/expected" || true
expected_code=$(sed -n 's/^= exit //p' "$scenario")
mapfile -t environment < <(sed -n 's/^= env //p' "$scenario")

code=0
env ${environment[@]+"${environment[@]}"} "$driver" --echo < "$work/input" > "$work/actual" 2> "$work/stderr" || code=$?

status=0
# Long lines are cut short in the report; the comparison sees them whole.
if ! diff -u --label expected --label actual "$work/expected" "$work/actual" | cut -c1-2000; then
    status=1
fi
if [ "$code" != "${expected_code:-0}" ]; then
    echo "exit code $code, expected ${expected_code:-0}"
    cat "$work/stderr"
    status=1
fi
exit $status
