// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "song/arrangement.h"

#include "song/harmony.h"
#include "song/instruments.h"
#include "song/sections.h"
#include "song/synth.h"

#include <array>
#include <numeric>
#include <string_view>

namespace song {
namespace {

// Volume levels 0..64 of each part, balanced against the kick by their measured loudness.
namespace level {
constexpr int kick = 60, softKick = 44, snare = 58, ghostSnare = 24, clap = 60;
constexpr int hat = 30, softHat = 20, openHat = 34, crash = 44;
constexpr int bass = 48, lead = 48, echo = 20, harmony = 34, arp = 24, pad = 40, stab = 44, riser = 48, tom = 50;
}  // namespace level

// The lead's echo: a dotted eighth later, quieter, on the other side.
constexpr int echoDelayRows = 3;
constexpr uint8_t setPanning = 0x08, extended = 0x0E, noteDelay = 0xD0;
constexpr uint8_t leadPan = 0x68, echoPan = 0xB0, arpPanLeft = 0x48, arpPanRight = 0xB8;
constexpr uint8_t halfRowDelay = 3;  // ticks, of six a row
// Pads duck under every kick, rising again across the beat.
constexpr std::array<int, 4> pumpShape = {26, 48, 58, 64};
constexpr uint32_t arpSeed = 0x42696E21;                       // "Bin!"
constexpr uint8_t drumNote = 49;                               // C-4: drums sound at their own rate
constexpr std::array<uint8_t, 4> tomNotes = {56, 53, 49, 46};  // G-4 E-4 C-4 A-3

uint8_t volumeByte(int level) { return uint8_t(0x10 + level); }

// A drum pattern is a lane of 16 characters for each drum channel; each character names a hit.
// Every fourth bar the snare lane turns around with a couple of ghost notes.
struct DrumLanes {
    std::string_view kick, snare, turnaround, hats;
};
DrumLanes lanesOf(Drums drums)
{
    switch (drums) {
    case Drums::hats:
        return {"................", "................", "................", "HhhhHhhhHhhhHhoh"};
    case Drums::fourFloor:
        return {"K...K...K...K...", "....C.......C...", "....C.......C.ss", "hho.Hho.hho.Hhoh"};
    case Drums::breakbeat:
        return {"K.....K...K.....", "....S....s..S..s", "....S....s..S.ss", "H.h.H.h.H.h.H.o."};
    case Drums::pulse:
        return {"k.......k.......", "................", "................", "..h...h...h...h."};
    case Drums::none:
        break;
    }
    return {"................", "................", "................", "................"};
}

struct Hit {
    uint8_t instrument;
    int level;
};
Hit hitOf(char symbol)
{
    switch (symbol) {
    case 'K':
        return {kick, level::kick};
    case 'k':
        return {kick, level::softKick};
    case 'S':
        return {snare, level::snare};
    case 's':
        return {snare, level::ghostSnare};
    case 'C':
        return {clap, level::clap};
    case 'H':
        return {closedHat, level::hat};
    case 'h':
        return {closedHat, level::softHat};
    case 'o':
        return {openHat, level::openHat};
    default:
        return {0, 0};
    }
}

class Composer {
public:
    Arrangement compose()
    {
        arrangement.rows = showBars * rowsPerBar;
        arrangement.cells.assign(size_t(arrangement.rows) * channelCount, XmCell{});
        int bar = 0;
        for (const Section& section : sections)
            for (int i = 0; i < section.bars; ++i, ++bar)
                composeBar(section, i, bar);
        return arrangement;
    }

private:
    struct BarContext {
        const Section& section;
        int index;  // bar within the section
        int first;  // first row of the bar in the song
        Chord chord;
        bool last;
    };

    void put(int row, int channel, XmCell cell)
    {
        if (row < arrangement.rows)
            arrangement.at(row, channel) = cell;
    }

    void composeBar(const Section& section, int index, int bar)
    {
        const BarContext at{section, index, bar * rowsPerBar, (*section.chords)[size_t(index % 4)],
                            index == section.bars - 1};
        if (section.ending == Ending::silence && at.last) {
            silence(at);
            return;
        }
        drums(at);
        bassLine(at);
        leadLine(at);
        arpeggio(at, bar);
        pads(at);
        accents(at);
        if (section.crashOnEntry && index == 0)
            put(at.first, crashChannel(section), XmCell{drumNote, crash, volumeByte(level::crash), 0, 0});
        if (at.last)
            ending(at);
    }

    // The crash rings out on the stab channel, unless stabs are playing: then it takes the snare's
    // channel until the first backbeat.
    static int crashChannel(const Section& section)
    {
        return section.accents == Accents::none ? stabChannel : snareChannel;
    }

