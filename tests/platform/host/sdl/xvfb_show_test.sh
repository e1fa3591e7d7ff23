#!/bin/bash
# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# A program over the SDL host on a virtual X server, played as a user would (with a window manager
# too, if openbox and wmctrl are installed). Exits 77 (skipped) when a tool or the program is missing.
#   xvfb_show_test.sh driver|demo EXECUTABLE WORKDIR [program arguments...]
set -u
mode=$1 exe=$2 work=$3
shift 3
args=("$@")
data=
[ "${1:-}" = --data ] && data=$2  # the demo's data folder, for the broken-song run
. "$(dirname "$0")/../../../support/script_checks.sh"
need_tools Xvfb xdotool import identify
[ -x "$exe" ] || { echo "skipped: $exe is not built"; exit $skip; }

rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1
xvfb_pid= app_pid= wm_pid=
trap 'kill $app_pid $wm_pid $xvfb_pid 2>/dev/null' EXIT

# No display at all: one line says so and the exit code is 2.
env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 20 "$exe" "$@" >/dev/null 2>app.log
rc=$?
[ "$rc" = 2 ] || fail "exit code $rc without a display, not 2"
[ "$(grep -c 'cannot open a display' app.log)" = 1 ] || fail "not one line says the display is missing"

start_xvfb 1280x1024x24
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$work/audio.raw
# F12 saves into the pictures folder of this home, wherever the program was started.
export HOME=$work/home
unset XDG_PICTURES_DIR XDG_CONFIG_HOME

wm=
if command -v openbox >/dev/null && command -v wmctrl >/dev/null; then
    openbox >openbox.log 2>&1 &
    wm_pid=$!
    retry 50 wmctrl -m >/dev/null 2>&1 && wm=1
fi

"$exe" "$@" 2>app.log &
app_pid=$!

focus() { xdotool windowfocus --sync "$1" 2>/dev/null; }
geometry() { (eval "$(xdotool getwindowgeometry --shell "$1")"; echo "$WIDTH x $HEIGHT at $X,$Y"); }
size() { geometry "$1" | cut -d' ' -f1-3; }

# Answers the device dialog with Return (OK: the second device, the window).
confirm_dialog() {
    dialog=$(find_window '^Select Rendering Device$') || fail "no device dialog on the $1"
    focus "$dialog"
    xdotool key Return
}
# Starts the program again (keeping the last run's log as $1) and brings up the show's window.
start_show() {
    mv app.log "$1"
    "$exe" "${args[@]}" 2>app.log &
    app_pid=$!
    confirm_dialog "$2"
    show=$(find_window "^$name\$") || fail "no window for the show on the $2"
    sleep 1
}

dialog=$(find_window '^Select Rendering Device$') || fail "no device dialog appeared"
sleep 0.5
import -window root dialog.png
[ "$(brightest dialog.png)" -gt 50 ] || fail "the dialog is not drawn"
if [ -n "$wm" ]; then                       # the painted title bar moves the window
    before=$(geometry "$dialog")
    xdotool mousemove --window "$dialog" 60 9 mousedown 1
    sleep 0.2; xdotool mousemove_relative 30 20; sleep 0.2; xdotool mousemove_relative 30 20; sleep 0.2
    xdotool mouseup 1
    sleep 0.5
    [ "$(geometry "$dialog")" != "$before" ] || fail "dragging the dialog's title bar did not move it"
fi
focus "$dialog"
xdotool key Return                          # OK: the second device, the window

# The demo's window takes the caption the demo gives it; the driver keeps its file name.
if [ "$mode" = demo ]; then name="Mornakle 3D"; else name=$(basename "$exe"); fi
show=$(find_window "^$name\$") || fail "no window for the show appeared"
sleep 3
alive || fail "the show ended by itself"
import -window root frame.png
[ "$(brightest frame.png)" -gt 10 ] || fail "the shown frame is all black"

windowed=$(size "$show")
for expected in "1280 x 1024" "$windowed"; do   # Alt+Enter twice: full screen and back
    focus "$show"
    xdotool key alt+Return
    sleep 1
    alive || fail "the show ended after Alt+Enter"
    [ -z "$wm" ] || [ "$(size "$show")" = "$expected" ] || fail "after Alt+Enter the window is $(size "$show"), not $expected"
done

focus "$show"
xdotool key F12
retry 50 compgen -G "home/Pictures/Mornakle/*.png" >/dev/null
shot=$(compgen -G "home/Pictures/Mornakle/*.png" | head -1)
[ -n "$shot" ] || fail "F12 wrote no screenshot"
[ "$(identify -format '%wx%h' "$shot")" = 640x480 ] || fail "the screenshot is not 640 x 480"
grep -q "screenshot saved to $work/$shot" app.log || fail "no line says where the screenshot went"
if [ "$mode" = driver ]; then
    grep -q 'key down 0x7b' app.log && fail "F12 reached the program"
    grep -q 'key down 0x0d' app.log && fail "Alt+Enter reached the program"
fi

# The sound: some sample of the disk audio file is not silence.
[ -s audio.raw ] || fail "no sound reached the audio device"
[ "$(head -c 4000000 audio.raw | tr -d '\0' | head -c 1 | wc -c)" = 1 ] || fail "the sound is all silence"

focus "$show"
xdotool key Escape
expect_exit 0 "Escape"
if [ "$mode" = driver ]; then
    fps=$(sed -n 's/^frames per second //p' app.log)
    [ -n "$fps" ] && [ "$fps" -le 100 ] || fail "presentation ran at $fps frames a second: not held to the display"
fi

# SIGTERM reaches the program as a quit request and also ends it with exit code 0.
start_show first-run.log "second run"
kill -TERM "$app_pid"
expect_exit 0 "SIGTERM"
checked="dialog, frames, Alt+Enter twice, F12 ($shot), sound, Escape, SIGTERM"

# The window's close button, through the window manager: a quit, so exit code 0 too.
if [ -n "$wm" ]; then
    start_show close-run.log "close-button run"
    wmctrl -i -c "$show"
    expect_exit 0 "closing the window"
    checked="$checked, with a window manager: dragging, full screen, the close button"
fi

# A song that does not load: the sound library's message box, a line on stderr, then exit code 1.
if [ "$mode" = demo ] && [ -n "$data" ] && command -v xwininfo >/dev/null; then
    rm -rf broken-data && cp -r "$data" broken-data && echo "not a song" >broken-data/back.xm
    mv app.log second-run.log
    "$exe" --data "$work/broken-data" 2>app.log &
    app_pid=$!
    confirm_dialog "third run"
    retry 150 grep -q '^Midas: ' app.log || fail "no 'Midas: ...' line for the broken song"
    midas_box() { xwininfo -name Midas 2>/dev/null | awk '/Window id:/ {print $4}' | grep .; }
    box=$(retry 50 midas_box) || fail "no message box captioned Midas"
    focus "$box"
    xdotool key Return
    expect_exit 1 "the sound library failed"
    checked="$checked, the Midas message box"
fi
echo "passed: $checked"
