// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#pragma once
// The soundtrack's musical material: note names, chords, the chord progressions and the two lead
// themes, written the way a tracker musician would type them.

#include <array>
#include <cstdint>
#include <string_view>

namespace song {

// "C-4", "C#4", "A-3", "Bb2"... to the format's note number (C-0 = 1, C-4 = 49); "^^" key off; ".." none.
uint8_t noteNumber(std::string_view name);

struct Chord {
    uint8_t root;  // the pad's root note, octave 3 or 4
    bool minor;
};

using Progression = std::array<Chord, 4>;  // one chord a bar

// A minor: i VI III VII, the home loop.
extern const Progression homeProgression;
// VI VII v i, the lifted loop of the middle sections.
extern const Progression liftProgression;
// The last two bars rest on the tonic.
extern const Progression tonicProgression;

// A lead theme: eight bars of sixteen rows, one token a row.
using Theme = std::array<std::string_view, 8>;
extern const Theme themeA;  // over the home loop
extern const Theme themeB;  // over the lifted loop

// The note a third below in A minor, for a second voice under the lead (chromatic notes: a minor third).
uint8_t thirdBelowInKey(uint8_t note);

// The chord tones above the root, in semitones.
std::array<int, 3> chordTones(const Chord& chord);

}  // namespace song
