#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# The show, headless at one frame per tick, played by an arm64 program under
# qemu-aarch64-static (called directly: the kernel's binfmt registration may be absent)
# with the kernel family FAMILY, and by the x86-64 program with `scalar`: the decoded
# pixels of every frame (ffmpeg's MD5 of each decoded picture, so that two PNG encoders
# may pack the same pixels differently), the frames' names (index and tick) and the
# sound must be the same. Both programs read the data files their own layout gives them.
#   same_show.sh NATIVE_PROGRAM ARM64_PROGRAM FAMILY WORK [UNTIL_MS]
# WORK (a folder inside a build folder) keeps the hashes and the programs' output; the
# frames are deleted once hashed. Without UNTIL_MS the whole 2,200-tick show is played.
set -u
. "$(dirname "$0")/../support/script_checks.sh"
need_tools qemu-aarch64-static ffmpeg md5sum
[ $# -ge 4 ] || fail "usage: same_show.sh NATIVE_PROGRAM ARM64_PROGRAM FAMILY WORK [UNTIL_MS]"
native=$(realpath "$1") arm64=$(realpath "$2") family=$3 work=$(realpath -m "$4") until=${5:-}
rm -rf "$work" && mkdir -p "$work"
options=(--headless --frame-ms 50)
[ -n "$until" ] && options+=(--until-ms "$until")

# play NAME FAMILY PROGRAM...: the frames and sound of one run, hashed into WORK/NAME.*
play() {
    local name=$1 simd=$2 code
    shift 2
    MORNAKLE_SIMD=$simd "$@" "${options[@]}" --capture "$work/$name" --wav "$work/$name.wav" \
        >"$work/$name.log" 2>&1
    code=$?
    echo "$code" >"$work/$name.code"
    [ "$code" = 0 ] || return
    (cd "$work/$name" && ls frame-*.png) >"$work/$name.names"
    ffmpeg -nostdin -v error -f image2 -pattern_type glob -i "$work/$name/frame-*.png" -f framemd5 - |
        grep -v '^#' | awk -F', *' '{ print $NF }' >"$work/$name.pixels"
    md5sum <"$work/$name.wav" | cut -d' ' -f1 >"$work/$name.sound"
    rm -rf "${work:?}/$name" "$work/$name.wav"
}

started=$(date +%s)
play native scalar "$native" &
play arm64 "$family" qemu-aarch64-static "$arm64"
wait
echo "played in $(($(date +%s) - started)) s"

for name in native arm64; do
    code=$(cat "$work/$name.code")
    [ "$code" = 0 ] || { tail -n 20 "$work/$name.log"; fail "the $name program exits with $code"; }
done
frames=$(wc -l <"$work/native.names")
[ -z "$until" ] && [ "$frames" -lt 2200 ] && fail "the whole show presented only $frames frames"
for name in native arm64; do
    [ "$(wc -l <"$work/$name.pixels")" = "$(wc -l <"$work/$name.names")" ] ||
        fail "ffmpeg decoded $(wc -l <"$work/$name.pixels") of the $name program's $(wc -l <"$work/$name.names") frames"
done
cmp -s "$work/native.names" "$work/arm64.names" ||
    fail "the frames are not presented at the same ticks: $(diff "$work/native.names" "$work/arm64.names" | head -n 6)"
if ! cmp -s "$work/native.pixels" "$work/arm64.pixels"; then
    paste -d' ' "$work/native.names" "$work/native.pixels" "$work/arm64.pixels" | awk '$2 != $3 { print $1 }' \
        >"$work/differing.txt"
    fail "$(wc -l <"$work/differing.txt") of $frames frames differ under $family (listed in $work/differing.txt), first: $(head -n 1 "$work/differing.txt")"
fi
cmp -s "$work/native.sound" "$work/arm64.sound" || fail "the sound differs"
echo "the arm64 program under $family draws the x86-64 program's $frames frames and sound"
