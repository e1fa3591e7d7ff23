#!/bin/bash
# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# Packs the build into a .deb with CPack, checks its dependencies, installs it into a private root
# (the machine's own package database is not touched), plays the show, removes it, and expects nothing left.
#   deb_package_test.sh BUILD
# Exits 77 (skipped) when cpack, dpkg or dpkg-shlibdeps is missing.
set -u
build=$1
. "$(dirname "$0")/../support/script_checks.sh"
need_tools cpack dpkg dpkg-deb dpkg-shlibdeps
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/pack" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/pack/*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || { cat "$work/cpack.log"; fail "cpack made no .deb"; }

depends=$(dpkg-deb -f "$deb" Depends)
for library in libsdl2-2.0-0 libxmp4 libpng16-16 libc6 libstdc++6; do
    grep -q "\(^\|, \)$library " <<<"$depends" || fail "Depends lacks $library: $depends"
done
[ "$(dpkg-deb -f "$deb" Recommends)" = ffmpeg ] || fail "ffmpeg is not recommended"
contents=$(dpkg-deb -c "$deb")
for file in usr/bin/mornakle usr/share/mornakle/hus.3ds usr/share/applications/mornakle.desktop; do
    grep -q " \./$file\$" <<<"$contents" || fail "the package has no /$file"
done

# A private root with an empty package database.
root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/var/log"
touch "$root/var/lib/dpkg/status" "$root/var/lib/dpkg/available"
private=(dpkg --root="$root" --force-depends --force-not-root --force-script-chrootless --log=/dev/null)
"${private[@]}" -i "$deb" >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg -i"; }
mkdir "$work/elsewhere" && cd "$work/elsewhere" || exit 1
"$root/usr/bin/mornakle" --headless --frame-ms 50 --capture shots --capture-every 1000 >run.log 2>&1 ||
    { cat run.log; fail "the packaged program did not play the show"; }
[ "$(ls shots/frame-* | wc -l)" -ge 2 ] || fail "the packaged program captured no frames"
"${private[@]}" -r mornakle >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg -r"; }
left=$(find "$root/usr" -mindepth 1 2>/dev/null)
[ -z "$left" ] || fail "dpkg -r left behind: $left"
echo "packed, installed, played and removed: $(basename "$deb")"
