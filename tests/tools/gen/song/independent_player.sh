#!/usr/bin/env bash
# An independent player (libopenmpt's openmpt123) reads the generated song as we mean
# it: an Extended Module of 10 channels and 66 orders lasting the show's 110 seconds.
set -u
song=$1
if ! command -v openmpt123 >/dev/null; then
    echo "openmpt123 is not installed"; exit 77
fi
info=$(openmpt123 --info "$song" 2>&1)
field() { echo "$info" | sed -n "s/^$1\.*: *//p" | head -1; }
failures=0
check() { if [ "$2" != "$3" ]; then echo "FAIL: $1 is '$2', expected '$3'"; failures=$((failures + 1)); fi; }
check type "$(field Type | cut -d' ' -f1)" xm
check channels "$(field Channels)" 10
check orders "$(field Orders)" 66
duration=$(field Duration)    # mm:ss.fff
seconds=$(echo "$duration" | awk -F: '{ print $1 * 60 + $2 }')
awk -v s="$seconds" 'BEGIN { exit !(s > 109.5 && s < 110.5) }' || { echo "FAIL: lasts $duration"; failures=$((failures + 1)); }
echo "$(( failures == 0 )) passed, $(( failures > 0 )) failed"
[ "$failures" = 0 ]
