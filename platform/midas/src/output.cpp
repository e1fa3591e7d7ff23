#include "output.h"

#include <algorithm>
#include <chrono>

namespace midas {
namespace {

constexpr int discardFrames = 4096;  // the silent output pulls at most this many at once
constexpr uint64_t msPerSecond = 1000;

// The host's tick counter, or the process's own clock when no host is installed.
uint32_t nowMs()
{
    if (host::installed())
        return host::current().tickCount();
    auto since = std::chrono::steady_clock::now().time_since_epoch();
    return uint32_t(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

}  // namespace

bool Output::open(host::AudioSource* source)
{
    close();
    source_ = source;
    device_ = host::installed() && host::current().openAudio(source);
    openedMs_ = nowMs();
    framesPulled_ = 0;
    return device_;
}

void Output::close()
{
    if (device_)
        host::current().closeAudio();
    source_ = nullptr;
    device_ = false;
}

void Output::lock()
{
    if (device_)
        host::current().lockAudio();
}

void Output::unlock()
{
    if (device_)
        host::current().unlockAudio();
}

void Output::poll()
{
    if (!source_ || device_)
        return;
    uint32_t elapsedMs = nowMs() - openedMs_;  // unsigned: survives the counter wrapping
    uint64_t due = uint64_t(elapsedMs) * host::audioSampleRate / msPerSecond;
    discard_.resize(size_t(discardFrames) * host::audioChannels);
    while (framesPulled_ < due) {
        int frames = int(std::min<uint64_t>(due - framesPulled_, discardFrames));
        source_->mix(discard_.data(), frames);
        framesPulled_ += frames;
    }
}

}  // namespace midas
