#include "song/arrangement.h"
#include "song/instruments.h"
#include "song/song.h"

#include <gtest/gtest.h>
#include <xmp.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string_view>

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

// The whole first pass, rendered as the demo's player renders it: 44.1 kHz stereo.
struct Rendering {
    int peak = 0;
    int tailPeak = 0;             // over the last three rows before the loop
    double seconds = 0;
    std::vector<double> barLevel; // root mean square of each bar, full scale 1
};

Rendering renderFirstPass(xmp_context context)
{
    constexpr double kBarMilliseconds = 1000.0 * 16 * 6 / (144 * 2 / 5.0);
    Rendering r;
    std::vector<double> sumSquares(66, 0.0), frames(66, 0.0);
    xmp_frame_info frame{};
    while (xmp_play_frame(context) == 0) {
        xmp_get_frame_info(context, &frame);
        if (frame.loop_count > 0)
            break;
        const auto* samples = static_cast<const int16_t*>(frame.buffer);
        const int count = frame.buffer_size / 2;
        const size_t bar = std::min(size_t(frame.time / kBarMilliseconds), size_t(65));
        for (int i = 0; i < count; ++i) {
            const int magnitude = std::abs(int(samples[i]));
            r.peak = std::max(r.peak, magnitude);
            if (frame.time > 109700)
                r.tailPeak = std::max(r.tailPeak, magnitude);
            sumSquares[bar] += double(samples[i]) * samples[i] / (32768.0 * 32768.0);
        }
        frames[bar] += count;
        r.seconds += double(count / 2) / kOutputRate;
    }
    for (size_t bar = 0; bar < sumSquares.size(); ++bar)
        r.barLevel.push_back(frames[bar] > 0 ? std::sqrt(sumSquares[bar] / frames[bar]) : 0.0);
    return r;
}

TEST_F(LoadedSong, PlaysLoudButNeverClipsAndFadesOutBeforeItLoops)
{
    const Rendering r = renderFirstPass(context);
    EXPECT_NEAR(110.0, r.seconds, 0.15);
    EXPECT_LT(r.peak, kFullScale - 1000) << "a margin below full scale";
    EXPECT_GT(r.peak, kFullScale / 4) << "loud enough to be heard";
    EXPECT_LT(r.tailPeak, kFullScale / 100) << "the loop back to the quiet intro must not cut a sound";
}

// The music breathes with the scenes: quiet rain, the beat with the house, a breakdown for the
// rings, full sections in the middle, the stills calmer again.
TEST_F(LoadedSong, LoudnessFollowsTheScenes)
{
    const Rendering r = renderFirstPass(context);
    ASSERT_EQ(66u, r.barLevel.size());
    auto level = [&](int firstBar, int bars) {  // bars counted from 1, as the show counts beats
        double sum = 0;
        for (int b = firstBar - 1; b < firstBar - 1 + bars; ++b)
            sum += r.barLevel[size_t(b)];
        return sum / bars;
    };
    const double rain = level(1, 8), house = level(9, 8), rings = level(17, 4), boxes = level(21, 4);
    const double middle = level(25, 32), stills = level(57, 8);
    EXPECT_LT(rain * 1.5, house);
    EXPECT_LT(rings * 1.2, house);
    EXPECT_LT(rings * 1.2, boxes);
    EXPECT_LT(stills * 1.2, middle);
    EXPECT_GT(level(1, 1), 0.0) << "the song starts at once";
    EXPECT_LT(r.barLevel[65], r.barLevel[64]) << "the last bar fades out";
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

TEST_F(LoadedSong, LeadStaysInAMinor)
{
    // Semitones from A:           A A#B C C#D D#E F F#G G#
    constexpr std::string_view kInKey = "x.xx.x.xx.x.";
    int notes = 0;
    for (int order = 0; order < info.mod->len; ++order)
        for (int row = 0; row < 16; ++row)
            for (int channel : {song::leadChannel, song::echoChannel}) {
                const xmp_event& e = eventAt(order, row, channel);
                if (e.note == 0 || e.note > 96)  // none, or a release
                    continue;
                ++notes;
                // Pitch class counted from A, whatever octave offset the loader adds.
                EXPECT_EQ('x', kInKey[size_t(e.note + 2) % 12]) << "order " << order << " row " << row;
            }
    EXPECT_GT(notes, 300);
}

TEST(BackXm, IsTheSameOnEveryCall)
{
    EXPECT_EQ(composeBackXm(), composeBackXm());
}

}  // namespace
