#!/bin/bash
# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# The 64-bit Windows program under Wine on a virtual X server, played as a user would; frames that do
# not depend on timing are compared with the headless host's. Wine has no audio driver: the show is
# silent. Exits 77 (skipped) when a tool or a program is missing.
#   wine_show_test.sh EXE WORKDIR PREFIX NATIVE_EXE DATA_DIR
# PREFIX is a throw-away Wine prefix, made on the first run and kept (making one is slow).
set -u
exe=$1 work=$2 prefix=$3 native=$4 data=$5
. "$(dirname "$0")/../support/script_checks.sh"
need_tools wine wineserver Xvfb xdotool import convert identify
[ -f "$exe" ] || { echo "skipped: $exe is not built (make windows)"; exit $skip; }
[ -x "$native" ] || { echo "skipped: $native is not built"; exit $skip; }

rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv,winepulse.drv,wineoss.drv=d"
xvfb_pid= app_pid=
trap 'kill $app_pid 2>/dev/null; wineserver -k 2>/dev/null; kill $xvfb_pid 2>/dev/null' EXIT
start_xvfb 1024x768x24

# Wine in Xvfb changes the display mode only inside a virtual desktop: every program gets one of 640 x 480.
if [ ! -f "$prefix/mornakle-ready" ]; then
    rm -rf "$prefix"
    wineboot -i >prefix.log 2>&1 || fail "wineboot could not make the prefix"
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >>prefix.log 2>&1 &&
        wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 640x480 /f >>prefix.log 2>&1 ||
        fail "the virtual desktop could not be set"
    wineserver -w
    touch "$prefix/mornakle-ready"
fi
wineserver -k 2>/dev/null
wineserver -w

# Every 100th headless frame at 50 ms a frame: 35 s is in the box scene, 95 s the credits picture.
"$native" --headless --frame-ms 50 --capture headless --capture-every 100 --data "$data" >headless.log 2>&1 ||
    fail "the headless capture failed"

wine "$exe" >app.log 2>&1 &
app_pid=$!

# The dialog, a grey box with its caption, appears on the black desktop.
dialog_shown() { alive && xdotool search --name '^Select Rendering Device$' 2>/dev/null | head -1 | grep .; }
dialog=$(retry 300 dialog_shown) || fail "no \"Select Rendering Device\" dialog appeared"
# Screen grabs: the virtual desktop's 640 x 480 out of the whole screen.
desktop=$(search_window 'Wine desktop') || fail "no Wine desktop is shown"
eval "$(xdotool getwindowgeometry --shell "$desktop")"
grab() { import -window root -crop "640x480+$X+$Y" +repage "$1"; }
sleep 1
grab dialog.png
[ "$(brightest dialog.png)" -gt 50 ] || fail "the dialog is not drawn"
xdotool windowfocus "$dialog" 2>/dev/null
xdotool key Return
entered=$(date +%s.%N)

# Green rain on black. The show began between Enter and this grab: the two bound its clock below.
green_on_black() {
    local stats
    stats=$(convert "$1" -format '%[fx:mean.r] %[fx:mean.g] %[fx:mean.b] %[fx:maxima.g]' info:)
    read -r r g b top <<<"$stats"
    awk -v r="$r" -v g="$g" -v b="$b" -v top="$top" 'BEGIN { exit !(top > 0.5 && g > 2 * r && g > 2 * b && g < 0.5) }'
}
rained=
for _ in $(seq 200); do
    alive || fail "the program ended before the show began"
    grab rain.png
    green_on_black rain.png && rained=$(date +%s.%N) && break
    sleep 0.1
done
[ -n "$rained" ] || fail "no green rain on black: the show did not run on Wine's DirectDraw"

# Seconds from now until $1 seconds after $2.
until_time() { awk -v s="$2" -v t="$1" -v now="$(date +%s.%N)" 'BEGIN { printf "%.3f", s + t - now }'; }
# The largest difference in levels of any channel outside the rectangle $3 ("x0,y0 x1,y1" or none).
largest_difference() {
    local masked=()
    [ -n "$3" ] && masked=(-fill black -draw "rectangle $3")
    convert "$1" -alpha off "${masked[@]}" "$2" -alpha off "${masked[@]}" \
        -compose difference -composite -separate -evaluate-sequence max -format '%[fx:int(255*maxima+0.5)]' info:
}
# Grabs the screen while show time $4 to $5 s can be on it: one grab agrees with the headless frame at
# $2 ms (outside the rectangle $3) within one level per channel. Any other span differs by far more.
peer_check() {
    local name=$1 frame difference best=256 n=0 left
    frame=$(ls headless/frame-*-"$(printf '%010d' "$2")".png 2>/dev/null | head -1)
    [ -n "$frame" ] || fail "no headless frame at $2 ms"
    left=$(until_time "$4" "$entered")
    awk -v l="$left" 'BEGIN { exit !(l > 0) }' && sleep "$left"
    while awk -v l="$(until_time "$5" "$rained")" 'BEGIN { exit !(l > 0) }'; do
        alive || fail "the program ended during the show"
        grab "$name-$((++n)).png"
    done
    for ((i = 1; i <= n; i++)); do
        difference=$(largest_difference "$name-$i.png" "$frame" "$3")
        [ "$difference" -lt "$best" ] && best=$difference && cp "$name-$i.png" "$name-closest.png"
    done
    echo "$name: of $n grabs under Wine, the closest to the headless frame at $2 ms differs by $best in any channel"
    [ "$best" -le 1 ] || { cp "$frame" "$name-headless.png"; fail "$name differs from the headless frame by $best levels"; }
}

peer_check box 35000 "376,82 624,274" 33.4 39.9   # the box scene, all but its viewport
peer_check credits 95000 "" 93.4 99.9             # the credits picture

xdotool key Escape
expect_exit 0 Escape
[ "$(grep -c 'no audio device' app.log)" = 1 ] || fail "not one notice says there is no audio device"
echo "the Windows program ran the show under Wine and ended with Escape"
