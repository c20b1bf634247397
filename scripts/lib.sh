# SPDX-FileCopyrightText: 2026 The Zembrel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Sourced by the scripts beside it, from the top of the source tree. Every
# script stops at its first failure and says in one line which step failed,
# so a run never goes on past a missing tool or an empty list of inputs.
set -euo pipefail
shopt -s inherit_errexit

script=scripts/$(basename "$0")

die() {
    echo "$script: $*" >&2
    exit 1
}

# A script this one ran has already said what failed.
stopped() {
    local code=$1 command=$2
    [[ $command == scripts/* ]] || echo "$script: stopped: '$command' failed (exit $code)" >&2
}
trap 'stopped $? "$BASH_COMMAND"' ERR

# need COMMAND [PACKAGE]: COMMAND must be on the PATH; PACKAGE is the Debian
# package scripts/setup installs it from.
need() {
    command -v "$1" >/dev/null 2>&1 ||
        die "$1 is missing: run scripts/setup, which installs it (Debian package ${2:-$1})"
}

# sources_in ARRAY FOLDER...: the C++ sources under the folders, sorted,
# into ARRAY; a missing folder or no source at all is an error.
sources_in() {
    local -n into=$1
    shift
    local folder
    for folder in "$@"; do
        [ -d "$folder" ] || die "$folder/ is missing: run this in a whole Zembrel source tree"
    done
    mapfile -t into < <(find "$@" -type f \( -name '*.cpp' -o -name '*.h' \) | LC_ALL=C sort)
    [ ${#into[@]} -gt 0 ] || die "found no C++ sources in $*"
}
