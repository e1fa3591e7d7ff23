#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# Every call the stand-ins can make fail, failing at its first, second and a later use
# in a short headless show: each run must end by itself and cleanly (run_checked.sh).
#   fault_walk.sh PROGRAM [JOBS]
set -u
program=$1
jobs=${2:-2}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$program" --inject-fault list >"$work/calls" 2>"$work/err"
code=$?
if [ "$code" != 0 ] || [ ! -s "$work/calls" ] || grep -qvE '^[A-Za-z0-9_:()]+$' "$work/calls"; then
    echo "FAIL: --inject-fault list exited $code with:"; cat "$work/calls" "$work/err"; exit 1
fi
# Every fault point the stand-ins define is linked into the program and listed.
grep -rhoE 'FaultPoint [A-Za-z0-9]+\("[^"]+"\)' "$here/../platform" | sed -E 's/.*\("(.*)"\)/\1/' | LC_ALL=C sort -u >"$work/defined"
if ! diff "$work/defined" "$work/calls" >"$work/diff"; then
    echo "FAIL: the list differs from the fault points in platform/ (<: defined only, >: listed only)"
    cat "$work/diff"; exit 1
fi
echo "$(wc -l <"$work/calls") calls can be made to fail"

# A later use: past the set-up calls, inside the first frames of the show.
for skip in 0 1 20; do
    while read -r call; do
        echo "$skip $call"
    done <"$work/calls"
done >"$work/cases"

# The whole show at one frame a second reaches every part in about 110 frames.
run() {
    local skip=$1 call=$2
    "$here/run_checked.sh" "$work/$(echo "$call-$skip" | tr -c 'A-Za-z0-9-' _).log" \
        "$program" --headless --frame-ms 1000 --inject-fault "$call=0x80004005,$skip"
}
export -f run
export program here work
xargs -P "$jobs" -L 1 bash -c 'run "$@"' _ <"$work/cases" >"$work/results"
sort -k2 "$work/results"
total=$(wc -l <"$work/cases")
failed=$(grep -c '^FAIL' "$work/results")
echo "$((total - failed)) of $total runs ended cleanly"
[ "$failed" = 0 ]
