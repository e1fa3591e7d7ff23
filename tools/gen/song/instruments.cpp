// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "song/instruments.h"

#include "song/synth.h"

#include "exact_math.h"

#include <algorithm>
#include <cmath>

namespace song {
namespace {

constexpr uint32_t noiseSeed = 0x4D6F726E;  // "Morn": the one seed every noise source starts from

int frames(double seconds) { return int(std::lround(seconds * renderRate)); }
double secondsAt(int frame) { return frame / renderRate; }

// A short linear fade over the last few milliseconds, so one-shots end in silence.
void fadeTail(Buffer& buffer, double seconds = 0.01)
{
    const size_t n = std::min(buffer.size(), size_t(frames(seconds)));
    for (size_t i = 0; i < n; ++i)
        buffer[buffer.size() - 1 - i] *= float(i) / float(n);
}

// The ringing metal of a drum machine's cymbals: six detuned square waves, a fixed set of pitches.
float metallic(double seconds, double pitchScale)
{
    static constexpr double pitches[] = {205.3, 304.4, 369.6, 522.7, 540.0, 800.0};
    float sum = 0;
    for (double pitch : pitches)
        sum += std::fmod(seconds * pitch * pitchScale, 1.0) < 0.5 ? 1.0f : -1.0f;
    return sum / 6;
}

XmInstrument oneShot(const char* name, XmSample sample)
{
    XmInstrument instrument;
    instrument.name = name;
    instrument.samples.push_back(std::move(sample));
    return instrument;
}

// A held instrument: volume envelope that rises, settles on a sustain level and fades once released.
XmInstrument held(const char* name, XmSample sample, XmEnvelope envelope, uint16_t fadeout)
{
    XmInstrument instrument = oneShot(name, std::move(sample));
    instrument.volumeEnvelope = std::move(envelope);
    instrument.fadeout = fadeout;
    return instrument;
}

XmInstrument buildKick()
{
    Prng noise(noiseSeed);
    Buffer out(size_t(frames(0.42)));
    double phase = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = secondsAt(int(i));
        const double pitch = 46 + 130 * decay(t, 0.022) + 25 * decay(t, 0.11);
        phase += pitch / renderRate;
        const double body = exact::sin(2 * M_PI * phase) * decay(t, 0.2) * std::min(1.0, t / 0.0015);
        const double click = noise.bipolar() * 0.35 * decay(t, 0.0025);
        out[i] = float(exact::tanh(1.9 * (body + click)));
    }
    fadeTail(out);
    return oneShot("kick", toSample("kick", out, 0.95, renderRate));
}

XmInstrument buildSnare()
{
    Prng noise(noiseSeed + 1);
    StateVariableFilter filter;
    Buffer out(size_t(frames(0.34)));
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = secondsAt(int(i));
        const double tone = 0.55 * exact::sin(2 * M_PI * 185 * t) * decay(t, 0.055) +
                            0.3 * exact::sin(2 * M_PI * 330 * t) * decay(t, 0.03);
        const auto f = filter.process(noise.bipolar(), 4200, 1.1);
        const double rattle = (0.6 * f.high + 0.8 * f.band) * decay(t, 0.1);
        out[i] = float(tone + rattle);
    }
    saturate(out, 3.0);
    fadeTail(out);
    return oneShot("snare", toSample("snare", out, 0.95, renderRate));
}

XmInstrument buildClap()
{
    static constexpr double bursts[] = {0.0, 0.011, 0.021, 0.032};  // hands not quite together
    Prng noise(noiseSeed + 2);
    StateVariableFilter filter;
    Buffer out(size_t(frames(0.36)));
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = secondsAt(int(i));
        double envelope = 0;
        for (double start : bursts)
            if (t >= start)
                envelope = std::max(envelope, decay(t - start, start == bursts[3] ? 0.09 : 0.006));
        const auto f = filter.process(noise.bipolar(), 1300, 0.7);
        out[i] = float(f.band * envelope);
    }
    saturate(out, 3.5);
    fadeTail(out);
    return oneShot("clap", toSample("clap", out, 0.95, renderRate));
}

Buffer renderHat(double tau, double seconds, uint32_t seed)
{
    Prng noise(seed);
    StateVariableFilter filter;
    Buffer out(size_t(frames(seconds)));
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = secondsAt(int(i));
        const float source = 0.55f * metallic(t, 2.0) + 0.6f * noise.bipolar();
        const auto f = filter.process(source, 7500, 1.2);
        out[i] = float(f.high * decay(t, tau) * std::min(1.0, t / 0.0007));
    }
    saturate(out, 2.0);
    fadeTail(out);
    return out;
}

