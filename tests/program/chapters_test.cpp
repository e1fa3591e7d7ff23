// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The chapter table against the running order it is made from.
#include "app/timeline.h"
#include "chapters.h"
#include "show_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

TEST(Chapters, OneForEverySpanStartingAtItsFirstMillisecond)
{
    const host::Chapters& chapters = program::showChapters();
    const Timeline& timeline = showTimeline();
    ASSERT_EQ(int(chapters.size()), timeline.count);
    std::set<std::string> names;
    for (int i = 0; i < timeline.count; ++i) {
        // A span starting at s ticks starts at s / 0.02 ms; single precision may move that
        // by a millisecond either way, never more.
        double exact = double(timeline.spans[i].start) * 50.0;
        EXPECT_LE(std::fabs(double(chapters[i].startMs) - exact), 1.0) << chapters[i].name;
        EXPECT_FALSE(chapters[i].name.empty());
        names.insert(chapters[i].name);
    }
    EXPECT_EQ(names.size(), chapters.size());  // every chapter can be told apart
    EXPECT_EQ(chapters.front().startMs, 0u);
    EXPECT_EQ(chapters.front().name, "Binary rain");
    EXPECT_EQ(chapters.back().name, "The end");
}

TEST(Chapters, TheCounterAtAChaptersStartIsInItsSpanAndOneEarlierIsNot)
{
    const host::Chapters& chapters = program::showChapters();
    for (size_t i = 1; i < chapters.size(); ++i) {
        for (uint32_t ms : {chapters[i].startMs - 1, chapters[i].startMs}) {
            double difference = elapsedSince(ticksOf(0), ms);
            int expected = ms == chapters[i].startMs ? int(i) : int(i) - 1;
            EXPECT_EQ(selectSpan(showTimeline(), difference, float(difference)), expected) << ms;
        }
    }
    // The house starts at the first millisecond past 8 beats: 13333.33 ms.
    EXPECT_EQ(chapters[1].startMs, 13334u);
    EXPECT_LT(chapters.back().startMs, program::showLengthMs);
}

}  // namespace
