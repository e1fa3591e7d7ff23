// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#pragma once
// The soundtrack's form: which parts play, and how, in each section of the show. The sections
// follow the scenes, one sixteen-row bar for each beat.

#include "song/harmony.h"

#include <array>

namespace song {

// hats: sixteenths alone; fourFloor: kick on every beat, clap on 2 and 4, open hats between;
// breakbeat: syncopated kick and snare; pulse: a soft kick twice a bar.
enum class Drums { none, hats, fourFloor, breakbeat, pulse };
// held: the root for the bar; offbeat: between the kicks; rolling: every sixteenth but the kicks.
enum class Bass { none, held, offbeat, rolling };
// binary: scattered bleeps of chord tones; running: up and over two octaves of the chord.
enum class Arp { none, binary, running };
// pumping: the pad ducks under every kick.
enum class Pad { none, held, pumping };
// Stabs on the flashes of the scenes: the house scene flashes on the bar and 6 rows later
// (12.5 ticks), the box scene 4 rows after the bar and again 11.5 rows after it (24 ticks);
// the finale hits once on its first row.
enum class Accents { none, house, box, finale };
// What the last bar does: a snare fill, toms and snare, a noise riser and snare roll, a stop at
// half bar, or silence for the loop back to the start.
enum class Ending { none, fill, toms, riser, stop, silence };
// The lead's second voice: an echo a dotted eighth later, or a third below in time.
enum class Echo { delay, harmony };

inline constexpr size_t sectionCount = 13;

struct Section {
    const char* scene;
    int bars;
    const Progression* chords;
    Drums drums = Drums::none;
    Bass bass = Bass::none;
    const Theme* lead = nullptr;
    int leadBar = 0;        // which bar of the theme the section starts on
    int leadTranspose = 0;  // semitones
    Echo echo = Echo::delay;
    Arp arp = Arp::none;
    Pad pad = Pad::held;
    Accents accents = Accents::none;
    bool crashOnEntry = true;
    Ending ending = Ending::none;
};

extern const std::array<Section, sectionCount> sections;

}  // namespace song
