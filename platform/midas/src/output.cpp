// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "output.h"

#include "audio_device.h"

#include <algorithm>

namespace soft::midas {
namespace {

constexpr int discardFrames = 4096;  // the silent output pulls at most this many at once
constexpr uint64_t msPerSecond = 1000;

}  // namespace

bool Output::open(host::AudioSource* source)
{
    close();
    source_ = source;
    device_ = device::open(source);
    openedMs = device::nowMs();
    framesPulled = 0;
    return device_;
}

void Output::close()
{
    if (device_)
        device::close();
    source_ = nullptr;
    device_ = false;
}

void Output::lock()
{
    if (device_)
        device::lock();
}

void Output::unlock()
{
    if (device_)
        device::unlock();
}

void Output::poll()
{
    if (!source_ || device_)
        return;
    uint32_t elapsedMs = device::nowMs() - openedMs;  // unsigned: survives the counter wrapping
    uint64_t due = uint64_t(elapsedMs) * host::audioSampleRate / msPerSecond;
    discard.resize(size_t(discardFrames) * host::audioChannels);
    while (framesPulled < due) {
        int frames = int(std::min<uint64_t>(due - framesPulled, discardFrames));
        source_->mix(discard.data(), frames);
        framesPulled += frames;
    }
}

}  // namespace soft::midas
