// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "song/arrangement.h"
#include "song/instruments.h"
#include "song/song.h"

#include <gtest/gtest.h>
#include <xmp.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int outputRate = 44100;
constexpr int fullScale = 32767;

// The generated song loaded into libxmp and ready to play at the demo player's 44.1 kHz stereo.
class LoadedSong : public ::testing::Test {
protected:
    static void SetUpTestSuite() { bytes = new std::vector<uint8_t>(composeBackXm()); }
    static void TearDownTestSuite() { delete bytes; }
    void SetUp() override
    {
        ASSERT_EQ(0, xmp_load_module_from_memory(context, bytes->data(), long(bytes->size())));
        xmp_get_module_info(context, &info);
        ASSERT_EQ(0, xmp_start_player(context, outputRate, 0));
    }
    void TearDown() override
    {
        xmp_end_player(context);
        xmp_release_module(context);
        xmp_free_context(context);
    }
    // The event of `channel` at `row` of the bar played at `order`.
    const xmp_event& eventAt(int order, int row, int channel) const
    {
        const xmp_pattern* pattern = info.mod->xxp[info.mod->xxo[order]];
        return info.mod->xxt[pattern->index[channel]]->event[row];
    }

    static std::vector<uint8_t>* bytes;
    xmp_context context = xmp_create_context();
    xmp_module_info info{};
};
std::vector<uint8_t>* LoadedSong::bytes = nullptr;

TEST_F(LoadedSong, HasTenChannelsOneBarPerBeatAndItsTempo)
{
    const xmp_module* m = info.mod;
    const std::pair<int, int> fields[] = {
        {m->chn, 10},  {m->chn, song::channelCount},   {m->len, 66}, {m->rst, 0}, {m->spd, 6},
        {m->bpm, 144}, {m->ins, song::instrumentCount}};
    for (auto [got, expected] : fields)
        EXPECT_EQ(got, expected);
    EXPECT_GT((*bytes)[70] | (*bytes)[71] << 8, 20) << "the header's pattern count: the sections differ";
    for (int order = 0; order < m->len; ++order)
        EXPECT_EQ(16, m->xxp[m->xxo[order]]->rows);
    xmp_frame_info frame{};
    xmp_get_frame_info(context, &frame);
    EXPECT_NEAR(110000, frame.total_time, 20);
}

// The whole first pass: 110 seconds, loud but never clipping, silent before it loops back to the
// quiet intro; and the music breathes with the scenes: quiet rain, the beat with the house, a
// breakdown for the rings, full sections in the middle, the stills calmer again, a fade at the end.
TEST_F(LoadedSong, PlaysLoudButNeverClipsAndItsLoudnessFollowsTheScenes)
{
    constexpr double barMilliseconds = 1000.0 * 16 * 6 / (144 * 2 / 5.0);
    int peak = 0, tailPeak = 0;  // the tail: the last three rows before the loop
    double seconds = 0;
    std::vector<double> sumSquares(66, 0.0), samples(66, 0.0);
    xmp_frame_info frame{};
    while (xmp_play_frame(context) == 0) {
        xmp_get_frame_info(context, &frame);
        if (frame.loop_count > 0)
            break;
        const auto* buffer = static_cast<const int16_t*>(frame.buffer);
        const size_t bar = std::min(size_t(frame.time / barMilliseconds), size_t(65));
        for (int i = 0; i < frame.buffer_size / 2; ++i) {
            peak = std::max(peak, std::abs(int(buffer[i])));
            if (frame.time > 109700)
                tailPeak = std::max(tailPeak, std::abs(int(buffer[i])));
            sumSquares[bar] += double(buffer[i]) * buffer[i] / (32768.0 * 32768.0);
        }
        samples[bar] += frame.buffer_size / 2;
        seconds += double(frame.buffer_size / 4) / outputRate;
    }
    EXPECT_NEAR(110.0, seconds, 0.15);
    EXPECT_LT(peak, fullScale - 1000) << "a margin below full scale";
    EXPECT_GT(peak, fullScale / 4) << "loud enough to be heard";
    EXPECT_LT(tailPeak, fullScale / 100) << "the loop back to the quiet intro must not cut a sound";

    auto level = [&](int firstBar, int bars) {  // root mean square, bars counted from 1 as the show counts beats
        double sum = 0;
        for (int b = firstBar - 1; b < firstBar - 1 + bars; ++b)
            sum += samples[b] > 0 ? std::sqrt(sumSquares[b] / samples[b]) : 0.0;
        return sum / bars;
    };
    const double rain = level(1, 8), house = level(9, 8), rings = level(17, 4), boxes = level(21, 4);
    EXPECT_LT(rain * 1.5, house);
    EXPECT_LT(rings * 1.2, house);
    EXPECT_LT(rings * 1.2, boxes);
    EXPECT_LT(level(57, 8) * 1.2, level(25, 32)) << "the stills against the middle";
    EXPECT_GT(level(1, 1), 0.0) << "the song starts at once";
    EXPECT_LT(level(66, 1), level(65, 1)) << "the last bar fades out";
}

// The house scene flashes on every bar and 6 rows later; the box scene 4 rows after the bar and
// again 11.5 rows after it. A chord stab sounds with each flash. The kick enters with the house
// and pauses for the rings' breakdown.
TEST_F(LoadedSong, StabsFallOnTheScenesFlashesAndTheBeatEntersWithTheHouse)
{
    auto isStab = [&](int order, int row) {
        const xmp_event& e = eventAt(order, row, song::stabChannel);
        return e.note != 0 && (e.ins == song::stabMinor || e.ins == song::stabMajor);
    };
    for (int order = 0; order < 24; ++order) {
        SCOPED_TRACE(order);
        const bool house = order >= 8 && order < 16, boxes = order >= 20;
        EXPECT_EQ(eventAt(order, 0, song::kickChannel).ins == song::kick, house || boxes);
        if (house) {
            EXPECT_TRUE(isStab(order, 0) && isStab(order, 6));
        }
        if (boxes) {
            EXPECT_TRUE(isStab(order, 4) && isStab(order, 11));
            EXPECT_EQ(0xD3, eventAt(order, 11, song::stabChannel).fxp) << "held back half a row, three of six ticks";
        }
    }
}

TEST(BackXm, IsTheSameOnEveryCall) { EXPECT_EQ(composeBackXm(), composeBackXm()); }

}  // namespace
