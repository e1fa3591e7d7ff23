#include "output.h"

#include "audio_device.h"

#include <algorithm>

namespace midas {
namespace {

constexpr int discardFrames = 4096;  // the silent output pulls at most this many at once
constexpr uint64_t msPerSecond = 1000;

}  // namespace

bool Output::open(host::AudioSource* source)
{
    close();
    source_ = source;
    device_ = device::open(source);
    openedMs_ = device::nowMs();
    framesPulled_ = 0;
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
    uint32_t elapsedMs = device::nowMs() - openedMs_;  // unsigned: survives the counter wrapping
    uint64_t due = uint64_t(elapsedMs) * host::audioSampleRate / msPerSecond;
    discard_.resize(size_t(discardFrames) * host::audioChannels);
    while (framesPulled_ < due) {
        int frames = int(std::min<uint64_t>(due - framesPulled_, discardFrames));
        source_->mix(discard_.data(), frames);
        framesPulled_ += frames;
    }
}

}  // namespace midas
