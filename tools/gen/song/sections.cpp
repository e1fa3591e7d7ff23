// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "song/sections.h"

namespace song {
namespace {

const Theme coda = {"A4 .. .. .. .. .. .. .. .. .. .. .. ^^ .. .. ..", "", "", "", "", "", "", ""};

constexpr Progression const* home = &homeProgression;
constexpr Progression const* lift = &liftProgression;
constexpr Progression const* tonic = &tonicProgression;

}  // namespace

// The sections in the order of the show's scenes, one bar for each beat.
const std::array<Section, sectionCount> sections = {{
    {.scene = "binary rain", .bars = 4, .chords = home, .arp = Arp::binary, .crashOnEntry = false},
    {.scene = "binary rain",
     .bars = 4,
     .chords = home,
     .drums = Drums::hats,
     .bass = Bass::held,
     .arp = Arp::binary,
     .crashOnEntry = false,
     .ending = Ending::riser},
    {.scene = "house",
     .bars = 8,
     .chords = home,
     .drums = Drums::fourFloor,
     .bass = Bass::offbeat,
     .lead = &themeA,
     .pad = Pad::pumping,
     .accents = Accents::house,
     .ending = Ending::fill},
    {.scene = "rings",
     .bars = 4,
     .chords = home,
     .drums = Drums::hats,
     .bass = Bass::held,
     .arp = Arp::running,
     .ending = Ending::riser},
    {.scene = "boxes",
     .bars = 4,
     .chords = home,
     .drums = Drums::fourFloor,
     .bass = Bass::rolling,
     .pad = Pad::pumping,
     .accents = Accents::box,
     .ending = Ending::toms},
    {.scene = "waves",
     .bars = 8,
     .chords = lift,
     .drums = Drums::fourFloor,
     .bass = Bass::rolling,
     .lead = &themeB,
     .arp = Arp::running,
     .pad = Pad::pumping,
     .ending = Ending::fill},
    {.scene = "light beams",
     .bars = 8,
     .chords = home,
     .drums = Drums::fourFloor,
     .bass = Bass::offbeat,
     .lead = &themeA,
     .arp = Arp::running,
     .pad = Pad::pumping,
     .ending = Ending::riser},
    {.scene = "texture warp",
     .bars = 8,
     .chords = lift,
     .drums = Drums::breakbeat,
     .bass = Bass::rolling,
     .lead = &themeB,
     .leadTranspose = -12,
     .arp = Arp::running,
     .ending = Ending::toms},
    {.scene = "greetings",
     .bars = 8,
     .chords = home,
     .drums = Drums::fourFloor,
     .bass = Bass::rolling,
     .lead = &themeA,
     .echo = Echo::harmony,
     .arp = Arp::running,
     .pad = Pad::pumping,
     .ending = Ending::stop},
    {.scene = "still one", .bars = 4, .chords = home, .bass = Bass::held, .arp = Arp::binary, .crashOnEntry = false},
    {.scene = "still two",
     .bars = 4,
     .chords = home,
     .drums = Drums::pulse,
     .bass = Bass::held,
     .lead = &themeA,
     .leadBar = 4,
     .arp = Arp::binary,
     .crashOnEntry = false,
     .ending = Ending::fill},
    {.scene = "black", .bars = 1, .chords = tonic, .bass = Bass::held, .lead = &coda, .accents = Accents::finale},
    {.scene = "black", .bars = 1, .chords = tonic, .pad = Pad::none, .crashOnEntry = false, .ending = Ending::silence},
}};

}  // namespace song
