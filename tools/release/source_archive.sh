#!/bin/sh
# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# The one source archive of a release: the last commit as git archive packs it (names in
# the tree's order, every file dated the commit, owned by root), compressed with gzip -n,
# which leaves out the time and name. The page links it, the zips carry it, make dist
# ships it and builds every other artifact from it.
#   source_archive.sh OUT   OUT is mornakle-VERSION.tar.gz; its files lie in mornakle-VERSION/
set -eu
out=$1
name=$(basename "$out" .tar.gz)
mkdir -p "$(dirname "$out")"
git archive --format=tar --prefix="$name/" HEAD | gzip -9n >"$out.partial"
mv "$out.partial" "$out"
