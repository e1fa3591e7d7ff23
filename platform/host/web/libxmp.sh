#!/bin/sh
# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# Builds libxmp for WebAssembly from Debian's source package, fetched into the build
# folder under a private apt configuration (the machine's own sources stay untouched),
# at the version the build records, checked against its .dsc.
#   web/libxmp.sh BUILD_DIR   leaves BUILD_DIR/libxmp/prefix/{include,lib}, and the source
#                             package in BUILD_DIR/libxmp/source, which the site carries
set -eu
here=$(dirname "$(realpath "$0")")
version=$(cat "$here/../../../cmake/libxmp_debian_version.txt")
build=$(realpath -m "$1")
root=$build/libxmp
prefix=$root/prefix
[ -f "$prefix/lib/libxmp.a" ] && [ -f "$root/source/libxmp_$version.dsc" ] && exit 0

apt=$root/apt
mkdir -p "$apt/sources.list.d" "$apt/lists/partial" "$root/source"
cat > "$apt/sources.list.d/source.sources" <<SOURCES
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
config="-o Dir::Etc::SourceParts=$apt/sources.list.d -o Dir::Etc::SourceList=/dev/null -o Dir::State::Lists=$apt/lists"
if [ ! -f "$root/source/libxmp_$version.dsc" ]; then
    rm -f "$root"/source/libxmp_*
    # shellcheck disable=SC2086
    apt-get $config update -qq
    # shellcheck disable=SC2086
    (cd "$root/source" && apt-get $config source --download-only "libxmp=$version")
fi
"$here/../../../tools/release/check_dsc.sh" "$root/source/libxmp_$version.dsc" "$version"
cd "$root/source"
rm -rf tree "$prefix"
# Checked above: dpkg-source need not check the signature, which needs a keyring.
dpkg-source --no-check -x "libxmp_$version.dsc" tree >/dev/null
cd tree
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
emconfigure ./configure --host=wasm32-unknown-emscripten --disable-shared --enable-static \
    --prefix="$prefix" CFLAGS="-O2 -ffile-prefix-map=$root/source/tree=libxmp" >/dev/null
emmake make -j"${JOBS:-2}" >/dev/null
emmake make install >/dev/null
echo "libxmp for WebAssembly: $prefix"
