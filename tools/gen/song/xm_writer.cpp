// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "song/xm_writer.h"

#include <algorithm>
#include <string_view>

namespace song {
namespace {

constexpr std::string_view signature = "Extended Module: ";
constexpr uint16_t formatVersion = 0x0104;
constexpr uint32_t headerSize = 276;       // from the size field to the end of the order table
constexpr uint16_t linearFrequencies = 1;  // flags bit 0
constexpr uint32_t patternHeaderSize = 9;
constexpr uint32_t instrumentHeaderSize = 263;  // the size FastTracker 2 writes for an instrument with samples
constexpr uint32_t emptyInstrumentHeaderSize = 29;
constexpr uint32_t sampleHeaderSize = 40;
constexpr size_t envelopePoints = 12;
constexpr uint8_t sixteenBit = 0x10;  // sample type bit 4

class ByteWriter {
public:
    void u8(uint8_t v) { bytes.push_back(v); }
    void u16(uint16_t v)
    {
        u8(uint8_t(v));
        u8(uint8_t(v >> 8));
    }
    void u32(uint32_t v)
    {
        u16(uint16_t(v));
        u16(uint16_t(v >> 16));
    }
    void text(std::string_view s, size_t width, char pad = '\0')
    {
        for (size_t i = 0; i < width; ++i)
            u8(uint8_t(i < s.size() ? s[i] : pad));
    }
    void zeros(size_t count) { bytes.insert(bytes.end(), count, 0); }
    void append(const std::vector<uint8_t>& more) { bytes.insert(bytes.end(), more.begin(), more.end()); }

    std::vector<uint8_t> bytes;
};

void writeHeader(ByteWriter& out, const XmModule& module)
{
    out.text(signature, signature.size());
    out.text(module.name, 20, ' ');
    out.u8(0x1A);
    out.text(module.tracker, 20, ' ');
    out.u16(formatVersion);
    out.u32(headerSize);
    out.u16(uint16_t(module.orders.size()));
    out.u16(uint16_t(module.restartPosition));
    out.u16(uint16_t(module.channels));
    out.u16(uint16_t(module.patterns.size()));
    out.u16(uint16_t(module.instruments.size()));
    out.u16(linearFrequencies);
    out.u16(uint16_t(module.speed));
    out.u16(uint16_t(module.bpm));
    for (size_t i = 0; i < 256; ++i)
        out.u8(i < module.orders.size() ? module.orders[i] : 0);
}

// Every cell is written in packed form: a byte 0x80 | (which fields follow), then those fields.
std::vector<uint8_t> packPattern(const XmPattern& pattern)
{
    ByteWriter out;
    for (const XmCell& cell : pattern.cells) {
        const uint8_t fields[5] = {cell.note, cell.instrument, cell.volume, cell.effect, cell.param};
        uint8_t mask = 0x80;
        for (int f = 0; f < 5; ++f)
            if (fields[f] != 0)
                mask |= uint8_t(1 << f);
        out.u8(mask);
        for (int f = 0; f < 5; ++f)
            if (fields[f] != 0)
                out.u8(fields[f]);
    }
    return out.bytes;
}

void writePattern(ByteWriter& out, const XmPattern& pattern)
{
    const std::vector<uint8_t> packed = packPattern(pattern);
    out.u32(patternHeaderSize);
    out.u8(0);  // packing type
    out.u16(uint16_t(pattern.rows));
    out.u16(uint16_t(packed.size()));
    out.append(packed);
}

void writeEnvelopePoints(ByteWriter& out, const XmEnvelope& envelope)
{
    for (size_t i = 0; i < envelopePoints; ++i) {
        const bool present = i < envelope.points.size();
        out.u16(present ? envelope.points[i].tick : 0);
        out.u16(present ? envelope.points[i].value : 0);
    }
}

uint8_t envelopeType(const XmEnvelope& envelope)
{
    if (envelope.points.empty())
        return 0;
    return uint8_t(1 | (envelope.sustainPoint >= 0 ? 2 : 0));
}

void writeSampleHeader(ByteWriter& out, const XmSample& sample)
{
    const uint32_t bytesPerFrame = 2;
    out.u32(uint32_t(sample.frames.size()) * bytesPerFrame);
    out.u32(sample.loopStart * bytesPerFrame);
    out.u32(sample.loopLength * bytesPerFrame);
    out.u8(sample.volume);
    out.u8(uint8_t(sample.finetune));
    out.u8(uint8_t(uint8_t(sample.loop) | sixteenBit));
    out.u8(sample.panning);
    out.u8(uint8_t(sample.relativeNote));
    out.u8(0);
    out.text(sample.name, 22);
}

void writeSampleData(ByteWriter& out, const XmSample& sample)
{
    int16_t previous = 0;
    for (int16_t frame : sample.frames) {
        out.u16(uint16_t(int16_t(frame - previous)));
        previous = frame;
    }
}

void writeInstrument(ByteWriter& out, const XmInstrument& instrument)
{
    const bool hasSamples = !instrument.samples.empty();
    out.u32(hasSamples ? instrumentHeaderSize : emptyInstrumentHeaderSize);
    out.text(instrument.name, 22);
    out.u8(0);  // instrument type
    out.u16(uint16_t(instrument.samples.size()));
    if (!hasSamples)
        return;

    out.u32(sampleHeaderSize);
    for (uint8_t s : instrument.noteToSample)
        out.u8(s);
    writeEnvelopePoints(out, instrument.volumeEnvelope);
    writeEnvelopePoints(out, instrument.panningEnvelope);
    out.u8(uint8_t(std::min(instrument.volumeEnvelope.points.size(), envelopePoints)));
    out.u8(uint8_t(std::min(instrument.panningEnvelope.points.size(), envelopePoints)));
    for (const XmEnvelope* envelope : {&instrument.volumeEnvelope, &instrument.panningEnvelope}) {
        out.u8(uint8_t(std::max(envelope->sustainPoint, 0)));
        out.u8(0);  // loop start point
        out.u8(0);  // loop end point
    }
    out.u8(envelopeType(instrument.volumeEnvelope));
    out.u8(envelopeType(instrument.panningEnvelope));
    out.u8(instrument.vibrato.type);
    out.u8(instrument.vibrato.sweep);
    out.u8(instrument.vibrato.depth);
    out.u8(instrument.vibrato.rate);
    out.u16(instrument.fadeout);
    out.zeros(instrumentHeaderSize - 241);  // reserved, up to the declared header size

    for (const XmSample& sample : instrument.samples)
        writeSampleHeader(out, sample);
    for (const XmSample& sample : instrument.samples)
        writeSampleData(out, sample);
}

}  // namespace

std::vector<uint8_t> writeXm(const XmModule& module)
{
    ByteWriter out;
    writeHeader(out, module);
    for (const XmPattern& pattern : module.patterns)
        writePattern(out, pattern);
    for (const XmInstrument& instrument : module.instruments)
        writeInstrument(out, instrument);
    return out.bytes;
}

}  // namespace song
