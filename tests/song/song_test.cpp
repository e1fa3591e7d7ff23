#include "song/arrangement.h"
#include "song/instruments.h"
#include "song/song.h"

#include <gtest/gtest.h>
#include <xmp.h>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kOutputRate = 44100;
constexpr int kFullScale = 32767;

class LoadedSong : public ::testing::Test {
protected:
    static void SetUpTestSuite() { bytes = new std::vector<uint8_t>(composeBackXm()); }
    static void TearDownTestSuite() { delete bytes; }

    void SetUp() override
    {
        context = xmp_create_context();
        ASSERT_EQ(0, xmp_load_module_from_memory(context, bytes->data(), long(bytes->size())));
        xmp_get_module_info(context, &info);
        ASSERT_EQ(0, xmp_start_player(context, kOutputRate, 0));
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
        const xmp_module* module = info.mod;
        const xmp_pattern* pattern = module->xxp[module->xxo[order]];
        return module->xxt[pattern->index[channel]]->event[row];
    }

    static std::vector<uint8_t>* bytes;
    xmp_context context = nullptr;
    xmp_module_info info{};
};
std::vector<uint8_t>* LoadedSong::bytes = nullptr;

TEST_F(LoadedSong, HasTenChannelsOneBarPerBeatAndItsTempo)
{
    const xmp_module* module = info.mod;
    EXPECT_EQ(song::channelCount, module->chn);
    EXPECT_EQ(10, module->chn);
    EXPECT_EQ(66, module->len);
    EXPECT_EQ(0, module->rst);
    EXPECT_EQ(6, module->spd);
    EXPECT_EQ(144, module->bpm);
    EXPECT_EQ(song::instrumentCount, module->ins);
    const int storedPatterns = (*bytes)[70] | (*bytes)[71] << 8;  // the header's count; libxmp adds a blank one
    EXPECT_GT(storedPatterns, 20) << "the sections differ";
    for (int order = 0; order < module->len; ++order)
        EXPECT_EQ(16, module->xxp[module->xxo[order]]->rows);

    xmp_frame_info frame{};
    xmp_get_frame_info(context, &frame);
    EXPECT_NEAR(110000, frame.total_time, 20);
}

TEST_F(LoadedSong, PlaysLoudButNeverClipsAndFadesOutBeforeItLoops)
{
    int peak = 0;
    int tailPeak = 0;
    double seconds = 0;
    xmp_frame_info frame{};
    while (xmp_play_frame(context) == 0) {
        xmp_get_frame_info(context, &frame);
        if (frame.loop_count > 0)
            break;
        const auto* samples = static_cast<const int16_t*>(frame.buffer);
        const int count = frame.buffer_size / 2;
        const int framePeak = std::abs(*std::max_element(samples, samples + count, [](int16_t a, int16_t b) {
            return std::abs(int(a)) < std::abs(int(b));
        }));
        peak = std::max(peak, framePeak);
        if (frame.time > 109700)  // the last three rows before the loop
            tailPeak = std::max(tailPeak, framePeak);
        seconds += double(count / 2) / kOutputRate;
    }
    EXPECT_NEAR(110.0, seconds, 0.15);
    EXPECT_LT(peak, kFullScale - 1000) << "a margin below full scale";
    EXPECT_GT(peak, kFullScale / 4) << "loud enough to be heard";
    EXPECT_LT(tailPeak, kFullScale / 100) << "the loop back to the quiet intro must not cut a sound";
}

// The house scene flashes on every bar and 6 rows later; the box scene 4 rows after the bar
// and again 11.5 rows after it. A chord stab sounds with each flash.
TEST_F(LoadedSong, StabsFallOnTheScenesFlashes)
{
    auto isStab = [](const xmp_event& e) {
        return e.note != 0 && (e.ins == song::stabMinor || e.ins == song::stabMajor);
    };
    for (int order = 8; order < 16; ++order) {
        SCOPED_TRACE(order);
        EXPECT_TRUE(isStab(eventAt(order, 0, song::stabChannel)));
        EXPECT_TRUE(isStab(eventAt(order, 6, song::stabChannel)));
    }
    for (int order = 20; order < 24; ++order) {
        SCOPED_TRACE(order);
        EXPECT_TRUE(isStab(eventAt(order, 4, song::stabChannel)));
        const xmp_event& late = eventAt(order, 11, song::stabChannel);
        EXPECT_TRUE(isStab(late));
        EXPECT_EQ(0xD3, late.fxp) << "held back half a row, three of six ticks";
    }
}

TEST_F(LoadedSong, IntroBuildsUpAndTheBeatEntersWithTheHouseScene)
{
    auto kickBars = [&](int from, int to) {
        int bars = 0;
        for (int order = from; order < to; ++order)
            bars += eventAt(order, 0, song::kickChannel).ins == song::kick;
        return bars;
    };
    EXPECT_EQ(0, kickBars(0, 8));
    EXPECT_EQ(8, kickBars(8, 16));
    EXPECT_EQ(0, kickBars(16, 20)) << "the rings are a breakdown";
    EXPECT_EQ(4, kickBars(20, 24));
}

TEST(BackXm, IsTheSameOnEveryCall)
{
    EXPECT_EQ(composeBackXm(), composeBackXm());
}

}  // namespace
