// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "song/harmony.h"
#include "song/instruments.h"
#include "song/synth.h"
#include "song/xm_writer.h"

#include <gtest/gtest.h>
#include <xmp.h>

#include <cmath>
#include <utility>

namespace {

constexpr int outputRate = 44100;

// Plays one note of one instrument through libxmp and returns mono frames of the first `seconds`.
std::vector<double> playNote(song::Instrument instrument, const char* note, double seconds)
{
    song::XmModule module;
    module.channels = 1, module.speed = 6, module.bpm = 125;
    song::XmPattern pattern(32, 1);
    pattern.at(0, 0) = song::XmCell{song::noteNumber(note), 1, 0x50, 0, 0};
    module.patterns.push_back(pattern);
    module.orders = {0};
    module.instruments.push_back(song::buildInstruments()[instrument - 1]);
    const std::vector<uint8_t> bytes = song::writeXm(module);

    std::vector<double> mono;
    xmp_context context = xmp_create_context();
    if (xmp_load_module_from_memory(context, bytes.data(), long(bytes.size())) == 0 &&
        xmp_start_player(context, outputRate, 0) == 0) {
        xmp_set_player(context, XMP_PLAYER_INTERP, XMP_INTERP_SPLINE);
        xmp_frame_info frame{};
        while (mono.size() < size_t(seconds * outputRate) && xmp_play_frame(context) == 0) {
            xmp_get_frame_info(context, &frame);
            const auto* samples = static_cast<const int16_t*>(frame.buffer);
            for (int i = 0; i + 1 < frame.buffer_size / 2; i += 2)
                mono.push_back((samples[i] + samples[i + 1]) / 65536.0);
        }
        xmp_end_player(context);
        xmp_release_module(context);
    }
    xmp_free_context(context);
    return mono;
}

// Power of one frequency over frames [from, end), Hann-windowed (Goertzel's recurrence).
double powerAt(const std::vector<double>& frames, size_t from, double hertz)
{
    const double w = 2 * M_PI * hertz / outputRate;
    const size_t n = frames.size() - from;
    double s1 = 0, s2 = 0;
    for (size_t i = 0; i < n; ++i) {
        const double window = 0.5 - 0.5 * std::cos(2 * M_PI * double(i) / double(n));
        s2 = std::exchange(s1, frames[from + i] * window + 2 * std::cos(w) * s1 - s2);
    }
    return s1 * s1 + s2 * s2 - 2 * std::cos(w) * s1 * s2;
}

// Every pitched instrument sounds the note it is given (held notes are looked at longer, to resolve
// low pitches): its energy sits on that pitch and not a quarter tone either side of it.
TEST(Instruments, SoundTheNotePlayed)
{
    const struct {
        song::Instrument instrument;
        const char* note;
        double hertz;
        bool held;
    } cases[] = {{song::bass, "A-2", 110.0, true},       {song::bass, "F-2", 87.307, true},
                 {song::lead, "A-4", 440.0, true},       {song::lead, "E-5", 659.255, true},
                 {song::pluck, "C-5", 523.251, false},   {song::padMinor, "A-3", 220.0, true},
                 {song::padMajor, "G-3", 195.998, true}, {song::stabMinor, "A-3", 220.0, false}};
    const double quarterTone = std::pow(2.0, 1.0 / 24);
    for (auto c : cases) {
        SCOPED_TRACE(testing::Message() << c.note << " on instrument " << int(c.instrument));
        const std::vector<double> frames = playNote(c.instrument, c.note, c.held ? 1.2 : 0.35);
        ASSERT_GT(frames.size(), size_t(outputRate / 4));
        const size_t from = outputRate / 20;  // past the attack
        const double on = powerAt(frames, from, c.hertz);
        EXPECT_GT(on, 10 * powerAt(frames, from, c.hertz * quarterTone));
        EXPECT_GT(on, 10 * powerAt(frames, from, c.hertz / quarterTone));
    }
}

// A drum is a short hit that has died away long before the next bar.
TEST(Drums, DieAwayWithinABar)
{
    constexpr size_t halfBar = outputRate * 5 / 6;  // frames: half of a 1.667-second bar
    for (song::Instrument drum : {song::kick, song::snare, song::clap, song::closedHat, song::openHat, song::tom}) {
        SCOPED_TRACE(int(drum));
        const std::vector<double> frames = playNote(drum, "C-4", 1.0);
        ASSERT_GT(frames.size(), halfBar);
        double peak[2] = {0, 0};  // before and after half a bar
        for (size_t i = 0; i < frames.size(); ++i)
            peak[i >= halfBar] = std::max(peak[i >= halfBar], std::fabs(frames[i]));
        EXPECT_GT(peak[0], 0.05);
        EXPECT_LT(peak[1], peak[0] * 0.01);
    }
}

// A looped voice stack wraps without a click: no step across the loop's end outgrows those inside.
TEST(LoopVoice, WrapsSeamlessly)
{
    const song::Buffer saw = song::cycleTable(1024, 12, [](int k) { return song::sawHarmonic(k, 6); });
    song::Buffer loop(4800, 0.0f);
    song::addLoopVoice(loop, saw, 99, 0.3, 1.0);
    song::addLoopVoice(loop, saw, 101, 0.7, 0.8);
    float largestStep = 0;
    for (size_t i = 1; i < loop.size(); ++i)
        largestStep = std::max(largestStep, std::fabs(loop[i] - loop[i - 1]));
    EXPECT_LE(std::fabs(loop.front() - loop.back()), largestStep);
    EXPECT_GT(largestStep, 0.0f);
}

}  // namespace