constexpr uint8_t hatPanning = 0x98;    // a little right of the kick and snare
constexpr uint8_t crashPanning = 0x70;  // a little left

XmInstrument buildClosedHat()
{
    XmSample sample = toSample("closed hat", renderHat(0.022, 0.11, noiseSeed + 3), 0.9, renderRate);
    sample.panning = hatPanning;
    return oneShot("closed hat", std::move(sample));
}

XmInstrument buildOpenHat()
{
    XmSample sample = toSample("open hat", renderHat(0.16, 0.5, noiseSeed + 4), 0.9, renderRate);
    sample.panning = hatPanning;
    return oneShot("open hat", std::move(sample));
}

XmInstrument buildCrash()
{
    Prng noise(noiseSeed + 5);
    StateVariableFilter filter;
    Buffer out(size_t(frames(2.2)));
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = secondsAt(int(i));
        const float source = 0.4f * metallic(t, 3.1) + 0.8f * noise.bipolar();
        const auto f = filter.process(source, 4800, 1.0);
        out[i] = float((f.high + 0.3 * f.band) * (0.3 * decay(t, 0.08) + 0.7 * decay(t, 0.75)));
    }
    fadeTail(out, 0.2);
    XmSample sample = toSample("crash", out, 0.9, renderRate);
    sample.panning = crashPanning;
    return oneShot("crash", std::move(sample));
}

// A pitched drum: fills play it at different notes. Natural pitch about 130 Hz at C-4.
XmInstrument buildTom()
{
    Buffer out(size_t(frames(0.5)));
    double phase = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = secondsAt(int(i));
        phase += (130 + 70 * decay(t, 0.04)) / renderRate;
        out[i] = float(exact::tanh(1.5 * exact::sin(2 * M_PI * phase)) * decay(t, 0.16));
    }
    fadeTail(out);
    return oneShot("tom", toSample("tom", out, 0.9, renderRate));
}

// Saw bass with a resonant low-pass sweeping down: the sweep and the level settle at settleSeconds
// seconds, after which a loop of whole cycles holds the tone for as long as the note lasts.
XmInstrument buildBass()
{
    constexpr int period = 337;  // frames: about C-3 at the render rate
    constexpr double settleSeconds = 0.3;
    const double fundamental = renderRate / period;
    auto settling = [&](double t, double tau) {
        const double end = decay(settleSeconds, tau);
        return std::max(0.0, (decay(t, tau) - end) / (1 - end));
    };
    auto amplitude = [&](int k, double t) {
        const double cutoff = 380 + 2400 * settling(t, 0.075);
        const double x = k * fundamental / cutoff;
        const double lowPass = 1 / std::sqrt(1 + exact::pow(x, 4));
        const double resonance = 1 + 1.4 * exact::exp(-exact::pow((x - 1) / 0.3, 2));
        const double level = 0.6 + 0.4 * settling(t, 0.15);
        return level * (sawHarmonic(k, 1000) * lowPass * resonance + (k == 1 ? 0.5 : 0.0));
    };
    const int loopStart = int(std::ceil(settleSeconds * renderRate / period)) * period;
    const int loopLength = 4 * period;
    XmSample sample =
        toSample("bass", renderAdditive(loopStart + loopLength, period, amplitude), 0.95, periodicRateAtC4(period));
    sample.loop = XmLoop::forward;
    sample.loopStart = uint32_t(loopStart);
    sample.loopLength = uint32_t(loopLength);
    return held("bass", std::move(sample), XmEnvelope{{{0, 64}, {1, 64}}, 1}, 0x0C00);
}

// Three detuned saws and a square over a loop of whole cycles of each: a chorused lead.
XmInstrument buildLead()
{
    constexpr int period = 48;
    constexpr int cycles = 96;
    Prng phases(noiseSeed + 6);
    const Buffer saw = cycleTable(2048, 20, [](int k) { return sawHarmonic(k, 9); });
    const Buffer square = cycleTable(2048, 20, [](int k) { return squareHarmonic(k, 7); });
    Buffer loop(size_t(period * cycles), 0.0f);
    addLoopVoice(loop, saw, cycles, 0.0, 1.0);
    addLoopVoice(loop, saw, cycles - 1, phases.next() / 4294967296.0, 0.7);
    addLoopVoice(loop, saw, cycles + 1, phases.next() / 4294967296.0, 0.7);
    addLoopVoice(loop, square, cycles, 0.25, 0.45);
    XmSample sample = toSample("lead", loop, 0.9, periodicRateAtC4(period));
    sample.loop = XmLoop::forward;
    sample.loopLength = uint32_t(loop.size());
    XmInstrument instrument = held("lead", std::move(sample), XmEnvelope{{{0, 0}, {2, 64}, {14, 46}}, 2}, 0x0500);
    instrument.vibrato = XmAutoVibrato{0, 48, 3, 10};
    return instrument;
}

