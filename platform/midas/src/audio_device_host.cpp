// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The device of the host the program was started on.
#include "audio_device.h"

#include "host/host.h"

#include <chrono>

namespace soft::midas::device {

bool open(host::AudioSource* source) { return host::installed() && host::current().openAudio(source); }

void close() { host::current().closeAudio(); }

void lock() { host::current().lockAudio(); }

void unlock() { host::current().unlockAudio(); }

// The host's tick counter, or the process's own clock when no host is installed.
uint32_t nowMs()
{
    if (host::installed())
        return host::current().tickCount();
    auto since = std::chrono::steady_clock::now().time_since_epoch();
    return uint32_t(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

}  // namespace soft::midas::device
