// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The show's running order: wall-clock time in ticks picks one span; a span's
// one-shot actions run on its first frame; its frame operation draws every frame.
#pragma once

#include "display/display_context.h"
#include "scenes/scene_beat.h"

#include <cstdint>

// Ticks are milliseconds times the single-precision 0.02: one tick is 50 ms.
constexpr float ticksPerMillisecond = 0.02f;

// The start of beat n: the exact product n * beat rounded to single precision.
constexpr float beatBoundary(int beats) { return float(double(beats) * double(beat)); }

constexpr float showLength = beatBoundary(66);  // 2200 ticks

using FrameOperation = void (*)(float localTime, DisplayContext* context);
using OneShotAction = void (*)(DisplayContext* context);

struct Span {
    float start;            // ticks; the span lasts until the next span's start
    int32_t* oneShotDone;   // the guard of the one-shot action, set by the action itself
    OneShotAction oneShot;  // or null
    FrameOperation draw;    // receives the time since the span's start
};

struct Timeline {
    const Span* spans;
    int count;  // at least two
    float end;  // the show ends at this many ticks
};

// The show itself.
const Timeline& showTimeline();

// The span that holds a time: `difference` is the elapsed time before its rounding to
// single precision (only the first boundary is tested on it), `elapsed` after. -1 when
// the show has ended.
int selectSpan(const Timeline& timeline, double difference, float elapsed);

// One frame: false when the show has ended, and then nothing is drawn.
bool stepTimeline(const Timeline& timeline, double difference, DisplayContext* context);

// The start time of the show in ticks, and the elapsed time of a tick-counter value.
float ticksOf(DWORD tickCount);
double elapsedSince(float startTime, DWORD tickCount);

// Clears every one-shot guard of the timeline, so that a show started again in the same
// process runs its one-shot actions again.
void rearmTimeline(const Timeline& timeline);

// Puts all of the demo's one-time state back as a fresh process has it, so that WinMain
// can run the show again in the same process, as a seek back does: the timeline's
// guards, the rain's generator, the particles' clock, the devices found, and the
// scenes a show ended early leaves loaded (freed). A fresh process never needs it.
void resetShow();

// The one-shot guards of the show, cleared only by rearmTimeline.
extern int32_t rainPrepared, houseReleased, boxViewportSet, boxReleased, fullViewportSet;
