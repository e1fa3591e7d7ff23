#!/bin/bash
# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# The arm64 generator, run under qemu-aarch64-static, must write every data file byte for byte
# as the native build's generator wrote them: the same show from the same sources on both.
#   arm64_data_test.sh NATIVE_BUILD ARM64_BUILD
# Writes only into ARM64_BUILD/arm64-data-test. Exits 77 (skipped) without the emulator.
set -u
native=$1
arm64=$2
. "$(dirname "$0")/../support/script_checks.sh"
need_tools qemu-aarch64-static cmp
[ -x "$arm64/mornakle-gen" ] || fail "no arm64 generator $arm64/mornakle-gen"
[ -d "$native/data" ] || fail "no native data in $native/data"
out=$arm64/arm64-data-test
rm -rf "$out" && mkdir -p "$out" || fail "cannot make $out"

qemu-aarch64-static "$arm64/mornakle-gen" "$out" >"$out.log" 2>&1 || { cat "$out.log"; fail "the arm64 generator failed"; }

# Every file either generator wrote, compared in both directions.
status=0
for file in $( (ls "$native/data" && ls "$out") | sort -u); do
    if [ ! -f "$native/data/$file" ] || [ ! -f "$out/$file" ]; then
        echo "$file: written by only one of the generators"
        status=1
    elif ! cmp -s "$native/data/$file" "$out/$file"; then
        echo "$file: $(cmp -l "$native/data/$file" "$out/$file" 2>/dev/null | wc -l) bytes differ"
        status=1
    fi
done
[ "$status" = 0 ] || fail "the arm64 generator's data differ from the native data"
echo "the arm64 generator wrote all $(ls "$out" | wc -l) files byte for byte as the native one"
