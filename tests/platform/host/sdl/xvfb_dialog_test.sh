#!/bin/bash
# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# The device dialog as a user meets it on the SDL host under a virtual X server: keys and
# clicks go to its window through xdotool, and the program's exit code, or the show's
# window, tells what they did. Exits 77 (skipped) when a tool or the program is missing.
#   xvfb_dialog_test.sh EXECUTABLE WORKDIR [program arguments...]
set -u
exe=$1 work=$2
shift 2
. "$(dirname "$0")/../../../support/script_checks.sh"
need_tools Xvfb xdotool
[ -x "$exe" ] || { echo "skipped: $exe is not built"; exit $skip; }

rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1
xvfb_pid= app_pid=
trap 'kill $app_pid $xvfb_pid 2>/dev/null' EXIT
start_xvfb 1280x1024x24
export SDL_AUDIODRIVER=dummy

# Where the parts lie in the dialog's window, in its pixels (dialog units of 6 x 13
# pixels and the frame and title bar around them): the middles of OK and Cancel, the
# close box, and a point on the dialog's face away from every control.
ok=(244 84) cancel=(343 84) close_box=(383 10) face=(40 80)

run=0
# Starts the program and waits for its dialog ($dialog).
open_dialog() {
    run=$((run + 1))
    [ -f app.log ] && mv app.log "run-$((run - 1)).log"
    start_with_window '^Select Rendering Device$' "$exe" "$@" || fail "run $run: no device dialog"
    dialog=$window
    xdotool windowfocus --sync "$dialog" 2>/dev/null
    sleep 0.3
}
at() { xdotool mousemove --window "$dialog" "$1" "$2"; sleep 0.2; }
still_open() {
    sleep 0.5
    alive && search_window '^Select Rendering Device$' >/dev/null || fail "run $run: $1 closed the dialog"
}
# The show started (its window appeared), and Escape ends it with exit code 0.
show_started() {
    find_window '^Mornakle 3D$' >/dev/null || fail "run $run: $1 did not start the show"
    xdotool windowfocus --sync "$(search_window '^Mornakle 3D$')" 2>/dev/null
    xdotool key Escape
    expect_exit 0 "Escape in the show after $1"
}

open_dialog "$@"                                 # Escape: Cancel, exit code 2
xdotool key Escape
expect_exit 2 "Escape in the dialog"

open_dialog "$@"                                 # the close box, clicked: exit code 2
at "${close_box[@]}"; xdotool click 1
expect_exit 2 "a click on the close box"

open_dialog "$@"                                 # a button acts when let go over it
at "${cancel[@]}"; xdotool mousedown 1
still_open "pressing Cancel"
at "${face[@]}"; xdotool mouseup 1
still_open "letting go of Cancel off it"
at "${close_box[@]}"; xdotool mousedown 1; at "${face[@]}"; xdotool mouseup 1
still_open "letting go of the close box off it"
at "${cancel[@]}"; xdotool mousedown 1; sleep 0.2; xdotool mouseup 1
expect_exit 2 "a click on Cancel"

open_dialog "$@"                                 # Space presses the focused button, OK
xdotool keydown space
still_open "holding Space down on OK"
xdotool keyup space
show_started "Space on OK"

open_dialog "$@"                                 # Tab to Cancel, Space: exit code 2
xdotool key Tab space
expect_exit 2 "Tab, Space"

open_dialog "$@"                                 # Up, then Enter: the show, on the first device
xdotool key Up Return
show_started "Up, Enter"

open_dialog "$@"                                 # a click on OK: the show
at "${ok[@]}"; xdotool click 1
show_started "a click on OK"
echo "passed: Escape, the close box, press and release off and on a button, Space, Tab, Up and Enter, OK"
