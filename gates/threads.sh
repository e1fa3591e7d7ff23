#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# The threads under ThreadSanitizer: the sound library's tests (a device thread pulling
# sound while the main thread starts, stops and frees songs) and the SDL host on a
# virtual X server with SDL's own audio thread pulling the mix.
#   threads.sh SOURCE-DIR BUILD-TSAN
set -u
source=$1
build=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
check() {  # check NAME LOG CODE: the run passed and TSan reported nothing
    if [ "$3" != 0 ] || grep -q 'ThreadSanitizer' "$2"; then
        echo "FAIL: $1 (exit code $3)"
        grep -A40 'WARNING: ThreadSanitizer' "$2" | head -80 || tail -20 "$2"
        failures=$((failures + 1))
    else
        echo "   ok: $1"
    fi
}
find_built() { find "$build" -name "$1" -type f -perm -u+x | head -1; }

for test in midas_test; do
    "$(find_built $test)" >"$work/$test.log" 2>&1
    check "$test" "$work/$test.log" $?
done
driver=$(find_built sdl_host_driver)
script=$(find "$source/tests" -name xvfb_show_test.sh | head -1)
bash "$script" driver "$driver" "$work/xvfb" >"$work/xvfb.log" 2>&1
code=$?
if [ "$code" = 77 ]; then
    echo "   skipped: the SDL host ($(tail -1 "$work/xvfb.log"))"
else
    check "the SDL host and its audio thread on a virtual display" "$work/xvfb.log" $code
fi
[ "$failures" = 0 ]