    // Rows from which a stopping bar has fallen silent.
    static bool stopped(const BarContext& at, int row)
    {
        return at.last && at.section.ending == Ending::stop && row >= 8;
    }

    void drums(const BarContext& at)
    {
        const DrumLanes lanes = lanesOf(at.section.drums);
        const std::string_view lane[] = {lanes.kick, at.index % 4 == 3 ? lanes.turnaround : lanes.snare, lanes.hats};
        const int channel[] = {kickChannel, snareChannel, hatChannel};
        for (int l = 0; l < 3; ++l)
            for (int row = 0; row < rowsPerBar; ++row) {
                const Hit hit = hitOf(lane[l][size_t(row)]);
                if (hit.instrument && !stopped(at, row))
                    put(at.first + row, channel[l], XmCell{drumNote, hit.instrument, volumeByte(hit.level), 0, 0});
            }
    }

    void bassNote(int row, uint8_t note, int level)
    {
        put(row, bassChannel, XmCell{note, bass, volumeByte(level), 0, 0});
    }
    void bassOff(int row) { put(row, bassChannel, XmCell{keyOff, 0, 0, 0, 0}); }

    void bassLine(const BarContext& at)
    {
        const uint8_t root = uint8_t(at.chord.root - 12);
        for (int row = 0; row < rowsPerBar; ++row) {
            const int r = at.first + row;
            if (stopped(at, row)) {
                if (row == 8)
                    bassOff(r);
                continue;
            }
            switch (at.section.bass) {
            case Bass::held:
                if (row == 0)
                    bassNote(r, root, level::bass);
                else if (row == 14)
                    bassOff(r);
                break;
            case Bass::offbeat:
                if (row % 4 == 2) {
                    bassNote(r, root, level::bass);
                    bassOff(r + 1);
                }
                break;
            case Bass::rolling:
                if (row % 4 == 0)
                    bassOff(r);
                else
                    bassNote(r, uint8_t(root + (row % 4 == 2 ? 12 : 0)), row % 4 == 2 ? level::bass : level::bass - 8);
                break;
            case Bass::none:
                break;
            }
        }
    }

    void leadLine(const BarContext& at)
    {
        if (!at.section.lead) {
            if (at.index == 0) {  // the previous section's last note may still hold
                put(at.first, leadChannel, XmCell{keyOff, 0, 0, 0, 0});
                put(at.first + echoDelayRows, echoChannel, XmCell{keyOff, 0, 0, 0, 0});
            }
            return;
        }
        const std::string_view bar = (*at.section.lead)[size_t((at.section.leadBar + at.index) % 8)];
        for (int row = 0; row < rowsPerBar && size_t(row) * 3 < bar.size(); ++row) {
            const uint8_t note = noteNumber(bar.substr(size_t(row) * 3, 2));
            if (note == noNote)
                continue;
            const bool off = note == keyOff;
            const uint8_t pitch = off ? note : uint8_t(note + at.section.leadTranspose);
            const int r = at.first + row;
            put(r, leadChannel,
                off ? XmCell{keyOff, 0, 0, 0, 0} : XmCell{pitch, lead, volumeByte(level::lead), setPanning, leadPan});
            if (at.section.echo == Echo::harmony)
                put(r, echoChannel,
                    off ? XmCell{keyOff, 0, 0, 0, 0}
                        : XmCell{thirdBelowInKey(pitch), lead, volumeByte(level::harmony), setPanning, echoPan});
            else
                put(r + echoDelayRows, echoChannel,
                    off ? XmCell{keyOff, 0, 0, 0, 0}
                        : XmCell{pitch, lead, volumeByte(level::echo), setPanning, echoPan});
        }
    }

    void arpeggio(const BarContext& at, int bar)
    {
        const std::array<int, 3> tones = chordTones(at.chord);
        const int base = at.chord.root + 12;
        if (at.section.arp == Arp::binary) {
            // Ones and zeros falling: scattered bleeps on two notes, the chord's fifth for a zero and
            // its root an octave above for a one, a fresh but fixed scatter every bar.
            Prng bits(arpSeed + uint32_t(bar));
            for (int row = 0; row < rowsPerBar; ++row) {
                if (bits.next() % 100 >= 55)
                    continue;
                const int tone = bits.next() % 2 ? 12 : tones[2];
                const int level = level::arp - 10 + int(bits.next() % 12);
                put(at.first + row, arpChannel,
                    XmCell{uint8_t(base + tone), pluck, volumeByte(level), setPanning,
                           row % 2 ? arpPanRight : arpPanLeft});
            }
        } else if (at.section.arp == Arp::running) {
            // Up and over two octaves of the chord, a sixteenth at a time.
            const std::array<int, 8> steps = {0, 1, 2, 3, 4, 2, 3, 1};
            for (int row = 0; row < rowsPerBar; ++row) {
                const int step = steps[size_t(row % 8)];
                const int tone = tones[size_t(step % 3)] + 12 * (step / 3);
                const int level = row % 4 == 0 ? level::arp + 6 : level::arp;
                put(at.first + row, arpChannel,
                    XmCell{uint8_t(base + tone), pluck, volumeByte(level), setPanning,
                           row % 2 ? arpPanRight : arpPanLeft});
            }
        }
    }

