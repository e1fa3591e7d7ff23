#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# The whole show, headless, under each kernel family the processor has: every frame as the scalar one's.
program=$1 work=$(mktemp -d) failures=0 && trap 'rm -rf "$work"' EXIT
for family in scalar sse2 avx2; do
    MORNAKLE_SIMD=$family "$program" --headless --frame-ms 50 --capture "$work/$family" 2>"$work/err"; code=$?
    [ "$code" = 64 ] && { echo "$family: not on this processor"; continue; }
    (cd "$work/$family" && md5sum *.png) >"$work/$family.md5" && rm -rf "${work:?}/$family"
    if [ "$code" != 0 ] || ! cmp -s "$work/scalar.md5" "$work/$family.md5"; then
        echo "FAIL: $family exits with $code, $(diff "$work/scalar.md5" "$work/$family.md5" | grep -c '^>') frames unlike scalar's"
        failures=$((failures + 1))
    fi
done
[ "$failures" = 0 ] && echo "every family draws the same $(wc -l <"$work/scalar.md5") frames"
