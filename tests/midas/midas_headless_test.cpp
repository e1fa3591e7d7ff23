// The library over the headless host: the song is mixed in step with the virtual tick
// counter and lands in the WAV file exactly as libxmp plays it alone.
#include "host/headless_host.h"
#include "midas.h"
#include "reference_render.h"
#include "soft/faults.h"
#include "test_songs.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#ifdef MIDAS_TEST_BACK_SONG
#include "song/song.h"
#endif

namespace {

constexpr uint32_t frameMs = 20;
constexpr int wavHeaderBytes = 44;

std::vector<int16_t> readWavSamples(const std::string& path)
{
    std::vector<int16_t> samples;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return samples;
    std::fseek(file, wavHeaderBytes, SEEK_SET);
    int16_t block[4096];
    size_t got;
    while ((got = std::fread(block, sizeof(int16_t), 4096, file)) > 0)
        samples.insert(samples.end(), block, block + got);
    std::fclose(file);
    return samples;
}

// Plays `song` for `frames` presented frames of the headless host and returns the WAV's samples.
std::vector<int16_t> playHeadless(const std::string& name, const std::vector<uint8_t>& song, int frames)
{
    host::HeadlessHostOptions options;
    options.frameMs = frameMs;
    options.wavPath = name + ".wav";
    auto headless = host::makeHeadlessHost(options);
    host::install(headless.get());
    soft::clearFaults();
    EXPECT_TRUE(MIDASstartup());
    EXPECT_TRUE(MIDASconfig());
    EXPECT_TRUE(MIDASinit());
    MIDASmodule module = MIDASloadModule(writeTestFile(name, song).c_str());
    EXPECT_NE(module, nullptr) << MIDASgetErrorMessage(MIDASgetLastError());
    MIDASmodulePlayHandle handle = MIDASplayModule(module, TRUE);
    EXPECT_NE(handle, 0u);
    MIDASplayStatus status;
    for (int i = 0; i < frames; ++i) {
        MIDASpoll();
        MIDASgetPlayStatus(handle, &status);
        headless->present(host::Frame{});
    }
    EXPECT_EQ(headless->audioFramesMixed(), int64_t(frames) * frameMs * 441 / 10);
    EXPECT_TRUE(MIDASstopModule(handle));
    EXPECT_TRUE(MIDASfreeModule(module));
    EXPECT_TRUE(MIDASclose());
    headless->finish();
    host::install(nullptr);
    return readWavSamples(options.wavPath);
}

TEST(MidasHeadless, TheWavHoldsTheSongAsLibxmpPlaysIt)
{
    TestSong song;   // 1.92 s long: the 3 s run hears it repeat
    std::vector<uint8_t> bytes = makeXm(song);
    constexpr int presents = 150;
    std::vector<int16_t> wav = playHeadless("headless.xm", bytes, presents);
    int frames = presents * int(frameMs) * 441 / 10;
    ASSERT_EQ(wav.size(), size_t(frames) * 2);
    EXPECT_TRUE(wav == renderWithLibxmp(bytes, frames, 0));
}

#ifdef MIDAS_TEST_BACK_SONG
TEST(MidasHeadless, TheShowsOwnSongPlaysAsLibxmpPlaysIt)
{
    std::vector<uint8_t> bytes = composeBackXm();
    constexpr int presents = 500;   // ten seconds
    std::vector<int16_t> wav = playHeadless("back.xm", bytes, presents);
    int frames = presents * int(frameMs) * 441 / 10;
    ASSERT_EQ(wav.size(), size_t(frames) * 2);
    EXPECT_TRUE(wav == renderWithLibxmp(bytes, frames, 0));
}
#endif

} // namespace
