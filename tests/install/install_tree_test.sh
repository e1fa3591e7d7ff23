#!/bin/bash
# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# Installs the build, checks the tree a desktop expects with its own validators, then moves the tree and
# plays the show from another folder: the program must find its data beside itself, not in the build.
#   install_tree_test.sh BUILD
# Exits 77 (skipped) when a validator is missing.
set -u
build=$1
. "$(dirname "$0")/../support/script_checks.sh"
need_tools desktop-file-validate appstreamcli man identify
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/first" >"$work/install.log" || { cat "$work/install.log"; fail "cmake --install"; }
prefix=$work/first
for file in bin/mornakle bin/mornakle-inspect share/mornakle/hus.3ds share/mornakle/back.xm \
    share/applications/mornakle.desktop share/metainfo/org.mornakle.mornakle3d.metainfo.xml \
    share/man/man6/mornakle.6.gz share/man/man1/mornakle-inspect.1.gz share/doc/mornakle/copyright \
    share/doc/mornakle/changelog.gz; do
    [ -s "$prefix/$file" ] || fail "$file is not installed"
done
for size in 16 32 48 64 128 256; do
    icon=$prefix/share/icons/hicolor/${size}x$size/apps/mornakle.png
    [ "$(identify -format '%wx%h %[channels]' "$icon" 2>&1)" = "${size}x$size srgba" ] ||
        fail "$icon is not a ${size}x$size picture with transparency"
done

validate_desktop_files "$prefix" || fail "the installed desktop files do not pass their validators"

# Moved as a whole and started from an unrelated folder.
mv "$prefix" "$work/moved"
mkdir "$work/elsewhere" && cd "$work/elsewhere" || exit 1
"$work/moved/bin/mornakle" --headless --frame-ms 50 --capture shots --capture-every 350 >run.log 2>&1
rc=$?
[ "$rc" = 0 ] || { cat run.log; fail "the moved program exited with $rc"; }
# Frame 350 (17.5 s) is the house scene: drawn from the installed meshes, not black.
shot=$(cd shots && ls frame-* | sed -n 2p)
[ -n "$shot" ] || fail "the moved program captured no frames"
[ "$(identify -format '%[fx:maxima.g>0.1]' "shots/$shot")" = 1 ] || fail "$shot is black"
"$work/moved/bin/mornakle-inspect" "$work/moved/share/mornakle/box.3ds" | grep -q '"vertexCount"' ||
    fail "the moved mornakle-inspect cannot read the installed data"
echo "installed, validated, moved and played"
