// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The audio device: 44.1 kHz stereo 16-bit, pulled by SDL's audio thread from a
// sound source.
#pragma once

#include "host/audio_source.h"

#include <SDL.h>

#include <atomic>

namespace host::sdl {

class AudioOutput {
public:
    ~AudioOutput() { close(); }
    // False when no device opens; the source is then never called.
    bool open(AudioSource* source);
    // Waits for a callback that is running; the source is not called after it.
    void close();
    void lock();
    void unlock();
    bool isOpen() const { return device != 0; }
    // Held, the device plays silence and the source is not pulled: the sound stops at
    // a sample and goes on from the very next one when let go.
    void hold(bool on) { held = on; }
    AudioSource* source() const { return source_.load(); }

private:
    static void callback(void* self, Uint8* stream, int length);
    SDL_AudioDeviceID device = 0;
    std::atomic<AudioSource*> source_{nullptr};
    std::atomic<bool> held{false};
};

}  // namespace host::sdl
