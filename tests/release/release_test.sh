#!/bin/bash
# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# The release make dist left, checked as those who take it would: each ecosystem's own
# checker on its artifact (lintian, desktop-file-validate, appstreamcli, man, reuse),
# the one version everywhere, the one source archive everywhere, every archive packed a
# second time and compared, and every unpacked artifact searched for the build's paths
# and time stamps. The arm64 package holds what the amd64 one holds but for its programs,
# and its program, run under qemu-aarch64-static, plays the start of the show as the
# amd64 package's does.
#   release_test.sh DIST WORK   (as make dist left them)
set -u
. "$(dirname "$0")/../support/script_checks.sh"
need_tools lintian reuse desktop-file-validate appstreamcli man dpkg-deb python3 i686-w64-mingw32-objdump \
    x86_64-w64-mingw32-objdump qemu-aarch64-static aarch64-linux-gnu-objdump
dist=$(realpath "$1") work=$(realpath "$2")
root=$(realpath "$(dirname "$0")/../..")
version=$(sed -n 's/^project(Mornakle3D VERSION \([0-9.]*\) .*/\1/p' "$root/CMakeLists.txt")
name=mornakle-$version
epoch=$(cd "$root" && git log -1 --format=%ct)
# Packed again as make dist packs: dated the last commit, whether make runs this or not.
export SOURCE_DATE_EPOCH=$epoch TZ=UTC
umask 022
check=$work/check
rm -rf "$check" && mkdir -p "$check"
failures=0
problem() { echo "FAIL: $*"; failures=$((failures + 1)); }

artifacts=("$name.tar.gz" "mornakle_${version}_amd64.deb" "mornakle_${version}_arm64.deb" "$name-win32.zip" "$name-win64.zip" "$name-web.zip")
for artifact in "${artifacts[@]}" SHA256SUMS; do
    [ -s "$dist/$artifact" ] || fail "make dist left no $artifact"
done
[ "$(ls "$dist" | wc -l)" = 7 ] || problem "dist/ holds more than the release: $(ls "$dist")"
(cd "$dist" && sha256sum --check --strict --quiet SHA256SUMS) || problem "SHA256SUMS does not match the files"
[ "$(wc -l <"$dist/SHA256SUMS")" = 6 ] || problem "SHA256SUMS does not list the six artifacts"

# Unpacked, each into its own folder.
unzipTo() { python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "$1" "$2"; }
mkdir -p "$check/source" "$check/deb" "$check/deb-arm64" "$check/win32" "$check/win64" "$check/web"
tar -xzf "$dist/$name.tar.gz" -C "$check/source"
dpkg-deb -x "$dist/mornakle_${version}_amd64.deb" "$check/deb"
dpkg-deb -e "$dist/mornakle_${version}_amd64.deb" "$check/deb/DEBIAN"
dpkg-deb -x "$dist/mornakle_${version}_arm64.deb" "$check/deb-arm64"
dpkg-deb -e "$dist/mornakle_${version}_arm64.deb" "$check/deb-arm64/DEBIAN"
for part in win32 win64 web; do unzipTo "$dist/$name-$part.zip" "$check/$part"; done
site=$check/web/$name-web

echo "== the checkers"
# lintian's own failure (a status of 2) would otherwise pass as a report without tags.
for arch in amd64 arm64; do
    lintian -I --tag-display-limit 0 "$dist/mornakle_${version}_$arch.deb" >"$check/lintian-$arch.log" 2>&1 ||
        { cat "$check/lintian-$arch.log"; problem "lintian failed or found errors in the $arch package"; }
    grep -E '^(E|W): |hardening' "$check/lintian-$arch.log" &&
        problem "lintian reports errors, warnings or missing hardening in the $arch package"
done
validate_desktop_files "$check/deb/usr" || problem "the packaged desktop files do not pass their validators"
(cd "$check/source/$name" && reuse lint >"$check/reuse.log" 2>&1) || { tail -n 30 "$check/reuse.log"; problem "reuse lint"; }

echo "== the arm64 package"
# The same package but for its programs: the same data, pages, icons and notices, and
# its own libraries' arm64 packages as dependencies.
arm64Differs=$(diff -r "$check/deb/usr/share" "$check/deb-arm64/usr/share") ||
    problem "the arm64 package's shared files differ from the amd64 package's: $(echo "$arm64Differs" | head -n 5)"
[ "$(cd "$check/deb-arm64" && find . -type f | sort)" = "$(cd "$check/deb" && find . -type f | sort)" ] ||
    problem "the arm64 package holds other files than the amd64 one"
