// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "app/timeline.h"
#include "display/device_selection.h"
#include "effects/binary_rain.h"
#include "engine/scene.h"
#include "scenes/box_scene.h"
#include "scenes/house_scene.h"
#include "scenes/light_scene.h"
#include "scenes/particles.h"

#include <cstring>

namespace {

void freeScene(Scene& scene)
{
    releaseScene(&scene);
    scene = {};
}

}  // namespace

// What the rest holds is made afresh on every start: the display context, the start
// time and the song's handles by WinMain, the pictures and texture tables by loading,
// the particles by the light scene's loading, the wave field on every frame. The
// lighting's cone bounds are a cache that never changes a result.
void resetShow()
{
    rearmTimeline(showTimeline());
    reseedBinaryRain();
    rainGrid = {};
    simulationClock = 0.0f;
    // A show that ended before the house or the box were left still holds them, and
    // the drawn house is kept to the end on purpose.
    freeScene(houseSourceScene);
    freeScene(houseScene);
    freeScene(boxScene);
    freeScene(lightScene);
    deviceCount = 0;
    std::memset(deviceTable, 0, sizeof deviceTable);
    std::memset(chosenDevice, 0, sizeof chosenDevice);
    is555 = 0;
}
