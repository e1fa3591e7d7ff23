// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// What a host's audio output pulls its sound from, and the one format it is in.
#pragma once

#include <cstdint>

namespace host {

constexpr int audioSampleRate = 44100;
constexpr int audioChannels = 2;

// Fills `out` with `frames` interleaved stereo 16-bit frames at 44.1 kHz.
class AudioSource {
public:
    virtual ~AudioSource() = default;
    virtual void mix(int16_t* out, int frames) = 0;
};

}  // namespace host