    // The pad alternates between two channels so that one chord's release overlaps the next's rise.
    void pads(const BarContext& at)
    {
        const bool wanted = at.section.pad != Pad::none;
        const bool sameChord =
            padSounding && wanted && at.chord.root == padChord.root && at.chord.minor == padChord.minor;
        if (!sameChord && padSounding) {
            put(at.first, padChannel, XmCell{keyOff, 0, 0, 0, 0});
            padChannel = padChannel == padChannelA ? padChannelB : padChannelA;
            padSounding = false;
        }
        if (!wanted)
            return;
        if (!padSounding) {
            const uint8_t instrument = at.chord.minor ? padMinor : padMajor;
            put(at.first, padChannel, XmCell{at.chord.root, instrument, volumeByte(level::pad), 0, 0});
            padSounding = true;
            padChord = at.chord;
        }
        if (at.section.pad == Pad::pumping)
            for (int row = 0; row < rowsPerBar; ++row) {
                XmCell& cell = arrangement.at(at.first + row, padChannel);
                cell.volume = volumeByte(level::pad * pumpShape[size_t(row % 4)] / 64);
            }
        else if (!sameChord)
            arrangement.at(at.first, padChannel).volume = volumeByte(level::pad);
    }

    void stab(int row, const Chord& chord, uint8_t effect = 0, uint8_t param = 0)
    {
        put(row, stabChannel,
            XmCell{chord.root, chord.minor ? stabMinor : stabMajor, volumeByte(level::stab), effect, param});
    }

    void accents(const BarContext& at)
    {
        switch (at.section.accents) {
        case Accents::house:
            stab(at.first, at.chord);
            stab(at.first + 6, at.chord);
            break;
        case Accents::box:
            stab(at.first + 4, at.chord);
            stab(at.first + 11, at.chord, extended, uint8_t(noteDelay | halfRowDelay));
            break;
        case Accents::finale:
            stab(at.first, at.chord);
            put(at.first, kickChannel, XmCell{drumNote, kick, volumeByte(level::kick), 0, 0});
            break;
        case Accents::none:
            break;
        }
    }

    void ending(const BarContext& at)
    {
        const int crescendoFrom = 16;
        switch (at.section.ending) {
        case Ending::toms:
            // Toms tumbling down over the last beat, with the snare roll.
            for (int row : {12, 13, 14, 15})
                put(at.first + row, kickChannel, XmCell{tomNotes[size_t(row - 12)], tom, volumeByte(level::tom), 0, 0});
            [[fallthrough]];
        case Ending::fill:
            // Snare rolls into the next section, growing louder.
            for (int row : {8, 10, 12, 13, 14, 15})
                put(at.first + row, snareChannel,
                    XmCell{drumNote, snare, volumeByte(crescendoFrom + (row - 8) * 4), 0, 0});
            break;
        case Ending::riser:
            put(at.first, stabChannel, XmCell{drumNote, riser, volumeByte(level::riser), 0, 0});
            for (int row = 0; row < rowsPerBar; ++row)
                if (row >= 8 || row % 4 == 0)
                    put(at.first + row, snareChannel, XmCell{drumNote, snare, volumeByte(8 + row * 2), 0, 0});
            break;
        case Ending::none:
        case Ending::stop:
        case Ending::silence:
            break;
        }
    }

    // Let whatever still rings fade out, so the song loops back to its quiet start.
    void silence(const BarContext& at)
    {
        for (int channel = 0; channel < channelCount; ++channel)
            if (channel != kickChannel && channel != snareChannel && channel != hatChannel && channel != stabChannel)
                put(at.first, channel, XmCell{keyOff, 0, 0, 0, 0});
        padSounding = false;
    }

    Arrangement arrangement;
    int padChannel = padChannelA;
    bool padSounding = false;
    Chord padChord{};
};

}  // namespace

Arrangement arrangeSong()
{
    const int bars =
        std::accumulate(sections.begin(), sections.end(), 0, [](int sum, const Section& s) { return sum + s.bars; });
    Arrangement empty;
    if (bars != showBars)
        return empty;  // the section table must fill the show exactly; the tests catch it
    return Composer().compose();
}

}  // namespace song
