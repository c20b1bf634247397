#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Zembrel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The source tree follows REUSE: every file names its copyright and licence
# (its SPDX header, or .reuse/dep5), and LICENSES/ holds each licence named.
# In a git work tree reuse leaves out what git ignores. An unpacked tarball
# has no such list, so reuse reads a copy of it without the build folders
# (/build*/ and the editor's /.cache/, as .gitignore has them).
#
#   reuse_test.sh SOURCE_DIR
set -euo pipefail
source=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

root=$source
if [ "$(git -C "$source" rev-parse --show-toplevel 2>/dev/null || true)" != "$source" ]; then
    root=$work/tree
    mkdir "$root"
    tar -C "$source" --anchored --exclude='./build*' --exclude=./.cache --exclude=./.git -c . | tar -C "$root" -x
fi
reuse --root "$root" lint
