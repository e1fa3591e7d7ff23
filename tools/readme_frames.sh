#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# Captures one frame of every part of the show with the headless host and lays them
# out as the strip the README shows (docs/show-strip.png).
set -euo pipefail
build=${1:-build}
out=${2:-docs/show-strip.png}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$build/mornakle" --headless --frame-ms 50 --capture "$work" --capture-every 5 2>/dev/null
# One frame per part, by the tick count (in ms) it was drawn at: rain, house, rings,
# box, waves, light beams, warp, greetings, credits, closing card.
picks=""
for ms in 9000 17900 29000 36500 46000 60000 72000 84000 95000 102000; do
    frame=$(ls "$work" | awk -F'[-.]' -v ms="$ms" '!found && $3 + 0 >= ms { print; found = 1 }')
    picks="$picks $work/$frame"
done
montage $picks -geometry 224x168+2+2 -tile 5x2 -background black -depth 8 -colors 255 "$out"
echo "wrote $out"
