#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# Recording an excerpt of the show to a video, checked with ffprobe; the refusal without ffmpeg.
. "$(dirname "$0")/cli_common.sh"

if command -v ffprobe >/dev/null; then
    # Ticks 600 to 640 of the show (2 s) at 30 frames a second.
    "$program" --record "$work/excerpt.mp4" --fps 30 --from 600 --to 640 2>"$work/err" ||
        { fail "recording exited $?"; cat "$work/err"; }
    probe() { ffprobe -v error -select_streams "$1" -show_entries "$2" -of default=nw=1:nk=1 "$work/excerpt.mp4"; }
    [ "$(probe v:0 stream=r_frame_rate)" = "30/1" ] || fail "frame rate $(probe v:0 stream=r_frame_rate)"
    [ "$(probe v:0 stream=nb_frames)" = "60" ] || fail "$(probe v:0 stream=nb_frames) video frames"
    audio=$(probe a:0 stream=duration)
    awk -v d="$audio" 'BEGIN { exit !(d > 1.9 && d < 2.1) }' || fail "audio lasts $audio s"
    [ -z "$(ls "$work" | grep part)" ] || fail "partial files left: $(ls "$work")"
else
    echo "skipping the excerpt: ffprobe is not installed"
fi

# Without ffmpeg on the path: one line naming the package, exit code 2, nothing written.
PATH=/nonexistent "$program" --record "$work/none.mp4" 2>"$work/err"
code=$?
[ "$code" = 2 ] || fail "exit code $code without ffmpeg"
[ "$(wc -l <"$work/err")" = 1 ] && grep -q "Debian package ffmpeg" "$work/err" || fail "message: $(cat "$work/err")"
[ ! -e "$work/none.mp4" ] && [ ! -e "$work/none.mp4.part.wav" ] || fail "files left without ffmpeg"

finish
