#include "song/xm_writer.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using song::XmCell;
using song::XmModule;
using song::XmPattern;

uint16_t u16At(const std::vector<uint8_t>& b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }
uint32_t u32At(const std::vector<uint8_t>& b, size_t at) { return u16At(b, at) | uint32_t(u16At(b, at + 2)) << 16; }

constexpr size_t kFirstPattern = 60 + 276;  // fixed header, then the 276 bytes from the size field

XmModule twoRowModule()
{
    XmModule module;
    module.name = std::string("t");
    module.tracker = std::string("x");
    module.channels = 2;
    module.restartPosition = 1;
    module.speed = 6;
    module.bpm = 144;
    XmPattern pattern(2, 2);
    pattern.at(0, 0) = XmCell{49, 1, 0x50, 0, 0};
    pattern.at(1, 1) = XmCell{0, 0, 0, 0x0E, 0xD3};
    module.patterns.push_back(pattern);
    module.orders = {0, 0, 0};
    return module;
}

TEST(XmWriter, HeaderCarriesSignatureVersionAndPlaybackSettings)
{
    const std::vector<uint8_t> bytes = song::writeXm(twoRowModule());
    ASSERT_GT(bytes.size(), kFirstPattern);
    EXPECT_EQ(0, std::memcmp(bytes.data(), "Extended Module: t", 18));
    EXPECT_EQ(' ', bytes[18]);  // the name is padded with spaces
    EXPECT_EQ(0x1A, bytes[37]);
    EXPECT_EQ(0x0104, u16At(bytes, 58));
    EXPECT_EQ(276u, u32At(bytes, 60));
    EXPECT_EQ(3, u16At(bytes, 64));    // song length
    EXPECT_EQ(1, u16At(bytes, 66));    // restart position
    EXPECT_EQ(2, u16At(bytes, 68));    // channels
    EXPECT_EQ(1, u16At(bytes, 70));    // patterns
    EXPECT_EQ(0, u16At(bytes, 72));    // instruments
    EXPECT_EQ(1, u16At(bytes, 74));    // linear frequency table
    EXPECT_EQ(6, u16At(bytes, 76));
    EXPECT_EQ(144, u16At(bytes, 78));
}

TEST(XmWriter, PacksEachCellAsMaskThenPresentFields)
{
    const std::vector<uint8_t> bytes = song::writeXm(twoRowModule());
    const size_t at = kFirstPattern;
    EXPECT_EQ(9u, u32At(bytes, at));
    EXPECT_EQ(2, u16At(bytes, at + 5));  // rows
    const std::vector<uint8_t> expected = {0x87, 49, 1, 0x50, 0x80, 0x80, 0x98, 0x0E, 0xD3};
    ASSERT_EQ(expected.size(), u16At(bytes, at + 7));
    EXPECT_EQ(expected, std::vector<uint8_t>(bytes.begin() + at + 9, bytes.begin() + at + 9 + expected.size()));
}

TEST(XmWriter, InstrumentHeaderSamplesAndDeltaEncoding)
{
    XmModule module = twoRowModule();
    song::XmInstrument instrument;
    instrument.name = "lead";
    song::XmSample sample;
    sample.frames = {100, 300, -200, 32767, -32768};
    sample.loop = song::XmLoop::forward;
    sample.loopStart = 1;
    sample.loopLength = 3;
    sample.relativeNote = -5;
    sample.finetune = -10;
    instrument.samples.push_back(sample);
    instrument.volumeEnvelope.points = {{0, 64}, {10, 32}};
    instrument.volumeEnvelope.sustainPoint = 1;
    instrument.fadeout = 0x200;
    module.instruments.push_back(instrument);
    const std::vector<uint8_t> bytes = song::writeXm(module);

    const size_t instrumentAt = kFirstPattern + 9 + 9;
    EXPECT_EQ(263u, u32At(bytes, instrumentAt));
    EXPECT_EQ(1, u16At(bytes, instrumentAt + 27));
    EXPECT_EQ(40u, u32At(bytes, instrumentAt + 29));
    EXPECT_EQ(10, u16At(bytes, instrumentAt + 129 + 4));  // second volume point's tick
    EXPECT_EQ(2, bytes[instrumentAt + 225]);               // volume points
    EXPECT_EQ(1, bytes[instrumentAt + 227]);               // sustain point
    EXPECT_EQ(3, bytes[instrumentAt + 233]);               // on | sustain
    EXPECT_EQ(0x200, u16At(bytes, instrumentAt + 239));

    const size_t sampleAt = instrumentAt + 263;
    EXPECT_EQ(10u, u32At(bytes, sampleAt));     // length in bytes
    EXPECT_EQ(2u, u32At(bytes, sampleAt + 4));  // loop start in bytes
    EXPECT_EQ(6u, u32At(bytes, sampleAt + 8));
    EXPECT_EQ(uint8_t(-10), bytes[sampleAt + 13]);
    EXPECT_EQ(0x11, bytes[sampleAt + 14]);      // forward loop, 16-bit
    EXPECT_EQ(uint8_t(-5), bytes[sampleAt + 16]);

    const size_t dataAt = sampleAt + 40;
    ASSERT_EQ(bytes.size(), dataAt + 10);
    int16_t value = 0;
    std::vector<int16_t> decoded;
    for (size_t i = 0; i < 5; ++i) {
        value = int16_t(value + int16_t(u16At(bytes, dataAt + 2 * i)));
        decoded.push_back(value);
    }
    EXPECT_EQ(sample.frames, decoded);
}

}  // namespace
