#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# One run of the program under the sanitized build, judged as a user would judge it:
#   run_checked.sh LOG PROGRAM ARGS...
# It must end by itself within the time limit with exit code 0, 1 or 2; exit code 1
# comes with the sound library's own message ("Midas: …") and only with it; and no
# sanitizer may report anything. Prints one line, "ok: …" or "FAIL: …", and exits 0
# or 1 accordingly; the run's stderr is kept in LOG.
set -u
log=$1
shift
timeout -s KILL "${GATE_RUN_SECONDS:-180}" "$@" >/dev/null 2>"$log"
code=$?
args="${*:2}"
problem=""
if grep -qE 'Sanitizer|runtime error:' "$log"; then
    problem="a sanitizer finding (exit code $code)"
elif [ "$code" = 137 ]; then
    problem="did not end within ${GATE_RUN_SECONDS:-180} s"
elif [ "$code" != 0 ] && [ "$code" != 1 ] && [ "$code" != 2 ]; then
    problem="exit code $code"
elif [ "$code" = 1 ] && ! grep -q '^Midas: ' "$log"; then
    problem="exit code 1 without the sound library's message"
elif [ "$code" != 1 ] && grep -q '^Midas: ' "$log"; then
    problem="the sound library's message with exit code $code"
fi
if [ -n "$problem" ]; then
    echo "FAIL: $args: $problem"
    sed 's/^/    /' "$log" | head -40
    exit 1
fi
echo "ok ($code): $args"
