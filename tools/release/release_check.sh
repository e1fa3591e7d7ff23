#!/bin/bash
# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# make release-check: the release made a second time, from a fresh clone in another
# folder, with ccache off (a cache would hand back objects compiled in the first
# folder and hide a path that leaks into them), and compared with DIST byte for byte.
# Where two files differ, diffoscope says how, into build-release/NAME.diffoscope.txt.
#   release_check.sh DIST [JOBS]
set -euo pipefail
cd "$(dirname "$0")/../.."
dist=$(realpath "$1") jobs=${2:-2}
other=$PWD/build-release
rm -rf "$other" && mkdir -p "$other"
git clone -q --no-hardlinks . "$other/clone"
git -C "$other/clone" checkout -q --detach "$(git rev-parse HEAD)"
CCACHE_DISABLE=1 "$other/clone/tools/release/dist.sh" "$other/dist" "$other/clone/build-dist" "$jobs"

differ=0
for file in $(cd "$dist" && ls); do
    if cmp -s "$dist/$file" "$other/dist/$file"; then
        echo "same: $file"
        continue
    fi
    differ=1
    echo "DIFFERS: $file (diffoscope: $other/$file.diffoscope.txt)"
    diffoscope --text "$other/$file.diffoscope.txt" "$dist/$file" "$other/dist/$file" >/dev/null 2>&1 || true
    head -n 40 "$other/$file.diffoscope.txt"
done
[ "$(cd "$dist" && ls)" = "$(cd "$other/dist" && ls)" ] || { echo "the two releases hold other files"; differ=1; }
[ "$differ" = 0 ] || exit 1
echo "the release built again in $other/clone is the same byte for byte"