[ "$(dpkg-deb -f "$dist/mornakle_${version}_arm64.deb" Architecture)" = arm64 ] || problem "the arm64 package is not for arm64"
[ "$(dpkg-deb -f "$dist/mornakle_${version}_arm64.deb" Depends)" = "$(dpkg-deb -f "$dist/mornakle_${version}_amd64.deb" Depends)" ] ||
    problem "the two packages depend on other packages: $(dpkg-deb -f "$dist/mornakle_${version}_arm64.deb" Depends)"
dpkg-deb -f "$dist/mornakle_${version}_arm64.deb" Depends | grep -q 'libsdl2-2.0-0 (>=' ||
    problem "dpkg-shlibdeps found no versioned SDL2 dependency for the arm64 program"
for program in mornakle mornakle-inspect; do
    aarch64-linux-gnu-objdump -f "$check/deb-arm64/usr/bin/$program" | grep -q 'architecture: aarch64' ||
        problem "the arm64 package's $program is not an arm64 program"
done
[ "$(qemu-aarch64-static "$check/deb-arm64/usr/bin/mornakle" --version)" = "mornakle $version" ] ||
    problem "the arm64 package's program does not say $version under qemu-aarch64-static"
# The first 20 s of the show, each installed program with its installed data.
"$root/tests/arm64/same_show.sh" "$check/deb/usr/bin/mornakle" "$check/deb-arm64/usr/bin/mornakle" scalar \
    "$check/same-show" 20000 || problem "the arm64 package's program plays another show than the amd64 one's"

echo "== one version, one source archive"
[ "$(dpkg-deb -f "$dist/mornakle_${version}_amd64.deb" Version)" = "$version" ] || problem "the package is not version $version"
[ "$("$check/deb/usr/bin/mornakle" --version)" = "mornakle $version" ] || problem "the packaged program does not say $version"
grep -q "<release version=\"$version\"" "$check/deb/usr/share/metainfo/org.mornakle.mornakle3d.metainfo.xml" ||
    problem "the AppStream release is not $version"
grep -q '<project_license>MIT</project_license>' "$check/deb/usr/share/metainfo/org.mornakle.mornakle3d.metainfo.xml" ||
    problem "the AppStream data does not say MIT"
for page in man6/mornakle.6.gz man1/mornakle-inspect.1.gz; do
    zcat "$check/deb/usr/share/man/$page" | grep -m 1 '^\.TH ' | grep -q "\"Mornakle 3D $version\"" ||
        problem "$page is not of $version"
done
zcat "$check/deb/usr/share/doc/mornakle/changelog.gz" | head -n 1 | grep -q "^mornakle ($version) " ||
    problem "the changelog does not begin with $version"
for part in win32 win64; do
    head -n 1 "$check/$part/README.txt" | grep -q "Mornakle 3D $version " || problem "$part's README.txt is not of $version"
    cmp -s "$check/$part/source/$name.tar.gz" "$dist/$name.tar.gz" || problem "$part carries another source archive"
    for file in LICENSE.txt licenses/libxmp-COPYING.LIB.txt licenses/libxmp-copyright.txt licenses/mingw-w64-copyright.txt \
        licenses/gcc-copyright.txt; do
        [ -s "$check/$part/$file" ] || problem "$part carries no $file"
    done
    grep -q "GCC RUNTIME LIBRARY EXCEPTION" "$check/$part/licenses/gcc-copyright.txt" ||
        problem "$part lacks GCC's runtime library exception"
    ls "$check/$part"/source/libxmp_*.dsc >/dev/null 2>&1 || problem "$part carries no libxmp source package"
done
grep -q "href=\"$name.tar.gz\"" "$site/index.html" || problem "the page does not link $name.tar.gz"
grep -q "Mornakle 3D $version" "$site/index.html" || problem "the page does not show $version"
cmp -s "$site/$name.tar.gz" "$dist/$name.tar.gz" || problem "the page links another source archive"
[ -s "$site/LICENSE.txt" ] && [ -s "$site/licenses/libxmp-COPYING.LIB.txt" ] || problem "the site lacks its licences"
ls "$site"/source/libxmp_*.dsc >/dev/null 2>&1 || problem "the site carries no libxmp source package"
for font in xfonts-base; do
    grep -q "^License: $font" "$check/deb/usr/share/doc/mornakle/copyright" || problem "the copyright file lacks $font"
    [ -s "$site/licenses/$font-copyright.txt" ] || problem "the site lacks $font's notice"
done
# The libxmp the zips carry is the one the build records, whole.
for part in win64 web; do
    folder=$check/$part/source
    [ "$part" = web ] && folder=$site/source
    "$root/tools/release/check_dsc.sh" "$folder/libxmp_$(cat "$root/cmake/libxmp_debian_version.txt").dsc" \
        "$(cat "$root/cmake/libxmp_debian_version.txt")" || problem "$part's libxmp source is not whole"
