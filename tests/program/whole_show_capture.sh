#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# The whole 110-second show, headless at one frame per tick, every hundredth frame captured.
. "$(dirname "$0")/cli_common.sh"

"$program" --headless --frame-ms 50 --start-ms 1000 --capture "$work/frames" --capture-every 100 \
    --wav "$work/show.wav" 2>"$work/err"
code=$?
[ "$code" = 0 ] || { fail "exit code $code"; cat "$work/err"; }

# The device dialog as drawn, before it was answered, beside the frames.
[ -s "$work/frames/dialog.png" ] || fail "no dialog.png"
rm -f "$work/frames/dialog.png"
count=$(ls "$work/frames" | wc -l)
# 2200 frames, plus the rain's own present at the start and the two at the picture changes.
[ "$count" -ge 22 ] && [ "$count" -le 23 ] || fail "$count frames captured"
# Each name carries the frame index and the tick counter the demo read before it.
first=$(ls "$work/frames" | head -1)
[ "$first" = "frame-000000-0000001000.png" ] || fail "first frame is $first"
last=$(ls "$work/frames" | tail -1)
[[ "$last" =~ -0000(10[0-9]|110)[0-9]{3}\.png$ ]] || fail "last frame $last is not near the show's end"

# The sound covers exactly the virtual time: 44.1 frames of 4 bytes per millisecond.
bytes=$(stat -c %s "$work/show.wav")
frames=$(( (bytes - 44) / 4 ))
ms=$(( (frames * 1000) / 44100 ))
[ "$ms" -ge 109900 ] && [ "$ms" -le 110200 ] || fail "the sound lasts $ms ms"

finish
