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
        die "$1 is missing: run scripts/setup --test, which installs it (Debian package ${2:-$1})"
}

# tree_sources ARRAY: every C++ source of the tree (*.cpp and *.h), sorted,
# into ARRAY; build folders (build, build-*, any folder CMake configured)
# and hidden folders are left out. No source at all is an error.
tree_sources() {
    local -n into=$1
    mapfile -t into < <(find . -mindepth 1 -type d \( -name '.*' -o -name 'build' -o -name 'build-*' \
        -o -exec test -f '{}/CMakeCache.txt' ';' \) -prune -o -type f \( -name '*.cpp' -o -name '*.h' \) -print |
        sed 's|^\./||' | LC_ALL=C sort)
    [ ${#into[@]} -gt 0 ] || die "found no C++ sources: run this in a whole Zembrel source tree"
}
