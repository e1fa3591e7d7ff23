#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# Options and exit codes of the program, as a user sees them.
. "$(dirname "$0")/cli_common.sh"

expect() {  # expect CODE PATTERN-ON-STDERR ARGS...
    local code=$1 pattern=$2; shift 2
    "$program" "$@" >"$work/out" 2>"$work/err"
    local got=$?
    if [ "$got" != "$code" ]; then fail "$* exited $got, expected $code"; cat "$work/err"
    elif [ -n "$pattern" ] && ! grep -q -- "$pattern" "$work/err"; then fail "$* did not say '$pattern'"; cat "$work/err"
    else echo "ok: $*"; fi
}

expect 64 "unknown option --bogus" --bogus
expect 64 "needs a value" --headless --frame-ms
expect 64 "bad value '0' for --frame-ms" --headless --frame-ms 0
# A moment to start at is refused in one line, without the usage text.
oneLine() { [ "$(wc -l <"$work/err")" = 1 ] || fail "$* said more than one line"; }
expect 64 "under 110 s" --start-at 110 && oneLine --start-at 110
expect 64 "under 110 s" --headless --start-at -0.5 && oneLine --start-at -0.5
expect 64 "must lie after --start-at" --headless --start-at 1:01.2 --until-ms 61200 && oneLine --until-ms
expect 64 "with --from" --record "$work/show.mp4" --start-at 5 && oneLine --record
[ -e "$work/show.mp4" ] && fail "a refused recording wrote a file"
expect 0 "" --help
grep -q -- "--headless" "$work/out" || fail "--help lists no options"
grep -q -- "--version" "$work/out" || fail "--help does not list --version"
# The release the build was configured with, and only that, whatever else is on the line.
expect 0 "" --version
[ "$(cat "$work/out")" = "mornakle $2" ] || fail "--version printed '$(cat "$work/out")', not 'mornakle $2'"
expect 0 "" --headless --version
[ "$(cat "$work/out")" = "mornakle $2" ] || fail "--headless --version did not just print the release"
expect 2 "cannot open the data folder" --headless --data "$work/nowhere"
# What the platform cannot go on from ends the program with the program's code for it.
expect 2 "cannot write" --headless --wav "$work/nowhere/show.wav"
MORNAKLE_SIMD=bogus expect 64 "no such kernel family" --headless
# The kernel families this processor runs, narrowest first; another processor's is refused in one line.
expect 0 "" --kernel-families
[ "$(head -n 1 "$work/out")" = scalar ] || fail "--kernel-families does not begin with scalar: $(cat "$work/out")"
if grep -qx neon "$work/out"; then foreign=sse2; else foreign=neon; fi
MORNAKLE_SIMD=$foreign expect 64 "the $foreign kernels are for" --headless && oneLine MORNAKLE_SIMD=$foreign
expect 2 "" --headless --dialog cancel
expect 2 "" --headless --dialog close
expect 2 "" --headless --inject-fault MIDASconfig=1
grep -q "Midas" "$work/err" && fail "a refused configuration showed a message"
expect 1 "^Midas: " --headless --inject-fault MIDASinit=1
mkdir "$work/empty"
expect 1 "^Midas: " --headless --data "$work/empty"
expect 2 "" --headless --inject-fault "IDirectDraw::SetDisplayMode=0x88760096"
expect 2 "" --headless --inject-fault CreateWindowExA=1
# With a display that cannot be opened, the real host says so and suggests --headless.
DISPLAY=:999 WAYLAND_DISPLAY= SDL_VIDEODRIVER=x11 expect 2 "try --headless"

finish
