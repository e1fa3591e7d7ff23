#include "test_songs.h"

#include "song/xm_writer.h"

#include <cmath>
#include <cstring>
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

std::vector<uint8_t> makeMod(const TestSong& song)
{
    constexpr int channels = 4, rows = 64, samples = 31;
    // Amiga periods of the octave the arpeggio plays, C to B.
    constexpr int periods[12] = {428, 404, 381, 360, 339, 320, 302, 285, 269, 254, 240, 226};
    std::vector<uint8_t> out;
    auto u8 = [&](int v) { out.push_back(uint8_t(v)); };
    auto be16 = [&](int v) {
        u8(v >> 8);
        u8(v);
    };
    auto text = [&](const char* s, size_t width) {
        for (size_t i = 0; i < width; ++i)
            u8(i < std::strlen(s) ? s[i] : 0);
    };
    text("midas test mod", 20);
    for (int i = 0; i < samples; ++i) {  // sample 1 is the wave, the others empty
        text(i == 0 ? "wave" : "", 22);
        be16(i == 0 ? waveLength / 2 : 0);  // length in words
        u8(0);                              // finetune
        u8(i == 0 ? 48 : 0);                // volume
        be16(0);                            // loop start
        be16(i == 0 ? waveLength / 2 : 1);  // loop length
    }
    u8(song.orders);
    u8(song.restartPosition);
    out.resize(out.size() + 128);  // every order plays pattern 0
    text("M.K.", 4);
    for (int row = 0; row < rows; ++row)
        for (int channel = 0; channel < channels; ++channel) {
            const int note = noteAt(row, channel);
            const int period = note ? periods[(note - 49) % 12] : 0;
            const bool setSpeed = row == 0 && channel == 0;  // Fxx on the first row
            be16(period);
            u8((note ? 0x10 : 0) | (setSpeed ? 0xF : 0));
            u8(setSpeed ? song.speed : 0);
        }
    for (int i = 0; i < waveLength; ++i)
        u8(waveAt(i));
    return out;
}

int songFrames(const TestSong& song)
{
    return int(std::lround(song.orders * song.rows * song.speed * 2.5 / song.bpm * 44100));
}

std::string writeTestFile(const std::string& name, const std::vector<uint8_t>& bytes)
{
    std::ofstream(name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return name;
}