// A plucked square: bright attack closing fast, for arpeggios and bleeps.
XmInstrument buildPluck()
{
    constexpr int period = 48;
    auto amplitude = [](int k, double t) {
        const double brightness = 1.5 + 12 * decay(t, 0.045);
        return (0.7 * squareHarmonic(k, brightness) + 0.3 * sawHarmonic(k, brightness)) * decay(t, 0.13);
    };
    Buffer out = renderAdditive(frames(0.4), period, amplitude);
    fadeTail(out);
    return oneShot("pluck", toSample("pluck", out, 0.9, periodicRateAtC4(period)));
}

// The just-intonation cycle counts of a triad with its octave, over a loop of 200 root cycles.
std::vector<int> chordCycles(bool minor, int root)
{
    return {root, minor ? root * 6 / 5 : root * 5 / 4, root * 3 / 2, root * 2};
}

Buffer renderChordLoop(bool minor, int rootCycles, int period, double brightness, int detune, uint32_t seed)
{
    Prng phases(seed);
    Buffer loop(size_t(rootCycles * period), 0.0f);
    for (int cycles : chordCycles(minor, rootCycles)) {
        const int harmonics = std::clamp(int(0.45 * double(loop.size()) / (cycles + detune)), 1, 40);
        const Buffer table = cycleTable(2048, harmonics, [&](int k) { return sawHarmonic(k, brightness); });
        for (int d : {-detune, 0, detune})
            addLoopVoice(loop, table, cycles + d, phases.next() / 4294967296.0, d == 0 ? 1.0 : 0.8);
    }
    return loop;
}

XmInstrument buildPad(bool minor)
{
    constexpr int period = 100;
    constexpr int rootCycles = 200;  // divisible by 4 and 5, so every chord tone runs whole cycles
    const char* name = minor ? "pad minor" : "pad major";
    XmSample sample = toSample(name, renderChordLoop(minor, rootCycles, period, 5.0, 2, noiseSeed + 7), 0.9,
                               periodicRateAtC4(period));
    sample.loop = XmLoop::forward;
    sample.loopLength = uint32_t(sample.frames.size());
    return held(name, std::move(sample), XmEnvelope{{{0, 0}, {28, 64}, {48, 54}}, 2}, 0x0180);
}

// A chord through a resonant low-pass that snaps shut: the classic stab.
XmInstrument buildStab(bool minor)
{
    constexpr int period = 100;
    constexpr int rootCycles = 260;
    const char* name = minor ? "stab minor" : "stab major";
    Buffer chord = renderChordLoop(minor, rootCycles, period, 30.0, 1, noiseSeed + 8);
    StateVariableFilter filter;
    for (size_t i = 0; i < chord.size(); ++i) {
        const double t = secondsAt(int(i));
        const auto f = filter.process(chord[i], 500 + 7000 * decay(t, 0.09), 0.45);
        chord[i] = float(f.low * decay(t, 0.3));
    }
    fadeTail(chord, 0.05);
    return oneShot(name, toSample(name, chord, 0.9, periodicRateAtC4(period)));
}

// Noise through a band-pass rising over one bar, swelling as it climbs.
XmInstrument buildRiser()
{
    constexpr double length = 1.6667;  // one bar at 144 beats a minute
    Prng noise(noiseSeed + 9);
    StateVariableFilter filter;
    Buffer out(size_t(frames(length)));
    for (size_t i = 0; i < out.size(); ++i) {
        const double x = secondsAt(int(i)) / length;
        const auto f = filter.process(noise.bipolar(), 250 * exact::pow(40.0, x), 0.35);
        out[i] = float(f.band * (0.1 + 0.9 * x * x));
    }
    fadeTail(out, 0.03);
    return oneShot("riser", toSample("riser", out, 0.9, renderRate));
}

}  // namespace

std::vector<XmInstrument> buildInstruments()
{
    std::vector<XmInstrument> all = {
        buildKick(),    buildSnare(),    buildClap(),     buildClosedHat(), buildOpenHat(),
        buildCrash(),   buildTom(),      buildBass(),     buildLead(),      buildPluck(),
        buildPad(true), buildPad(false), buildStab(true), buildStab(false), buildRiser(),
    };
    return all;
}

}  // namespace song
