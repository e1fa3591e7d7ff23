// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "song/harmony.h"

#include "song/xm_module.h"

namespace song {

uint8_t noteNumber(std::string_view name)
{
    if (name == "^^")
        return keyOff;
    if (name.size() < 2 || name == "..")
        return noNote;
    static constexpr int semitoneOfLetter[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    int semitone = semitoneOfLetter[name[0] - 'A'];
    size_t at = 1;
    if (name[at] == '#')
        ++semitone, ++at;
    else if (name[at] == 'b')
        --semitone, ++at;
    else if (name[at] == '-')
        ++at;
    const int octave = name[at] - '0';
    return uint8_t(12 * octave + semitone + 1);
}

namespace {
Chord chord(std::string_view root, bool minor) { return Chord{noteNumber(root), minor}; }
}  // namespace

const Progression homeProgression = {chord("A-3", true), chord("F-3", false), chord("C-4", false), chord("G-3", false)};
const Progression liftProgression = {chord("F-3", false), chord("G-3", false), chord("E-3", true), chord("A-3", true)};
const Progression tonicProgression = {chord("A-3", true), chord("A-3", true), chord("A-3", true), chord("A-3", true)};

// Rows:        0  1  2  3  4  5  6  7  8  9  10 11 12 13 14 15
const Theme themeA = {
    "E5 .. .. E5 .. .. D5 .. C5 .. D5 .. E5 .. .. ^^",  // Am
    "F5 .. .. E5 .. .. C5 .. A4 .. .. .. C5 .. D5 ..",  // F
    "E5 .. .. G5 .. .. E5 .. C5 .. E5 .. G5 .. A5 ..",  // C
    "G5 .. .. D5 .. .. B4 .. D5 .. .. .. ^^ .. .. ..",  // G
    "E5 .. .. E5 .. .. D5 .. C5 .. D5 .. E5 .. A5 ..",  // Am
    "A5 .. .. G5 .. .. F5 .. E5 .. .. .. C5 .. .. ..",  // F
    "E5 .. .. D5 .. .. C5 .. G4 .. .. .. C5 .. D5 ..",  // C
    "B4 .. .. C5 .. .. D5 .. .. .. ^^ .. G4 .. B4 ..",  // G
};

const Theme themeB = {
    "C5 .. A4 .. C5 .. F5 .. E5 .. C5 .. A4 .. C5 ..",  // F
    "D5 .. B4 .. D5 .. G5 .. F5 .. D5 .. B4 .. D5 ..",  // G
    "E5 .. B4 .. E5 .. G5 .. B5 .. .. .. A5 .. G5 ..",  // Em
    "A5 .. .. .. E5 .. .. .. C5 .. .. .. ^^ .. .. ..",  // Am
    "C6 .. A5 .. F5 .. A5 .. G5 .. F5 .. E5 .. C5 ..",  // F
    "D6 .. B5 .. G5 .. B5 .. A5 .. G5 .. F5 .. D5 ..",  // G
    "E5 .. G5 .. B5 .. E6 .. D6 .. B5 .. G5 .. E5 ..",  // Em
    "A5 .. .. .. .. .. .. .. ^^ .. .. .. E5 .. G5 ..",  // Am
};

uint8_t thirdBelowInKey(uint8_t note)
{
    static constexpr std::array<int, 7> aMinor = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    const int pitchClass = (note - 1) % 12;
    for (size_t degree = 0; degree < aMinor.size(); ++degree)
        if (aMinor[degree] == pitchClass) {
            const int below = aMinor[(degree + aMinor.size() - 2) % aMinor.size()];
            return uint8_t(note - (pitchClass - below + 12) % 12);
        }
    return uint8_t(note - 3);
}

std::array<int, 3> chordTones(const Chord& chord) { return {0, chord.minor ? 3 : 4, 7}; }

}  // namespace song
