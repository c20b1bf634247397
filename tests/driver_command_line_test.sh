#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Zembrel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The driver's command line: --help and --version answer without reading
# standard input; any other argument is refused in one line with exit 2.
#
#   driver_command_line_test.sh DRIVER VERSION
set -euo pipefail
driver=$1 version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

status=0
# check CASE EXIT STDOUT STDERR ARGUMENT...: STDOUT and STDERR are extended
# regular expressions for all that is written there ("" for nothing); a
# message on stderr is one line.
check() {
    local case=$1 expected=$2 out=$3 err=$4
    shift 4
    local code=0 input
    # A command waits on standard input, which stays open: a driver that
    # reads it answers, and then hangs until `timeout` ends it.
    rm -f "$work/in" && mkfifo "$work/in"
    exec {input}<>"$work/in"
    printf '%s\n' '["get", "Text3"]' >&$input
    timeout 5 "$driver" "$@" <&$input >"$work/out" 2>"$work/err" || code=$?
    exec {input}>&-
    local problem=""
    [ "$code" = "$expected" ] || problem+=" exit $code, not $expected;"
    [[ $(<"$work/out") =~ ^$out$ ]] || problem+=" stdout;"
    [[ $(<"$work/err") =~ ^$err$ ]] && [ "$(wc -l <"$work/err")" -le 1 ] || problem+=" stderr;"
    if [ -n "$problem" ]; then
        echo "FAIL ($case):$problem"
        sed 's/^/  stdout: /' "$work/out"
        sed 's/^/  stderr: /' "$work/err"
        status=1
    fi
}

usage='Usage: zembrel-driver \[--help \| --version\].*zembrel-driver \[--echo\].*\["set", FIELD, TEXT\].*\["click", BUTTON\].*'
usage+='\["menu", ITEM\].*\["get", NAME\].*\["text", FIELD, TEXT\].*\["enabled", BUTTON, BOOLEAN\].*'
usage+='\["msgbox", CODE, PROMPT\].*\["print", TEXT\].*\["error", NUMBER, DESCRIPTION\].*'
usage+='\["calculator", PROGRAM\].*\["browse", URL\].*\["exit"\].*\["bad", WHY\].*'
usage+='--echo .*'
refused() { echo "zembrel-driver: unknown argument '$1'; commands come on standard input \(zembrel-driver --help\)"; }

check "help" 0 "$usage" "" --help
check "version" 0 "zembrel-driver ${version//./\\.}" "" --version
check "short option" 2 "" "$(refused -h)" -h
check "a file name" 2 "" "$(refused scenario.txt)" scenario.txt
check "help with more" 2 "" "$(refused extra)" --help extra
check "help and version" 2 "" "$(refused --version)" --help --version
check "echo twice" 2 "" "$(refused --echo)" --echo --echo
check "echo and help" 2 "" "$(refused --help)" --echo --help
check "empty argument" 2 "" "$(refused '')" ''
exit $status
