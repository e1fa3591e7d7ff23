#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# The whole show, headless, under each kernel family the program runs on this processor, as
# it names them: every frame as the scalar one's. The arguments are the command that runs
# the program, options may follow it (`qemu-aarch64-static build-arm64/mornakle --data DIR`).
work=$(mktemp -d) failures=0 && trap 'rm -rf "$work"' EXIT
families=$("$@" --kernel-families) || { echo "FAIL: $* --kernel-families exits with $?"; exit 1; }
[ "$(head -n 1 <<<"$families")" = scalar ] || { echo "FAIL: the families begin with '$families', not scalar"; exit 1; }
echo "families here:" $families
for family in $families; do
    MORNAKLE_SIMD=$family "$@" --headless --frame-ms 50 --capture "$work/$family" 2>"$work/err"; code=$?
    (cd "$work/$family" && md5sum *.png) >"$work/$family.md5" && rm -rf "${work:?}/$family"
    if [ "$code" != 0 ] || ! cmp -s "$work/scalar.md5" "$work/$family.md5"; then
        echo "FAIL: $family exits with $code, $(diff "$work/scalar.md5" "$work/$family.md5" | grep -c '^>') frames unlike scalar's"
        cat "$work/err"
        failures=$((failures + 1))
    fi
done
[ "$failures" = 0 ] && echo "every family draws the same $(wc -l <"$work/scalar.md5") frames"
