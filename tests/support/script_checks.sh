# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# Sourced by the test scripts: skipping, failing with the program's log (app.log), a virtual X server.
skip=77
# Runs the command every 0.1 s until it succeeds, at most $1 times.
retry() {
    local tries=$1
    shift
    for _ in $(seq "$tries"); do "$@" && return; sleep 0.1; done
    return 1
}
need_tools() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit $skip; }
    done
}
fail() {
    echo "FAILED: $*"
    [ -f app.log ] && { echo "--- program output:"; cat app.log; }
    exit 1
}
# Xvfb with one screen of $1 (WxHxDEPTH) on a free display (-displayfd): several can run at once.
start_xvfb() {
    exec 3>display.number
    Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp 2>xvfb.log &
    xvfb_pid=$!
    exec 3>&-
    retry 50 test -s display.number || { echo "skipped: Xvfb did not start"; exit $skip; }
    export DISPLAY=:$(cat display.number)
}
# The first visible window whose name matches, within 20 seconds (a search that fails is tried again).
search_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 | grep .; }
find_window() { retry 200 search_window "$1"; }
# The brightest channel of a picture, 0 to 100.
brightest() { identify -format '%[fx:int(100*maxima)]' "$1"; }
alive() { kill -0 "$app_pid" 2>/dev/null; }
# Waits up to 15 seconds for the program to end and expects exit code $1 after $2.
expect_exit() {
    retry 150 eval '! alive' || fail "$2 did not end the show"
    wait "$app_pid"
    local rc=$?
    app_pid=
    [ "$rc" = "$1" ] || fail "exit code $rc after $2, not $1"
}
# Checks an installed tree ($1: a prefix, or a package's usr/) with the desktop's own validators: the desktop
# entry, the AppStream data and the man pages. Prints what is wrong; fails if anything is.
validate_desktop_files() {
    local root=$1 bad=0 page warnings
    desktop-file-validate "$root/share/applications/mornakle.desktop" || { echo "the desktop entry does not validate"; bad=1; }
    grep -qx 'Icon=mornakle' "$root/share/applications/mornakle.desktop" || { echo "the desktop entry names another icon"; bad=1; }
    appstreamcli validate --no-net --pedantic "$root/share/metainfo/org.mornakle.mornakle3d.metainfo.xml" ||
        { echo "the AppStream data does not validate"; bad=1; }
    for page in man6/mornakle.6.gz man1/mornakle-inspect.1.gz; do
        warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/share/man/$page" 2>&1 >/dev/null)
        [ -z "$warnings" ] || { echo "man warns about $page: $warnings"; bad=1; }
    done
    return $bad
}
# Starts the program ("$@", its output in app.log, its pid in app_pid) and waits for its first window
# named $1 (its id in $window). On a loaded machine the virtual X server has, rarely, refused a connection
# for a moment: the program then ends at once saying it found no display while the server answers, and is
# started again, at most twice. Anything else returns 1.
start_with_window() {
    local name=$1 attempt
    shift
    window=
    for attempt in 1 2 3; do
        "$@" 2>app.log &
        app_pid=$!
        window=$(find_window "$name") && return 0
        ! alive && grep -q 'cannot open a display' app.log && xdotool getdisplaygeometry >/dev/null || return 1
        echo "the program found no display answering; started again"
    done
    return 1
}
