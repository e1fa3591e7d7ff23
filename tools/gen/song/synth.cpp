// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "song/synth.h"

#include "exact_math.h"

#include <algorithm>
#include <cmath>

namespace song {

StateVariableFilter::Out StateVariableFilter::process(float in, double cutoff, double damping)
{
    const float f = float(2 * exact::sin(M_PI * std::min(cutoff, renderRate / 6) / renderRate));
    const float high = in - low - float(damping) * band;
    band += f * high;
    low += f * band;
    return {low, band, high};
}

Buffer renderAdditive(int frames, int period, const std::function<double(int k, double seconds)>& amplitude)
{
    Buffer out(size_t(frames), 0.0f);
    const int harmonics = std::max(1, int(period * 0.45));
    for (int i = 0; i < frames; ++i) {
        const double seconds = i / renderRate;
        const double phase = 2 * M_PI * double(i % period) / period;
        double sum = 0;
        for (int k = 1; k <= harmonics; ++k) {
            const double a = amplitude(k, seconds);
            if (a != 0)
                sum += a * exact::sin(k * phase);
        }
        out[size_t(i)] = float(sum);
    }
    return out;
}

Buffer cycleTable(int tableSize, int count, const std::function<double(int k)>& amplitude)
{
    Buffer table(size_t(tableSize), 0.0f);
    for (int k = 1; k <= count; ++k) {
        const double a = amplitude(k);
        for (int i = 0; i < tableSize; ++i)
            table[size_t(i)] += float(a * exact::sin(2 * M_PI * k * i / tableSize));
    }
    return table;
}

void addLoopVoice(Buffer& loop, const Buffer& table, int cycles, double phase, double gain)
{
    const size_t length = loop.size();
    const double size = double(table.size());
    for (size_t i = 0; i < length; ++i) {
        // Whole cycles over the loop: position i and i + length read the same point of the table.
        const double p = std::fmod(phase + double(uint64_t(i) * uint64_t(cycles) % length) / length, 1.0) * size;
        const size_t a = size_t(p) % table.size();
        const size_t b = (a + 1) % table.size();
        const double frac = p - std::floor(p);
        loop[i] += float(gain * (table[a] + (table[b] - table[a]) * frac));
    }
}

double sawHarmonic(int k, double brightness) { return 1.0 / k / (1.0 + exact::pow(k / brightness, 2.0)); }

double squareHarmonic(int k, double brightness) { return (k % 2) ? sawHarmonic(k, brightness) : 0.0; }

void saturate(Buffer& buffer, double drive)
{
    float top = 0;
    for (float v : buffer)
        top = std::max(top, std::fabs(v));
    if (top > 0)
        for (float& v : buffer)
            v = float(exact::tanh(drive * v / top));
}

double decay(double seconds, double tau) { return exact::exp(-seconds / tau); }

XmSample toSample(const char* name, const Buffer& buffer, double peak, double rateAtC4)
{
    XmSample sample;
    sample.name = name;
    float top = 0;
    for (float v : buffer)
        top = std::max(top, std::fabs(v));
    const double scale = top > 0 ? peak * 32767.0 / top : 0.0;
    sample.frames.reserve(buffer.size());
    for (float v : buffer)
        sample.frames.push_back(int16_t(std::clamp(std::lround(v * scale), -32767L, 32767L)));

    // The player sounds note n at 8363 * 2^((n - C-4 + relative + finetune / 128) / 12) frames a second.
    const double semitones = 12 * exact::log2(rateAtC4 / c4PlaybackRate);
    const double whole = std::round(semitones);
    sample.relativeNote = int8_t(whole);
    sample.finetune = int8_t(std::clamp(std::lround((semitones - whole) * 128), -128L, 127L));
    return sample;
}

}  // namespace song
