#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# Plays the show: in a window when there is a display; without one, records it.
set -euo pipefail
build=${1:-build}
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$build/mornakle"
fi
echo "mornakle: no display here, so the show is recorded to $build/mornakle.mp4 instead"
exec "$build/mornakle" --record "$build/mornakle.mp4"
