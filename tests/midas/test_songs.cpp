#include "test_songs.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

struct Bytes {
    std::vector<uint8_t> data;

    void u8(int v) { data.push_back(uint8_t(v)); }
    void le16(int v) { u8(v & 0xFF); u8(v >> 8 & 0xFF); }
    void le32(uint32_t v) { le16(int(v & 0xFFFF)); le16(int(v >> 16)); }
    void be16(int v) { u8(v >> 8 & 0xFF); u8(v & 0xFF); }
    void text(const char* s, size_t width)
    {
        size_t n = std::strlen(s);
        for (size_t i = 0; i < width; ++i)
            u8(i < n ? s[i] : 0);
    }
    void zeros(size_t n) { data.insert(data.end(), n, 0); }
};

constexpr int waveLength = 64;   // frames of the looped waveform

// A saw with a little square in it: rich enough that every note sounds different.
std::vector<int8_t> waveform()
{
    std::vector<int8_t> wave(waveLength);
    for (int i = 0; i < waveLength; ++i)
        wave[i] = int8_t((i * 4 - 128) / 2 + (i < waveLength / 2 ? 40 : -40));
    return wave;
}

// Which note, if any, a channel strikes on a row: a short arpeggio, channel by channel.
int noteAt(int row, int channel) { return (row + channel) % 4 == 0 ? 49 + (row % 12) + channel * 3 : 0; }

void xmPattern(Bytes& out, const TestSong& song, int channels)
{
    Bytes cells;
    for (int row = 0; row < song.rows; ++row)
        for (int channel = 0; channel < channels; ++channel) {
            int note = noteAt(row, channel);
            cells.u8(note);
            cells.u8(note ? 1 : 0);
            cells.zeros(3);   // volume column, effect, parameter
        }
    out.le32(9);   // pattern header size
    out.u8(0);     // packing type
    out.le16(song.rows);
    out.le16(int(cells.data.size()));
    out.data.insert(out.data.end(), cells.data.begin(), cells.data.end());
}

void xmInstrument(Bytes& out)
{
    constexpr int instrumentHeaderSize = 263;
    constexpr int sampleHeaderSize = 40;
    out.le32(instrumentHeaderSize);
    out.text("wave", 22);
    out.u8(0);    // type
    out.le16(1);  // samples
    out.le32(sampleHeaderSize);
    out.zeros(96);       // every note plays sample 0
    out.zeros(48 + 48);  // volume and panning envelope points
    out.zeros(2 + 3 + 3);
    out.u8(0);  // volume envelope off
    out.u8(0);  // panning envelope off
    out.zeros(4);   // auto-vibrato
    out.le16(0);    // fadeout
    out.zeros(22);  // reserved
    out.le32(waveLength);
    out.le32(0);           // loop start
    out.le32(waveLength);  // loop length
    out.u8(48);            // volume
    out.u8(0);             // finetune
    out.u8(1);             // forward loop, 8-bit
    out.u8(128);           // panning
    out.u8(0);             // relative note
    out.u8(0);
    out.text("wave", 22);
    int8_t previous = 0;
    for (int8_t v : waveform()) {   // stored as differences
        out.u8(uint8_t(v - previous));
        previous = v;
    }
}

} // namespace

std::vector<uint8_t> makeXm(const TestSong& song)
{
    constexpr int channels = 2;
    constexpr int headerSize = 276;   // counted from the header-size field
    Bytes out;
    out.text("Extended Module: ", 17);
    out.text("midas test", 20);
    out.u8(0x1A);
    out.text("mornakle tests", 20);
    out.le16(0x0104);
    out.le32(headerSize);
    out.le16(song.orders);
    out.le16(song.restartPosition);
    out.le16(channels);
    out.le16(1);   // patterns
    out.le16(1);   // instruments
    out.le16(1);   // linear frequency table
    out.le16(song.speed);
    out.le16(song.bpm);
    out.zeros(256);   // every order plays pattern 0
    xmPattern(out, song, channels);
    xmInstrument(out);
    return out.data;
}

std::vector<uint8_t> makeMod(const TestSong& song)
{
    constexpr int channels = 4;
    constexpr int modRows = 64;
    constexpr int samples = 31;
    // Amiga periods of the first octave used, C to B.
    constexpr int periods[12] = {428, 404, 381, 360, 339, 320, 302, 285, 269, 254, 240, 226};
    Bytes out;
    out.text("midas test mod", 20);
    for (int i = 0; i < samples; ++i) {
        out.text(i == 0 ? "wave" : "", 22);
        out.be16(i == 0 ? waveLength / 2 : 0);   // length in words
        out.u8(0);                               // finetune
        out.u8(i == 0 ? 48 : 0);                 // volume
        out.be16(0);                             // loop start
        out.be16(i == 0 ? waveLength / 2 : 1);   // loop length
    }
    out.u8(song.orders);
    out.u8(song.restartPosition);
    out.zeros(128);
    out.text("M.K.", 4);
    for (int row = 0; row < modRows; ++row)
        for (int channel = 0; channel < channels; ++channel) {
            int note = noteAt(row, channel);
            int period = note ? periods[(note - 49) % 12] : 0;
            int speedEffect = row == 0 && channel == 0;   // Fxx on the first row sets the speed
            out.u8(period >> 8);   // sample 1: its high nibble is 0
            out.u8(period & 0xFF);
            out.u8((note ? 1 : 0) << 4 | (speedEffect ? 0xF : 0));
            out.u8(speedEffect ? song.speed : 0);
        }
    for (int8_t v : waveform())
        out.u8(uint8_t(v));
    return out.data;
}

int songFrames(const TestSong& song)
{
    double seconds = song.orders * song.rows * song.speed * 2.5 / song.bpm;
    return int(std::lround(seconds * 44100));
}

std::string writeTestFile(const std::string& name, const std::vector<uint8_t>& bytes)
{
    std::FILE* file = std::fopen(name.c_str(), "wb");
    if (file) {
        if (!bytes.empty())
            std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    return name;
}
