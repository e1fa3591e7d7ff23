// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "frame_pacer.h"

namespace host::sdl {
namespace {

constexpr int fallbackRefreshHz = 60;    // when the display does not say its rate
constexpr int vsyncMarginPercent = 125;  // the pace behind a vsync that should have waited

}  // namespace

FramePacer::Clock::duration FramePacer::delayAt(Clock::time_point now, int refreshHz, bool vsyncWaits)
{
    int hz = refreshHz > 0 ? refreshHz : fallbackRefreshHz;
    if (vsyncWaits)
        hz = hz * vsyncMarginPercent / 100;
    auto period = std::chrono::duration_cast<Clock::duration>(std::chrono::seconds(1)) / hz;
    due += period;
    if (due < now - period)
        due = now;  // fell behind (a slow frame, or the first): count afresh from now
    return due > now ? due - now : Clock::duration::zero();
}

}  // namespace host::sdl
