#!/bin/bash
# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# The transport in a real window on a virtual X server: Space holds the picture and the
# clock, Space lets them go, Right moves the show on 5 s, a step shows one frame more,
# Escape still ends the show while it is paused. Exits 77 (skipped) when a tool or the
# program is missing.
#   xvfb_transport_test.sh EXECUTABLE WORKDIR
set -u
exe=$1 work=$2
. "$(dirname "$0")/../../../support/script_checks.sh"
need_tools Xvfb xdotool import compare
[ -x "$exe" ] || { echo "skipped: $exe is not built"; exit $skip; }

rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1
xvfb_pid= app_pid=
trap 'kill $app_pid $xvfb_pid 2>/dev/null' EXIT
start_xvfb 1024x768x24
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$work/audio.raw

# The waves move on every frame: from 45 s a held picture is plainly held.
start_with_window '^Select Rendering Device$' "$exe" --start-at 45 || fail "no device dialog appeared"
dialog=$window
xdotool windowfocus --sync "$dialog" 2>/dev/null
xdotool key Return
show=$(find_window '^Mornakle 3D$') || fail "no window for the show appeared"
sleep 1
press() { xdotool windowfocus --sync "$show" 2>/dev/null; xdotool key "$1"; }
shot() { import -window "$show" "$1"; }
differs() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" != 0 ]; }
# The moment the paused title gives, in milliseconds.
pausedAt() {
    local name
    name=$(retry 50 search_window ' - paused at ' >/dev/null && xdotool getwindowname "$show")
    [[ "$name" =~ paused\ at\ ([0-9]+):([0-9]{2})\.([0-9]{3})$ ]] || return 1
    echo $(( (10#${BASH_REMATCH[1]} * 60 + 10#${BASH_REMATCH[2]}) * 1000 + 10#${BASH_REMATCH[3]} ))
}

press space
first=$(pausedAt) || fail "Space did not pause the show (title: $(xdotool getwindowname "$show"))"
[ "$first" -ge 45000 ] && [ "$first" -lt 50000 ] || fail "paused at $first ms, not just after 45 s"
sleep 0.3
shot held-1.png
sleep 2
shot held-2.png
differs held-1.png held-2.png && fail "the picture moved while paused"
[ "$(pausedAt)" = "$first" ] || fail "the clock moved while paused"

press period
retry 50 eval '[ "$(pausedAt)" = $((first + 50)) ]' || fail "a step did not show the frame one tick on ($(pausedAt))"
shot stepped.png
differs held-2.png stepped.png || fail "a step showed the same picture"

press space
retry 50 eval '! search_window " - paused at " >/dev/null' || fail "Space did not resume the show"
sleep 1
shot playing.png
differs stepped.png playing.png || fail "the picture did not move after resuming"

press Right
sleep 0.5
press space
moved=$(pausedAt) || fail "no pause after Right"
[ "$moved" -ge $((first + 6000)) ] || fail "Right did not move the show on 5 s: $first ms, then $moved ms"

# Left, while paused: a seek back, by the demo started afresh in the same window, the
# dialog answered unseen; the show stays paused there.
press Left
back=$(retry 100 eval 'p=$(pausedAt) && [ "$p" -lt "$moved" ] && echo "$p"') || fail "Left did not go back from $moved ms"
[ "$back" -ge $((moved - 5050)) ] || fail "Left went back from $moved ms to $back ms, more than 5 s"
search_window '^Select Rendering Device$' >/dev/null && fail "the dialog showed again on a seek back"
alive || fail "the seek back ended the show"
shot back.png
[ "$(identify -format '%[fx:int(100*maxima)]' back.png)" -gt 10 ] || fail "the picture after the seek back is black"

# The chapters, still paused: Page Down to the light beams (53.334 s, on the frame at
# 53.35 s), Page Up back to the start of the waves (40 s) within a second of a chapter's
# start, Home to the show's start.
landsAt() {  # landsAt KEY FROM TO: the paused moment after KEY lies in [FROM, TO)
    local from=$2 to=$3
    press "$1"
    retry 100 eval 'p=$(pausedAt) && [ "$p" -ge "$from" ] && [ "$p" -lt "$to" ]' ||
        fail "$1 went to $(pausedAt) ms, not within [$from, $to)"
}
landsAt Next 53334 53384
landsAt Prior 40000 40050
landsAt Home 0 50

press Escape
expect_exit 0 "Escape while paused"
echo "passed: pause at $first ms holds picture and clock, a step, resume, Right to $moved ms, Left to $back ms," \
    "Page Down, Page Up, Home, Escape"
