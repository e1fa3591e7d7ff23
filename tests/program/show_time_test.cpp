// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Show times as the viewer writes them, and as titles and file names show them.
#include "show_time.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

TEST(ShowTime, SecondsAndMinutesAreReadToTheMillisecond)
{
    const std::pair<const char*, uint32_t> cases[] = {
        {"61.2", 61200}, {"1:01.2", 61200}, {"0", 0},        {"0.001", 1},         {"61.234", 61234},
        {"61", 61000},   {"61.", 61000},    {"0:05", 5000},  {"1:49.999", 109999}, {"109.999", 109999},
        {"007.5", 7500}, {"0:00.05", 50},   {"1:00", 60000},
    };
    for (auto [text, ms] : cases)
        EXPECT_EQ(program::parseShowTime(text), std::optional<uint32_t>(ms)) << text;
}

TEST(ShowTime, WhatIsNotAMomentOfTheShowIsRefused)
{
    // Not a time, negative, finer than a millisecond, badly written minutes, and at or after the end.
    const char* refused[] = {"",      "abc",  "-1",  "-0.5",  "+5",   " 5",       "5 ",          "1.2345",
                             "1..2",  ".5",   "5s",  "1:5",   "1:60", "1:05:00",  ":05",         "1:",
                             "1:5.5", "0x10", "110", "110.0", "1:50", "1:50.000", "4294967.296", "99999999999"};
    for (const char* text : refused)
        EXPECT_EQ(program::parseShowTime(text), std::nullopt) << '"' << text << '"';
}

TEST(ShowTime, SecondsAreWrittenShortAndReadBackToTheSameMillisecond)
{
    EXPECT_EQ(program::formatSeconds(61200), "61.2");
    EXPECT_EQ(program::formatSeconds(61000), "61");
    EXPECT_EQ(program::formatSeconds(61234), "61.234");
    EXPECT_EQ(program::formatSeconds(50), "0.05");
    EXPECT_EQ(program::formatSeconds(0), "0");
    for (uint32_t ms = 0; ms < program::showLengthMs; ++ms)
        ASSERT_EQ(program::parseShowTime(program::formatSeconds(ms)), std::optional<uint32_t>(ms)) << ms;
}

TEST(ShowTime, TheClockShowsMinutesSecondsAndTenths)
{
    EXPECT_EQ(program::formatClock(61200), "1:01.2");
    EXPECT_EQ(program::formatClock(61299), "1:01.2");  // a clock does not round up
    EXPECT_EQ(program::formatClock(0), "0:00.0");
    EXPECT_EQ(program::formatClock(109999), "1:49.9");
    EXPECT_EQ(program::parseShowTime(program::formatClock(59950)), std::optional<uint32_t>(59900));
}

}  // namespace
