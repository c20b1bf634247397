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

# The C++ sources under the given folders, sorted, one a line; none is an
# error. Call it as list=$(sources_in ...), so that the error stops the caller.
sources_in() {
    local found
    found=$(find "$@" -type f \( -name '*.cpp' -o -name '*.h' \) | LC_ALL=C sort)
    [ -n "$found" ] || die "found no C++ sources in $*"
    printf '%s\n' "$found"
}
