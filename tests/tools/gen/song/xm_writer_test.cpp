// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// What playing the song through libxmp cannot show of an instrument: where the sample's loop
// lies in bytes, the envelope's points, sustain and flags, the fadeout, and 16-bit delta coding.
#include "song/xm_writer.h"

#include <gtest/gtest.h>

namespace {

uint16_t u16At(const std::vector<uint8_t>& b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }
uint32_t u32At(const std::vector<uint8_t>& b, size_t at) { return u16At(b, at) | uint32_t(u16At(b, at + 2)) << 16; }

TEST(XmWriter, InstrumentHeaderSamplesAndDeltaEncoding)
{
    song::XmModule module;
    module.channels = 1;
    song::XmInstrument instrument;
    song::XmSample sample;
    sample.frames = {100, 300, -200, 32767, -32768};
    sample.loop = song::XmLoop::forward;
    sample.loopStart = 1, sample.loopLength = 3, sample.relativeNote = -5, sample.finetune = -10;
    instrument.samples.push_back(sample);
    instrument.volumeEnvelope.points = {{0, 64}, {10, 32}};
    instrument.volumeEnvelope.sustainPoint = 1;
    instrument.fadeout = 0x200;
    module.instruments.push_back(instrument);
    const std::vector<uint8_t> bytes = song::writeXm(module);

    const size_t instrumentAt = 60 + 276;  // the fixed header, then 276 bytes from its size field; no pattern
    ASSERT_GT(bytes.size(), instrumentAt + 263 + 40);
    EXPECT_EQ(263u, u32At(bytes, instrumentAt));
    EXPECT_EQ(1, u16At(bytes, instrumentAt + 27));        // samples
    EXPECT_EQ(40u, u32At(bytes, instrumentAt + 29));      // sample header size
    EXPECT_EQ(10, u16At(bytes, instrumentAt + 129 + 4));  // second volume point's tick
    EXPECT_EQ(2, bytes[instrumentAt + 225]);              // volume points
    EXPECT_EQ(1, bytes[instrumentAt + 227]);              // sustain point
    EXPECT_EQ(3, bytes[instrumentAt + 233]);              // on | sustain
    EXPECT_EQ(0x200, u16At(bytes, instrumentAt + 239));

    const size_t sampleAt = instrumentAt + 263;
    EXPECT_EQ(10u, u32At(bytes, sampleAt));     // length in bytes
    EXPECT_EQ(2u, u32At(bytes, sampleAt + 4));  // loop start in bytes
    EXPECT_EQ(6u, u32At(bytes, sampleAt + 8));
    EXPECT_EQ(uint8_t(-10), bytes[sampleAt + 13]);
    EXPECT_EQ(0x11, bytes[sampleAt + 14]);  // forward loop, 16-bit
    EXPECT_EQ(uint8_t(-5), bytes[sampleAt + 16]);

    const size_t dataAt = sampleAt + 40;
    ASSERT_EQ(bytes.size(), dataAt + 10);
    std::vector<int16_t> decoded;
    for (int16_t i = 0, value = 0; i < 5; ++i)
        decoded.push_back(value = int16_t(value + int16_t(u16At(bytes, dataAt + 2 * i))));
    EXPECT_EQ(sample.frames, decoded);
}

}  // namespace
