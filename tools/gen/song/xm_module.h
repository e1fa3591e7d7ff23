// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#pragma once
// The records of an Extended Module song as the writer lays them out: patterns of cells,
// instruments with envelopes and 16-bit samples, and the order list that strings them together.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace song {

// Note numbers of the format: 1 is C-0, 49 is C-4, 96 is B-7; 97 releases the note.
inline constexpr uint8_t noNote = 0;
inline constexpr uint8_t keyOff = 97;

// One channel's entry in one row. Zero in a field means "nothing there"; volume is the
// volume-column byte (0x10 + level sets the level 0..64), effect/param the effect column.
struct XmCell {
    uint8_t note = noNote;
    uint8_t instrument = 0;  // 1-based, 0 = keep the channel's instrument
    uint8_t volume = 0;
    uint8_t effect = 0;
    uint8_t param = 0;

    bool operator==(const XmCell&) const = default;
};

struct XmPattern {
    int rows = 0;
    int channels = 0;
    std::vector<XmCell> cells;  // rows * channels, row by row

    XmPattern(int rowCount, int channelCount)
        : rows(rowCount), channels(channelCount), cells(size_t(rowCount) * channelCount)
    { }
    XmCell& at(int row, int channel) { return cells[size_t(row) * channels + channel]; }
    const XmCell& at(int row, int channel) const { return cells[size_t(row) * channels + channel]; }
    bool operator==(const XmPattern&) const = default;
};

// An envelope of up to 12 points, x in ticks, y 0..64.
struct XmEnvelope {
    struct Point {
        uint16_t tick;
        uint16_t value;
    };
    std::vector<Point> points;  // empty = envelope off
    int sustainPoint = -1;      // -1 = no sustain
};

enum class XmLoop : uint8_t { none = 0, forward = 1, pingPong = 2 };

struct XmSample {
    std::string name;
    std::vector<int16_t> frames;  // mono 16-bit
    uint32_t loopStart = 0;       // in frames
    uint32_t loopLength = 0;      // in frames
    XmLoop loop = XmLoop::none;
    uint8_t volume = 64;
    int8_t finetune = 0;      // 1/128 semitone
    uint8_t panning = 128;    // 0 left .. 255 right
    int8_t relativeNote = 0;  // semitones added to every played note
};

struct XmAutoVibrato {
    uint8_t type = 0;   // 0 sine
    uint8_t sweep = 0;  // ticks until full depth
    uint8_t depth = 0;
    uint8_t rate = 0;
};

struct XmInstrument {
    std::string name;
    std::vector<XmSample> samples;  // the writer maps every note to sample 0 unless noteToSample says otherwise
    std::array<uint8_t, 96> noteToSample{};
    XmEnvelope volumeEnvelope;
    XmEnvelope panningEnvelope;
    XmAutoVibrato vibrato;
    uint16_t fadeout = 0;  // subtracted from the note's 0x8000 volume every tick after release
};

struct XmModule {
    std::string name;
    std::string tracker;
    int channels = 0;
    int restartPosition = 0;
    int speed = 6;  // ticks per row
    int bpm = 125;  // ticks run at bpm * 2 / 5 a second
    std::vector<uint8_t> orders;
    std::vector<XmPattern> patterns;
    std::vector<XmInstrument> instruments;
};

}  // namespace song
