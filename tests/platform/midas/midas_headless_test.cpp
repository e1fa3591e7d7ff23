// The library over the headless host: the song is mixed in step with the virtual tick
// counter and lands in the WAV file exactly as libxmp plays it alone.
#include "host/headless_host.h"
#include "midas_fixture.h"
#include "song/song.h"
#include "test_songs.h"

#include <cstring>
#include <fstream>
#include <iterator>

namespace {

constexpr uint32_t frameMs = 20;
constexpr int wavHeaderBytes = 44;

struct HeadlessCase {
    const char* name;
    std::vector<uint8_t> (*song)();
    int presents;
};

void PrintTo(const HeadlessCase& c, std::ostream* os) { *os << c.name; }

class MidasHeadless : public testing::TestWithParam<HeadlessCase> { };

TEST_P(MidasHeadless, TheWavHoldsTheSongAsLibxmpPlaysIt)
{
    const HeadlessCase& c = GetParam();
    const std::vector<uint8_t> song = c.song();
    host::HeadlessHostOptions options;
    options.frameMs = frameMs;
    options.wavPath = std::string(c.name) + ".wav";
    auto headless = host::makeHeadlessHost(options);
    host::install(headless.get());
    soft::clearFaults();
    ASSERT_TRUE(MIDASstartup() && MIDASconfig() && MIDASinit());
    MIDASmodule module = MIDASloadModule(writeTestFile(c.name, song).c_str());
    ASSERT_NE(module, nullptr) << MIDASgetErrorMessage(MIDASgetLastError());
    MIDASmodulePlayHandle handle = MIDASplayModule(module, TRUE);
    ASSERT_NE(handle, 0u);
    MIDASplayStatus status;
    for (int i = 0; i < c.presents; ++i) {
        MIDASpoll();
        MIDASgetPlayStatus(handle, &status);
        headless->present(host::Frame{});
    }
    const int frames = c.presents * int(frameMs) * 441 / 10;
    EXPECT_EQ(headless->audioFramesMixed(), frames);
    EXPECT_TRUE(MIDASstopModule(handle) && MIDASfreeModule(module) && MIDASclose());
    headless->finish();
    host::install(nullptr);

    std::ifstream in(options.wavPath, std::ios::binary);
    in.seekg(wavHeaderBytes);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<int16_t> wav(bytes.size() / 2);
    std::memcpy(wav.data(), bytes.data(), wav.size() * 2);
    ASSERT_EQ(wav.size(), size_t(frames) * 2);
    EXPECT_TRUE(wav == renderWithLibxmp(song, frames, 0));
}

INSTANTIATE_TEST_SUITE_P(
    Songs, MidasHeadless,
    testing::Values(HeadlessCase{"headless.xm", [] { return makeXm({}); }, 150},  // 1.92 s: the 3 s run hears it repeat
                    HeadlessCase{"back.xm", composeBackXm, 500}),                 // the show's own song, ten seconds
    [](const testing::TestParamInfo<HeadlessCase>& info) {
        return std::string(info.param.name).substr(0, std::string(info.param.name).find('.'));
    });

}  // namespace
