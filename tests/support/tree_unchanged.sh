#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# Whether a run of the tests left the source tree as it found it: `snapshot FILE` keeps
# what `git status` says before, `check FILE` fails, naming them, when any file is new or
# changed since. Outside a git work tree (an unpacked source archive) there is nothing
# to compare with, and it says so.
#   tree_unchanged.sh snapshot|check FILE
set -eu
mode=$1 file=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
if ! git -C "$root" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    [ "$mode" = check ] && echo "tree_unchanged: $root is not a git work tree; the tests' litter is not checked"
    exit 0
fi
status() { git -C "$root" status --porcelain=v1 --untracked-files=all; }
case $mode in
snapshot)
    mkdir -p "$(dirname "$file")"
    status >"$file"
    ;;
check)
    [ -f "$file" ] || { echo "tree_unchanged: no snapshot in $file"; exit 1; }
    new=$(status | grep -vxF -f "$file" || true)
    if [ -n "$new" ]; then
        echo "FAILED: the tests left these in the source tree (git status --porcelain):"
        echo "$new" | sed 's/^/    /'
        exit 1
    fi
    echo "the source tree is as the tests found it"
    ;;
*)
    echo "usage: $0 snapshot|check FILE" >&2
    exit 64
    ;;
esac
