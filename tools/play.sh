#!/usr/bin/env bash
# Plays the show: in a window when there is a display, otherwise headless.
set -euo pipefail
build=${1:-build}
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$build/mornakle"
fi
echo "mornakle: no display here, so the show runs headless"
exec "$build/mornakle" --headless --frame-ms 50