done

echo "== every archive packed a second time"
again=$check/again && mkdir -p "$again"
(cd "$root" && tools/release/source_archive.sh "$again/$name.tar.gz")
(cd "$work/native" && cpack -G DEB -B "$again/deb" >"$again/cpack.log" 2>&1) && cp "$again/deb/mornakle_${version}_amd64.deb" "$again/"
(cd "$work/arm64" && cpack -G DEB -B "$again/deb-arm64" >"$again/cpack-arm64.log" 2>&1) &&
    cp "$again/deb-arm64/mornakle_${version}_arm64.deb" "$again/"
for part in win32 win64; do
    python3 "$root/tools/release/pack_zip.py" "$again/$name-$part.zip" "$work/windows/$part/package" \
        mornakle.exe data README.txt LICENSE.txt licenses source
done
python3 "$root/tools/release/pack_zip.py" --prefix "$name-web/" "$again/$name-web.zip" "$work/web/site" \
    $(cd "$work/web/site" && ls -A)
for artifact in "${artifacts[@]}"; do
    cmp -s "$dist/$artifact" "$again/$artifact" || problem "$artifact packed again differs"
done

echo "== build paths and time stamps"
gunzipped=$check/gunzipped && mkdir -p "$gunzipped"
find "$check/deb" -name '*.gz' -exec sh -c 'zcat "$1" >"$2/$(basename "$1" .gz)"' sh {} "$gunzipped" \;
# The page's module and data files lie in the site compressed: searched unpacked.
find "$site" -maxdepth 2 -name '*.gz' ! -name '*.tar.gz' -exec sh -c 'zcat "$1" >"$2/web-$(basename "$1" .gz)"' \
    sh {} "$gunzipped" \;
for path in "$work" "$root"; do
    found=$(grep -r -l -a -F "$path" "$check/source" "$check/deb" "$check/deb-arm64" "$check/win32" "$check/win64" "$check/web" "$gunzipped")
    [ -z "$found" ] || problem "the build path $path is in: $found"
done
# A compiler's __DATE__ of today, in any artifact.
today=$(LC_ALL=C date -u '+%b %e %Y')
found=$(grep -r -l -a -F "$today" "$check/source" "$check/deb" "$check/deb-arm64" "$check/win32" "$check/win64" "$check/web" "$gunzipped")
[ -z "$found" ] || problem "today's date ($today) is in: $found"
# Every member of every archive dated the last commit (zip times count in 2 s).
python3 - "$epoch" "$dist" "${artifacts[@]}" <<'PY' || problem "an archive member is not dated the last commit"
import io, subprocess, sys, tarfile, time, zipfile
epoch, dist, names = int(sys.argv[1]), sys.argv[2], sys.argv[3:]
bad = []
for name in names:
    path = dist + "/" + name
    if name.endswith(".zip"):
        stamp = time.gmtime(epoch - epoch % 2)[:6]
        bad += [name + ":" + i.filename for i in zipfile.ZipFile(path).infolist() if i.date_time != stamp]
    elif name.endswith(".tar.gz"):
        bad += [name + ":" + m.name for m in tarfile.open(path).getmembers() if m.mtime != epoch]
    else:
        for part in ("--fsys-tarfile", "--ctrl-tarfile"):
            data = subprocess.run(["dpkg-deb", part, path], capture_output=True, check=True).stdout
            bad += [name + ":" + m.name for m in tarfile.open(fileobj=io.BytesIO(data)).getmembers() if m.mtime > epoch]
for line in bad[:20]:
    print("dated otherwise:", line)
sys.exit(1 if bad else 0)
PY
# gzip streams with no time or name, and Windows programs with no link time.
for file in "$dist/$name.tar.gz" "$check/deb/usr/share/doc/mornakle/changelog.gz" "$check/deb/usr/share/man/man6/mornakle.6.gz"; do
    [ "$(od -An -tx1 -j3 -N5 "$file" | tr -d ' ')" = 0000000000 ] || problem "$file carries a gzip time or name"
done
for part in win32 win64; do
    objdump=$( [ $part = win32 ] && echo i686 || echo x86_64)-w64-mingw32-objdump
    $objdump -p "$check/$part/mornakle.exe" | grep -q '^Time/Date.*1970$' || problem "$part's mornakle.exe carries its link time"
done

[ "$failures" = 0 ] || fail "$failures problems with the release"
echo "the release in $dist passes its checkers, is packed the same twice and carries no build path or time"
