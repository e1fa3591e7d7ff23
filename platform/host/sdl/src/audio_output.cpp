// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "audio_output.h"

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace host::sdl {
namespace {

constexpr int bufferFrames = 1024;  // about 23 ms at 44.1 kHz
constexpr int bytesPerFrame = audioChannels * int(sizeof(int16_t));

// The sound drivers SDL tries print their own complaints on a machine without a sound
// card; the sound library says in one line that the show plays silently instead.
class QuietStandardError {
public:
    QuietStandardError() : saved(dup(STDERR_FILENO))
    {
        std::fflush(stderr);
        int nowhere = ::open("/dev/null", O_WRONLY);
        if (saved >= 0 && nowhere >= 0)
            dup2(nowhere, STDERR_FILENO);
        if (nowhere >= 0)
            ::close(nowhere);
    }
    ~QuietStandardError()
    {
        if (saved < 0)
            return;
        std::fflush(stderr);
        dup2(saved, STDERR_FILENO);
        ::close(saved);
    }

private:
    int saved;
};

}  // namespace

bool AudioOutput::open(AudioSource* source)
{
    close();
    QuietStandardError quiet;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    SDL_AudioSpec want{};
    want.freq = audioSampleRate;
    want.format = AUDIO_S16SYS;
    want.channels = uint8_t(audioChannels);
    want.samples = bufferFrames;
    want.callback = callback;
    want.userdata = this;
    SDL_AudioSpec have{};
    source_ = source;
    device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);  // SDL converts if it must
    if (!device) {
        source_ = nullptr;
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    SDL_PauseAudioDevice(device, 0);
    return true;
}

void AudioOutput::close()
{
    if (!device)
        return;
    SDL_CloseAudioDevice(device);
    device = 0;
    source_ = nullptr;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void AudioOutput::lock()
{
    if (device)
        SDL_LockAudioDevice(device);
}

void AudioOutput::unlock()
{
    if (device)
        SDL_UnlockAudioDevice(device);
}

void AudioOutput::callback(void* self, Uint8* stream, int length)
{
    auto* output = static_cast<AudioOutput*>(self);
    AudioSource* source = output->held ? nullptr : output->source_.load();
    if (source)
        source->mix(reinterpret_cast<int16_t*>(stream), length / bytesPerFrame);
    else
        std::memset(stream, 0, size_t(length));
}

}  // namespace host::sdl
