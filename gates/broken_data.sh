#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# The show given each of its data files missing, empty, cut short and with bytes
# overwritten: each run must end by itself and cleanly (run_checked.sh).
#   broken_data.sh PROGRAM DATA-DIR [JOBS]
set -u
program=$1
data=$(cd "$2" && pwd)
jobs=${3:-2}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

files=$(cd "$data" && ls)
[ -n "$files" ] || { echo "FAIL: no data files in $data"; exit 1; }
for file in $files; do
    for damage in missing empty cut overwritten; do
        echo "$file $damage"
    done
done >"$work/cases"

# A data folder of links to the good files, with one file damaged.
run() {
    local file=$1 damage=$2
    local dir="$work/$file-$damage"
    mkdir "$dir"
    for good in "$data"/*; do
        [ "$(basename "$good")" = "$file" ] || ln -s "$good" "$dir/"
    done
    local size
    size=$(stat -c %s "$data/$file")
    case $damage in
    missing) ;;
    empty) : >"$dir/$file" ;;
    cut) head -c $((size / 2)) "$data/$file" >"$dir/$file" ;;
    # 0xFF over bytes 10 to 41: lengths, sizes and counts in every header we read.
    overwritten)
        cp "$data/$file" "$dir/$file"
        printf '\xff%.0s' $(seq 32) | dd of="$dir/$file" bs=1 seek=10 conv=notrunc status=none
        ;;
    esac
    "$here/run_checked.sh" "$dir.log" "$program" --headless --frame-ms 1000 --data "$dir"
}
export -f run
export program here work data
xargs -P "$jobs" -L 1 bash -c 'run "$@"' _ <"$work/cases" >"$work/results"
cat "$work/results"
total=$(wc -l <"$work/cases")
failed=$(grep -c '^FAIL' "$work/results")
echo "$((total - failed)) of $total runs ended cleanly"
[ "$failed" = 0 ]
