// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "chapters.h"

#include "app/timeline.h"
#include "show_time.h"

#include <cstdio>
#include <cstdlib>
#include <iterator>

namespace program {

namespace {

// What each span of the show's running order shows, in its order.
const char* const spanNames[] = {
    "Binary rain",  "The house", "Rings",   "The box",      "Waves",   "Light beams",
    "Texture warp", "Greetings", "Credits", "Closing card", "The end",
};

// Walks the counter a millisecond at a time, as the demo reads it when its first reading
// was 0, and asks the timeline itself which span each value falls in: the boundaries are
// then those of the frames the demo draws, rounding and all.
host::Chapters makeChapters()
{
    const Timeline& timeline = showTimeline();
    if (timeline.count != int(std::size(spanNames))) {
        std::fprintf(stderr, "mornakle: the show has %d spans but %zu chapter names\n", timeline.count,
                     std::size(spanNames));
        std::abort();
    }
    const float startTime = ticksOf(0);
    host::Chapters chapters;
    int last = -1;
    for (uint32_t ms = 0; ms < showLengthMs; ++ms) {
        double difference = elapsedSince(startTime, ms);
        int span = selectSpan(timeline, difference, float(difference));
        if (span < 0)
            break;
        if (span != last) {
            chapters.push_back(host::Chapter{ms, spanNames[span]});
            last = span;
        }
    }
    return chapters;
}

}  // namespace

const host::Chapters& showChapters()
{
    static const host::Chapters chapters = makeChapters();
    return chapters;
}

}  // namespace program
