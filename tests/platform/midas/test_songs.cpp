// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "test_songs.h"

#include "song/xm_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

namespace {

constexpr int waveLength = 64;  // frames of the looped waveform

// A saw with a little square in it: rich enough that every note sounds different.
int waveAt(int i) { return (i * 4 - 128) / 2 + (i < waveLength / 2 ? 40 : -40); }

// Which note, if any, a channel strikes on a row: a short arpeggio, channel by channel.
int noteAt(int row, int channel) { return (row + channel) % 4 == 0 ? 49 + (row % 12) + channel * 3 : 0; }

}  // namespace

std::vector<uint8_t> makeXm(const TestSong& song)
{
    song::XmModule module;
    module.name = "midas test";
    module.tracker = "mornakle tests";
    module.channels = 2;
    module.restartPosition = song.restartPosition;
    module.speed = song.speed;
    module.bpm = song.bpm;
    module.orders.assign(size_t(song.orders), 0);
    song::XmPattern pattern(song.rows, module.channels);
    for (int row = 0; row < song.rows; ++row)
        for (int channel = 0; channel < module.channels; ++channel)
            if (int note = song.notes ? noteAt(row, channel) : 0)
                pattern.at(row, channel) = {uint8_t(note), 1};
    module.patterns.push_back(pattern);
    song::XmInstrument wave;
    wave.name = "wave";
    song::XmSample& sample = wave.samples.emplace_back();
    sample.name = "wave";
    sample.loopLength = waveLength;
    sample.loop = song::XmLoop::forward;
    sample.volume = 48;
    for (int i = 0; i < waveLength; ++i)
        sample.frames.push_back(int16_t(waveAt(i) * 256));
    module.instruments.push_back(wave);
    return song::writeXm(module);
}

int songFrames(const TestSong& song)
{
    return int(std::lround(song.orders * song.rows * song.speed * 2.5 / song.bpm * 44100));
}

std::string testFilePath(const std::string& name)
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::filesystem::path folder = std::filesystem::path(MORNAKLE_BINARY_DIR) / "midas-songs";
    if (test)
        folder /= std::string(test->test_suite_name()) + "." + test->name();
    std::filesystem::create_directories(folder);
    return (folder / name).string();
}

std::string writeTestFile(const std::string& name, const std::vector<uint8_t>& bytes)
{
    const std::string path = testFilePath(name);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
}
