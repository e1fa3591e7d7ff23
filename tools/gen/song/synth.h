// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#pragma once
// Sound synthesis building blocks for the soundtrack's instruments: a fixed-seed noise source,
// a state-variable filter, band-limited additive tones and loop-exact detuned voice stacks.
// Every buffer is mono float at renderRate; toSample turns one into a tuned 16-bit XmSample.

#include "song/xm_module.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace song {

inline constexpr double renderRate = 44100;     // frames a second of one-shot renders
inline constexpr double middleC = 261.6255653;  // Hz: C-4 is tuned to middle C (A-4 = 440 Hz)
// Frames a second at which the player plays C-4 of a sample with relative note 0 and finetune 0.
inline constexpr double c4PlaybackRate = 8363;

using Buffer = std::vector<float>;

// xorshift32 with a fixed seed: the same noise on every run.
class Prng {
public:
    explicit Prng(uint32_t seed) : state(seed ? seed : 1) { }
    uint32_t next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    float bipolar() { return float(next() >> 8) / float(1 << 23) - 1.0f; }  // -1 .. 1

private:
    uint32_t state;
};

// Chamberlin state-variable filter; cutoff in Hz at renderRate, damping 2 = flat, lower = resonant.
struct StateVariableFilter {
    struct Out {
        float low, band, high;
    };
    Out process(float in, double cutoff, double damping);
    float low = 0, band = 0;
};

// One-shot additive tone: frames at renderRate of a wave with period `period` frames, whose k-th
// harmonic has amplitude amplitude(k, seconds) (k from 1, sine phase). Harmonics stop below Nyquist.
Buffer renderAdditive(int frames, int period, const std::function<double(int k, double seconds)>& amplitude);

// One cycle of a band-limited wave, tableSize points, harmonics 1..count with amplitude(k).
Buffer cycleTable(int tableSize, int count, const std::function<double(int k)>& amplitude);

// Adds to `loop` (whose length is the loop) a voice running `cycles` whole cycles over the loop,
// read from `table` starting at phase `phase` (0..1), scaled by gain: the sum stays seamless.
void addLoopVoice(Buffer& loop, const Buffer& table, int cycles, double phase, double gain);

// A saw-like spectrum: 1/k, softened above `brightness` harmonics.
double sawHarmonic(int k, double brightness);
// Odd harmonics only (square-like), softened the same way.
double squareHarmonic(int k, double brightness);

// Soft saturation: tanh(drive * x), which raises the body of a noisy hit against its peaks.
void saturate(Buffer& buffer, double drive);

// Exponential decay with time constant tau seconds.
double decay(double seconds, double tau);

// Scales buffer to the given peak (0..1 of full scale) and stores it in a 16-bit sample that
// sounds, when played at C-4, at rateAtC4 frames a second.
XmSample toSample(const char* name, const Buffer& buffer, double peak, double rateAtC4);

// The rate at C-4 of a sample whose wave repeats every `period` frames, so that C-4 sounds middle C.
inline double periodicRateAtC4(int period) { return period * middleC; }

}  // namespace song
