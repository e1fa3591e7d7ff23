// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The sound card the output plays on, and the clock the silent output follows. One
// implementation is linked: the host's device (audio_device_host.cpp) or Windows'
// own waveOut (audio_device_waveout.cpp).
#pragma once

#include "host/audio_source.h"

#include <cstdint>

namespace soft::midas::device {

// Starts pulling frames from `source` on the device's own thread; false when there
// is no device to play on.
bool open(host::AudioSource* source);
void close();

// Holds off the device's thread while the caller changes what the source plays.
void lock();
void unlock();

// Milliseconds, the same counter the program's GetTickCount reads.
uint32_t nowMs();

}  // namespace soft::midas::device
