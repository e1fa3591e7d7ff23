// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Holds presentation to the display's rate so that a main loop that only waits in
// its flip does not spin the processor.
#pragma once

#include <chrono>

namespace host::sdl {

class FramePacer {
public:
    using Clock = std::chrono::steady_clock;

    // How long to wait at `now` before showing the next frame on a display of
    // `refreshHz`. With vertical sync the present itself waits, and the pacer only
    // catches a driver that promises vsync but does not wait: it then paces a little
    // faster than the display, so that it never costs a refresh.
    Clock::duration delayAt(Clock::time_point now, int refreshHz, bool vsyncWaits);

private:
    Clock::time_point due{};
};

}  // namespace host::sdl
