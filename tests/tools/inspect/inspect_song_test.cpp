// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// mornakle-inspect on songs: one JSON object for a song, one line on stderr otherwise.
#include "inspect.h"
#include "test_songs.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Outcome {
    int exitCode;
    std::string out, err;
};

Outcome inspect(const std::string& path)
{
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    int code = inspectSong(path.c_str());
    std::string out = testing::internal::GetCapturedStdout();
    return {code, out, testing::internal::GetCapturedStderr()};
}

TEST(InspectSong, DescribesAnExtendedModule)
{
    // libxmp's counts: it adds one empty pattern and names the format after the tracker that wrote it.
    // The length is orders x rows x ticks of 2.5 / bpm seconds.
    Outcome xm = inspect(writeTestFile("inspect.xm", makeXm({.speed = 4, .bpm = 150})));
    EXPECT_EQ(xm.exitCode, 0);
    EXPECT_EQ(xm.err, "");
    EXPECT_EQ(xm.out, "{\"name\": \"midas test\", \"format\": \"mornakle tests XM 1.04\", \"channels\": 2, "
                      "\"patterns\": 2, \"instruments\": 1, \"samples\": 1, \"durationMs\": " +
                          std::to_string(2 * 16 * 4 * 2500 / 150) + ", \"speed\": 4, \"bpm\": 150}\n");
}

TEST(InspectSong, RefusesWhatIsNotASong)
{
    struct Case {
        std::string path, reason;
    } cases[] = {
        {writeTestFile("inspect_text.xm", std::vector<uint8_t>(100, 'z')), "not a song in any format the player reads"},
        {"inspect_missing.xm", "No such file or directory"},
    };
    for (const Case& c : cases) {
        Outcome o = inspect(c.path);
        EXPECT_EQ(o.exitCode, 1);
        EXPECT_EQ(o.out, "");
        EXPECT_EQ(o.err, "mornakle-inspect: " + c.path + ": " + c.reason + "\n");
    }
}

}  // namespace
