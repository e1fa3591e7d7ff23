// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#pragma once
// The soundtrack's instrument set, every one synthesised from scratch: drums by noise and sine
// synthesis, a filtered saw bass, a detuned saw lead, a plucked arpeggio voice, chord pads and
// chord stabs (minor and major), a crash and a noise riser.

#include "song/xm_module.h"

#include <cstdint>
#include <vector>

namespace song {

// Instrument numbers as the patterns use them (1-based, in the order buildInstruments returns).
enum Instrument : uint8_t {
    kick = 1,
    snare,
    clap,
    closedHat,
    openHat,
    crash,
    tom,
    bass,
    lead,
    pluck,
    padMinor,
    padMajor,
    stabMinor,
    stabMajor,
    riser,
    instrumentCount = riser
};

std::vector<XmInstrument> buildInstruments();

}  // namespace song
