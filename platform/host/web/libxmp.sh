#!/bin/sh
# Builds libxmp for WebAssembly from Debian's source package, fetched into the build
# folder under a private apt configuration (the machine's own sources stay untouched).
#   web/libxmp.sh BUILD_DIR   leaves BUILD_DIR/libxmp/prefix/{include,lib}
set -eu
build=$(realpath -m "$1")
root=$build/libxmp
prefix=$root/prefix
[ -f "$prefix/lib/libxmp.a" ] && exit 0

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
if ! ls "$root"/source/libxmp_*.dsc >/dev/null 2>&1; then
    # shellcheck disable=SC2086
    apt-get $config update -qq
    # shellcheck disable=SC2086
    (cd "$root/source" && apt-get $config source --download-only libxmp)
fi
cd "$root/source"
rm -rf tree
dpkg-source --no-check -x libxmp_*.dsc tree >/dev/null
cd tree
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
emconfigure ./configure --host=wasm32-unknown-emscripten --disable-shared --enable-static \
    --prefix="$prefix" CFLAGS=-O2 >/dev/null
emmake make -j"${JOBS:-2}" >/dev/null
emmake make install >/dev/null
echo "libxmp for WebAssembly: $prefix"
