// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Where the mixed sound goes: the audio device, which pulls frames on its own thread,
// or, when there is none, nowhere, pulled by poll() as fast as the tick
// counter advances so that songs still move on as they would with sound.
#pragma once

#include "host/audio_source.h"

#include <cstdint>
#include <vector>

namespace soft::midas {

class Output {
public:
    // Starts pulling from `source`; false when only the silent output is left.
    bool open(host::AudioSource* source);
    void close();
    bool isOpen() const { return source_ != nullptr; }

    // Holds off the device's thread while the caller changes what the source plays.
    void lock();
    void unlock();

    // Silent output: mixes, and throws away, the frames the clock advanced since the
    // last poll. The device needs no polling.
    void poll();

private:
    host::AudioSource* source_ = nullptr;
    bool device_ = false;
    uint32_t openedMs = 0;
    uint64_t framesPulled = 0;
    std::vector<int16_t> discard;
};

}  // namespace soft::midas
