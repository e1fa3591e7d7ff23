#!/usr/bin/env bash
# The whole show, headless at 50 ms a frame, drawn by each kernel family the processor
# has: every frame must match the scalar family's.
set -u
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
for family in scalar sse2 avx2; do
    MORNAKLE_SIMD=$family "$program" --headless --frame-ms 50 --capture "$work/$family" 2>"$work/err"
    code=$?
    [ "$code" = 64 ] && { echo "$family: not on this processor"; continue; }
    [ "$code" = 0 ] || { echo "FAIL: $family exits with $code"; cat "$work/err"; failures=$((failures + 1)); continue; }
    (cd "$work/$family" && md5sum *.png) >"$work/$family.md5"
    rm -rf "${work:?}/$family"
    if ! cmp -s "$work/scalar.md5" "$work/$family.md5"; then
        echo "FAIL: $family draws $(diff "$work/scalar.md5" "$work/$family.md5" | grep -c '^>') frames unlike scalar"
        failures=$((failures + 1))
    else
        echo "$family: $(wc -l <"$work/$family.md5") frames as scalar draws them"
    fi
done
[ "$failures" = 0 ]
