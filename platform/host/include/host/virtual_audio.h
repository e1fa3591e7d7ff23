// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Sound in step with a virtual tick counter: as the counter advances, exactly the
// frames the time it covered holds at the output rate, counted from the total so that
// rounding never drifts. The headless and browser hosts mix through it in their
// virtual-counter modes.
#pragma once

#include "host/audio_source.h"

#include <cstdint>
#include <span>
#include <vector>

namespace host {

class VirtualAudio {
public:
    // Mixes from `source` what `advancedMs` more milliseconds hold; returns those
    // frames' samples (none when the advance does not complete a frame).
    std::span<const int16_t> advance(AudioSource& source, uint32_t advancedMs);
    // Starts the count again, as when the audio opens.
    void restart();

    int64_t mixedFrames() const { return mixed; }

private:
    uint64_t coveredMs = 0;
    int64_t mixed = 0;
    std::vector<int16_t> buffer;
};

}  // namespace host
