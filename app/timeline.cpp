// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "app/timeline.h"

#include "display/display_setup.h"
#include "display/pictures.h"
#include "effects/binary_rain.h"
#include "effects/circle_interference.h"
#include "effects/greetings_scroller.h"
#include "effects/texture_warp.h"
#include "effects/wave_field.h"
#include "scenes/box_scene.h"
#include "scenes/house_scene.h"
#include "scenes/light_scene.h"

#include <cstring>

int32_t rainPrepared = 0;
int32_t houseReleased = 0;
int32_t boxViewportSet = 0;
int32_t boxReleased = 0;
int32_t fullViewportSet = 0;

namespace {

// Pictures of the show that the timeline lays itself.
constexpr int ringsBackground = 5;  // "circles.bmp"
constexpr int wavesBackground = 9;  // "rightnow.bmp"
constexpr int creditsStill = 2;     // "bonde.bmp"
constexpr int closingStill = 3;     // "lame.bmp"

void prepareRain(DisplayContext* context)
{
    rainPrepared = 1;
    initBinaryRain(context);
}

void leaveHouse(DisplayContext* context)
{
    releaseHouseScene(context);
    showPictureOnBothBuffers(ringsBackground, context);
    houseReleased = 1;
}

void narrowToBox(DisplayContext* context)
{
    setBoxViewport(context);
    boxViewportSet = 1;
}

void leaveBox(DisplayContext* context)
{
    releaseBoxScene(context);
    showPictureOnBothBuffers(wavesBackground, context);
    boxReleased = 1;
}

void widenToFullScreen(DisplayContext* context)
{
    setFullScreenViewport(context);
    fullViewportSet = 1;
}

void showCredits(float, DisplayContext* context) { copyPicture(creditsStill, context); }

void showClosingCard(float, DisplayContext* context) { copyPicture(closingStill, context); }

void fillBlack(float, DisplayContext* context)
{
    DDBLTFX effects;
    std::memset(&effects, 0, sizeof effects);
    effects.dwSize = sizeof effects;
    context->backSurface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &effects);
}

const Span showSpans[] = {
    {0.0f, &rainPrepared, prepareRain, drawBinaryRain},
    {beatBoundary(8), nullptr, nullptr, drawHouseScene},
    {beatBoundary(16), &houseReleased, leaveHouse, drawCircleInterference},
    {beatBoundary(20), &boxViewportSet, narrowToBox, drawBoxScene},
    {beatBoundary(24), &boxReleased, leaveBox, drawWaveField},
    {beatBoundary(32), &fullViewportSet, widenToFullScreen, drawLightScene},
    {beatBoundary(40), nullptr, nullptr, drawTextureWarp},
    {beatBoundary(48), nullptr, nullptr, drawGreetingsScroller},
    {beatBoundary(56), nullptr, nullptr, showCredits},
    {beatBoundary(60), nullptr, nullptr, showClosingCard},
    {beatBoundary(64), nullptr, nullptr, fillBlack},
};

const Timeline show = {showSpans, int(sizeof showSpans / sizeof showSpans[0]), showLength};

}  // namespace

const Timeline& showTimeline() { return show; }

int selectSpan(const Timeline& timeline, double difference, float elapsed)
{
    // Times before the show (a wrapped tick counter) belong to the first span.
    if (difference < double(timeline.spans[1].start))
        return 0;
    for (int i = 1; i < timeline.count; ++i) {
        float next = i + 1 < timeline.count ? timeline.spans[i + 1].start : timeline.end;
        if (elapsed < next)
            return i;
    }
    return -1;
}

bool stepTimeline(const Timeline& timeline, double difference, DisplayContext* context)
{
    float elapsed = float(difference);
    int index = selectSpan(timeline, difference, elapsed);
    if (index < 0)
        return false;
    const Span& span = timeline.spans[index];
    if (span.oneShot && !*span.oneShotDone)
        span.oneShot(context);
    span.draw(elapsed - span.start, context);
    return true;
}

void rearmTimeline(const Timeline& timeline)
{
    for (int i = 0; i < timeline.count; ++i)
        if (timeline.spans[i].oneShotDone)
            *timeline.spans[i].oneShotDone = 0;
}

float ticksOf(DWORD tickCount) { return float(double(tickCount) * double(ticksPerMillisecond)); }

double elapsedSince(float startTime, DWORD tickCount)
{
    return double(tickCount) * double(ticksPerMillisecond) - double(startTime);
}
