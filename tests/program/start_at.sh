#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# --start-at across the spans against the uninterrupted run at one frame per tick: the
# first frame is the uninterrupted run's first at that show time or later, pixel for
# pixel and by the same name, and so is every frame after it; the sound is the
# uninterrupted sound from that moment on. Pause and steps consume no extra sound and
# show the frames of the uninterrupted run.
. "$(dirname "$0")/cli_common.sh"

"$program" --headless --frame-ms 50 --capture "$work/full" --wav "$work/full.wav" 2>"$work/err" ||
    { fail "the uninterrupted run failed"; cat "$work/err"; }

# Frames of a capture folder that differ from the uninterrupted run's of the same name.
differing() {
    local dir=$1 name n=0
    for name in $(cd "$dir" && ls frame-*.png); do
        cmp -s "$dir/$name" "$work/full/$name" || n=$((n + 1))
    done
    echo "$n"
}

# The name of the uninterrupted run's first frame at show time MS or later.
firstFrom() {
    local name
    for name in $(cd "$work/full" && ls frame-*.png); do
        local counter=${name#frame-*-}
        counter=$((10#${counter%.png}))
        [ "$counter" -ge "$1" ] && { echo "$name"; return; }
    done
}

# The sound of WAV is the uninterrupted sound from the first sample at MS on.
soundFrom() {
    python3 - "$work/full.wav" "$1" "$2" <<'PY'
import sys, wave
full, part = (wave.open(p, 'rb') for p in (sys.argv[1], sys.argv[2]))
ms = int(sys.argv[3])
first = (ms * 44100 + 999) // 1000
a = full.readframes(full.getnframes())[first * 4:]
b = part.readframes(part.getnframes())
sys.exit(0 if b and a[:len(b)] == b else 1)
PY
}

# Moments in every span, on and off the frames, written both ways.
for moment in 0:0 7.777:7777 13.334:13334 21.5:21500 27.123:27123 35:35000 47.6:47600 1:01.2:61200 \
    72:72000 85.05:85050 1:39.99:99990 106.667:106667 109.95:109950; do
    text=${moment%:*}
    ms=${moment##*:}
    dir="$work/at-$ms"
    "$program" --headless --frame-ms 50 --start-at "$text" --until-ms $((ms + 500)) --capture "$dir" \
        --wav "$dir.wav" 2>"$work/err" || { fail "--start-at $text failed"; cat "$work/err"; continue; }
    first=$(cd "$dir" && ls frame-*.png | head -1)
    expected=$(firstFrom "$ms")
    [ -n "$first" ] && [ "$first" = "$expected" ] || fail "--start-at $text showed $first first, not $expected"
    [ "$(differing "$dir")" = 0 ] || fail "--start-at $text: $(differing "$dir") frames differ"
    [ "$(ls "$dir" | grep -c frame-)" -ge $((ms < 109000 ? 9 : 1)) ] || fail "--start-at $text: too few frames"
    soundFrom "$dir.wav" "$ms" || fail "--start-at $text: the sound is not the show's from $ms ms"
    echo "ok: --start-at $text starts at $first"
done

# Pause and steps: the frames and the sound of the uninterrupted run, nothing more.
"$program" --headless --frame-ms 50 --until-ms 33000 --capture "$work/paused" --wav "$work/paused.wav" \
    --transport-script "30=pause,30=step,30=step,30=resume,31=pause,31=resume,32=pause,32=step,32=resume" \
    2>"$work/err" || { fail "the paused run failed"; cat "$work/err"; }
[ "$(differing "$work/paused")" = 0 ] || fail "pausing and stepping changed $(differing "$work/paused") frames"
[ "$(ls "$work/paused" | grep -c frame-)" = "$(ls "$work/full" | grep -c -E -- '-00000([0-2][0-9]|3[0-2])[0-9]{3}\.png$')" ] ||
    fail "pausing and stepping showed a frame more or less"
soundFrom "$work/paused.wav" 0 || fail "pausing and stepping changed the sound"
python3 -c "import sys, wave; sys.exit(0 if wave.open('$work/paused.wav').getnframes() == 33000 * 441 // 10 else 1)" ||
    fail "the paused run's sound is not 33 s long"

# A seek back and one forward in the same run land where --start-at does.
"$program" --headless --frame-ms 50 --until-ms 64000 --capture "$work/seeks" \
    --transport-script "20=seek:7.777,9=seek:1:01.2" 2>"$work/err" || { fail "the seeking run failed"; cat "$work/err"; }
[ "$(differing "$work/seeks")" = 0 ] || fail "seeking changed $(differing "$work/seeks") frames"
for ms in 7777 61200; do
    [ -f "$work/seeks/$(firstFrom $ms)" ] || fail "no frame at $ms ms after seeking there"
done
# Nothing past where the first run left off (20 s) and before the seek forward's target
# was shown.
shownBetween=$(cd "$work/seeks" && ls frame-*.png | sed -E 's/.*-0*([0-9]+)\.png$/\1/' |
    awk '$1 > 20000 && $1 < 61200' | wc -l)
[ "$shownBetween" = 0 ] || fail "$shownBetween frames between 20 s and 61.2 s were shown while seeking"

finish
