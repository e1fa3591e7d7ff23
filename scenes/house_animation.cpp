// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "scenes/house_animation.h"

#include <cmath>

namespace {

constexpr double orbitRate = 0.03333333333333333;  // radians per tick: one turn in 2 pi x 30 ticks

// The wandering direction's three sine rates, 1/7, 1/9.1 and 1/11.2 per tick.
constexpr double wanderRateX = 0.14285714285714285;
constexpr double wanderRateY = 0.10989010989010989;
constexpr double wanderRateZ = 0.08928571428571429;

constexpr int flashedBeats = 8;            // the scene lasts eight beats
constexpr double flashLength = 10.0;       // ticks from level 1 to 0
constexpr double secondFlashDelay = 12.5;  // ticks after the beat
constexpr double secondFlashEnd = 22.5;    // ticks after the beat
constexpr double flashFallPerTick = 0.1;

// The band over the screen's bottom third changes every two beats.
constexpr float firstBandEnd = 66.666664f;   // 2 beats
constexpr float secondBandEnd = 133.33333f;  // 4 beats
constexpr float thirdBandEnd = 200.0f;       // 6 beats
constexpr float sceneEnd = 266.66666f;       // 8 beats
constexpr int firstBandPicture = 0;          // "loop.bmp"
constexpr int secondBandPicture = 1;         // "woody.bmp"
constexpr int thirdBandPicture = 4;          // "back2.bmp"
constexpr double fadeOutPerTick = 0.015;     // black from 0 to 1 over the last two beats

}  // namespace

void orbitHouseCamera(float t, const SceneCamera& source, SceneCamera* camera)
{
    const double angle = t * orbitRate;
    const double sx = source.position[0];
    const double sz = source.position[2];
    camera->position[0] = float(sx * std::cos(angle) + sz * std::sin(angle));
    camera->position[2] = float(sz * std::cos(angle) - sx * std::sin(angle));
}

Vector3 wanderingDirection(float t)
{
    Vector3 e;
    setVector(&e, float(std::sin(t * wanderRateX)), float(std::sin(t * wanderRateY)), float(std::sin(t * wanderRateZ)));
    const float length = std::sqrt(lengthSquared(e));
    if (length == 0.0f)
        return {0.0f, 0.0f, 0.0f};
    Vector3 w;
    divideVector(&w, &e, length);
    return w;
}

float swellFactor(Vector3 direction, Vector3 normal) { return float((std::fabs(dot(direction, normal)) + 2.0) * 0.5); }

void swellMesh(const Mesh& source, Vector3 direction, Mesh* target)
{
    const uint32_t count = source.vertexCount < target->vertexCount ? source.vertexCount : target->vertexCount;
    for (uint32_t i = 0; i < count; ++i) {
        const MeshVertex& from = source.vertices[i];
        MeshVertex& to = target->vertices[i];
        const float s = swellFactor(direction, {from.nx, from.ny, from.nz});
        to.x = s * from.x;
        to.y = s * from.y;
        to.z = s * from.z;
    }
}

FlashLevel houseFlashLevel(float t)
{
    for (int b = 0; b < flashedBeats; ++b) {
        const double beatStart = b * double(beat);  // the product kept unrounded
        if (beatStart < t && t < beatStart + flashLength)
            return float(1.0 - (t - beatStart) * flashFallPerTick);
        const float secondStart = float(beatStart + secondFlashDelay);
        if (secondStart < t && t < beatStart + secondFlashEnd)
            return float(1.0 - (t - double(secondStart)) * flashFallPerTick);
    }
    return std::nullopt;
}

HouseBand houseBand(float t)
{
    if (t < firstBandEnd)
        return {HouseBand::picture, firstBandPicture, 0.0f};
    if (t < secondBandEnd)
        return {HouseBand::picture, secondBandPicture, 0.0f};
    if (t < thirdBandEnd)
        return {HouseBand::picture, thirdBandPicture, 0.0f};
    if (t < sceneEnd)
        return {HouseBand::blackFade, 0, float((t - double(thirdBandEnd)) * fadeOutPerTick)};
    return {HouseBand::nothing, 0, 0.0f};
}
