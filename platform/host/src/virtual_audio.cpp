// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "host/virtual_audio.h"

namespace host {

std::span<const int16_t> VirtualAudio::advance(AudioSource& source, uint32_t advancedMs)
{
    coveredMs += advancedMs;
    int64_t due = int64_t(coveredMs * audioSampleRate / 1000) - mixed;
    if (due <= 0)
        return {};
    buffer.resize(size_t(due) * audioChannels);
    source.mix(buffer.data(), int(due));
    mixed += due;
    return buffer;
}

void VirtualAudio::restart()
{
    coveredMs = 0;
    mixed = 0;
}

}  // namespace host
