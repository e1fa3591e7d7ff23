#!/bin/bash
# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# make dist: the release, built from its own source archive, so that nothing uncommitted
# can slip in. Leaves in DIST:
#   mornakle-VERSION.tar.gz          the source (git archive of the last commit)
#   mornakle_VERSION_amd64.deb       the Debian package
#   mornakle_VERSION_arm64.deb       the same for 64-bit ARM, cross-compiled
#   mornakle-VERSION-win32.zip, -win64.zip   the Windows programs
#   mornakle-VERSION-web.zip         the static site
#   SHA256SUMS
# and builds in WORK (source/ unpacked, native/, arm64/, windows/, web/, sources/ for Debian's
# libxmp). Every file is the same byte for byte from any folder at any time: the time
# stamps are the last commit's (SOURCE_DATE_EPOCH), and no build path is built in.
#   dist.sh DIST WORK [JOBS]
set -euo pipefail
cd "$(dirname "$0")/../.."
dist=$(realpath -m "$1") work=$(realpath -m "$2") jobs=${3:-2}
version=$(sed -n 's/^project(Mornakle3D VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "dist: no version in CMakeLists.txt" >&2; exit 1; }
name=mornakle-$version
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH TZ=UTC LC_ALL=C.UTF-8
umask 022
launcher=()
if [ -z "${CCACHE_DISABLE:-}" ] && command -v ccache >/dev/null; then
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR=$work CCACHE_NOHASHDIR=1
fi
step() { echo "== dist: $*"; }

rm -rf "$dist" && mkdir -p "$dist" "$work"
step "the source archive"
tools/release/source_archive.sh "$dist/$name.tar.gz"
archive=$dist/$name.tar.gz
rm -rf "$work/source" && mkdir -p "$work/source"
tar -xzf "$archive" -C "$work/source"
source=$work/source/$name

step "the native programs and the Debian package"
cmake -S "$source" -B "$work/native" -DCMAKE_BUILD_TYPE=Release -DMORNAKLE_RELEASE=ON \
    -DMORNAKLE_TESTS=OFF -DMORNAKLE_BENCH=OFF "${launcher[@]}" >"$work/native.log"
cmake --build "$work/native" -j "$jobs" >>"$work/native.log" || { tail -40 "$work/native.log"; exit 1; }
rm -rf "$work/deb"
(cd "$work/native" && cpack -G DEB -B "$work/deb" >"$work/cpack.log") || { cat "$work/cpack.log"; exit 1; }
cp "$work/deb/mornakle_${version}_amd64.deb" "$dist/"

step "the arm64 program and its Debian package"
# Cross-compiled with the native build's generator, icon painter and font converter, so
# the package carries the very data files the amd64 one does.
cmake -S "$source" -B "$work/arm64" -DCMAKE_BUILD_TYPE=Release -DMORNAKLE_RELEASE=ON \
    -DCMAKE_TOOLCHAIN_FILE="$source/cmake/aarch64-linux-gnu.cmake" -DMORNAKLE_NATIVE_BUILD="$work/native" \
    -DMORNAKLE_TESTS=OFF -DMORNAKLE_BENCH=OFF "${launcher[@]}" >"$work/arm64.log"
cmake --build "$work/arm64" -j "$jobs" >>"$work/arm64.log" || { tail -40 "$work/arm64.log"; exit 1; }
rm -rf "$work/deb-arm64"
(cd "$work/arm64" && cpack -G DEB -B "$work/deb-arm64" >"$work/cpack-arm64.log") || { cat "$work/cpack-arm64.log"; exit 1; }
cp "$work/deb-arm64/mornakle_${version}_arm64.deb" "$dist/"

for arch in win32:i686 win64:x86_64; do
    step "the Windows program, ${arch%%:*}"
    cmake -S "$source/windows" -B "$work/windows/${arch%%:*}" "${launcher[@]}" \
        -DCMAKE_TOOLCHAIN_FILE="$source/cmake/mingw-w64-${arch#*:}.cmake" -DMORNAKLE_DATA_DIR="$work/native/data" \
        -DMORNAKLE_SOURCES_DIR="$work/sources" -DMORNAKLE_SOURCE_ARCHIVE="$archive" >"$work/windows.log"
    cmake --build "$work/windows/${arch%%:*}" -j "$jobs" >>"$work/windows.log" || { tail -40 "$work/windows.log"; exit 1; }
    cp "$work/windows/mornakle-${arch%%:*}.zip" "$dist/$name-${arch%%:*}.zip"
done

step "the site"
JOBS=$jobs "$source/platform/host/web/libxmp.sh" "$work/web"
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
rm -rf "$work/web/site"
emcmake cmake -S "$source" -B "$work/web" -DCMAKE_BUILD_TYPE=Release -DMORNAKLE_RELEASE=ON \
    -DMORNAKLE_NATIVE_BUILD="$work/native" -DMORNAKLE_SOURCE_ARCHIVE="$archive" "${launcher[@]}" >"$work/web.log"
cmake --build "$work/web" -j "$jobs" --target web_site >>"$work/web.log" || { tail -40 "$work/web.log"; exit 1; }
python3 "$source/tools/release/pack_zip.py" --prefix "$name-web/" "$dist/$name-web.zip" "$work/web/site" \
    $(cd "$work/web/site" && ls -A)

(cd "$dist" && sha256sum -- *.tar.gz *.deb *.zip >SHA256SUMS)
step "done"
cat "$dist/SHA256SUMS"
