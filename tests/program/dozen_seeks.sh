#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# A dozen seeks back and forth in one process, each back one starting the demo afresh
# in it: every frame shown equals the uninterrupted run's of the same name, so nothing
# of an earlier run is left behind. The sanitized suite runs it too, where a leak or a
# use after free across the restarts ends the program with an error.
. "$(dirname "$0")/cli_common.sh"

"$program" --headless --frame-ms 50 --until-ms 25000 --capture "$work/full" 2>"$work/err" ||
    { fail "the uninterrupted run failed"; cat "$work/err"; }
script="3=seek:20,21=seek:2,4=seek:15.5,16=seek:0,1=seek:12,13=seek:13.4,14=seek:6,7=seek:22.2"
script="$script,23=seek:9.95,11=seek:24,24.5=seek:3.3,4=seek:19"
"$program" --headless --frame-ms 50 --until-ms 25000 --capture "$work/seeks" --transport-script "$script" \
    2>"$work/err"
code=$?
[ "$code" = 0 ] || { fail "the seeking run exited $code"; cat "$work/err"; }
n=0 differ=0
for name in $(cd "$work/seeks" && ls frame-*.png); do
    n=$((n + 1))
    cmp -s "$work/seeks/$name" "$work/full/$name" || differ=$((differ + 1))
done
[ "$n" -gt 250 ] || fail "only $n frames were shown"
[ "$differ" = 0 ] || fail "$differ of $n frames differ from the uninterrupted run's"
# Each seek's target was reached: the frame there was shown.
for ms in 20000 2000 15500 12000 13400 6000 22200 9950 24000 3300 19000; do
    name=$(cd "$work/full" && ls frame-*.png | awk -F'[-.]' -v ms="$ms" '$3 + 0 >= ms { print; exit }')
    [ -f "$work/seeks/$name" ] || fail "the seek to $ms ms showed no $name"
done
echo "ok: $n frames over a dozen seeks, $differ differing"
finish
