// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "engine/scene_loading.h"

#include <cmath>
#include <cstring>

namespace {

constexpr float fullConeDegreesToHalfAngle = 0.008726f;  // pi / 360: full cone in degrees to a half-angle in radians
constexpr float byteToUnit = 0.003921569f;               // 1 / 255 in single precision
constexpr float lensToFieldOfViewDegrees = 2400.0f;      // millimetres of lens to degrees of view
constexpr float degreesToRadians = 0.017453f;

SceneLight* currentLight(LoadState& state)
{
    return state.scene->lightCount ? &state.scene->lights[state.currentLight] : nullptr;
}

// A file point (x, y, z) stored as (x, z, y).
void readPoint(ByteReader& in, float* out)
{
    out[0] = in.f32();
    out[2] = in.f32();
    out[1] = in.f32();
}

}  // namespace

// Every file light starts as an omni light; a spotlight chunk inside it makes it a spot.
ChunkStep readLight(LoadState& state)
{
    if (!state.reader.has(12))
        return ChunkStep::stop;
    Scene* scene = state.scene;
    if (!appendZeroedRecord(scene->lights, scene->lightCount))
        return ChunkStep::stop;
    SceneLight& light = scene->lights[scene->lightCount - 1];
    std::memcpy(light.name, state.name, sceneNameSize);
    readPoint(state.reader, light.position);
    light.kind = LightKind::omni;
    state.currentLight = scene->lightCount - 1;
    return ChunkStep::next;
}

ChunkStep readSpotlight(LoadState& state)
{
    SceneLight* light = currentLight(state);
    if (light == nullptr)
        return ChunkStep::skipWhole;
    ByteReader& in = state.reader;
    if (!in.has(20))
        return ChunkStep::stop;
    float target[3];
    readPoint(in, target);
    float d[3] = {target[0] - light->position[0], target[1] - light->position[1], target[2] - light->position[2]};
    float length = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
    for (int i = 0; i < 3; ++i)
        light->direction[i] = d[i] / length;
    light->kind = LightKind::spot;
    light->spotExponent = 1.0f;
    light->hotspot = in.f32() * fullConeDegreesToHalfAngle;
    light->falloff = in.f32() * fullConeDegreesToHalfAngle;
    return ChunkStep::next;
}

ChunkStep readLightRange(LoadState& state)
{
    SceneLight* light = currentLight(state);
    if (light == nullptr)
        return ChunkStep::skipWhole;
    if (!state.reader.has(4))
        return ChunkStep::stop;
    light->range = state.reader.f32();
    return ChunkStep::next;
}

// The multiplier becomes the linear falloff coefficient alone.
ChunkStep readLightMultiplier(LoadState& state)
{
    SceneLight* light = currentLight(state);
    if (light == nullptr)
        return ChunkStep::skipWhole;
    if (!state.reader.has(4))
        return ChunkStep::stop;
    light->attenuation0 = 0.0f;
    light->attenuation1 = state.reader.f32();
    light->attenuation2 = 0.0f;
    return ChunkStep::next;
}

ChunkStep readColourFloats(LoadState& state)
{
    SceneLight* light = currentLight(state);
    if (light == nullptr)
        return ChunkStep::skipWhole;
    if (!state.reader.has(12))
        return ChunkStep::stop;
    for (float& channel : light->colour)
        channel = state.reader.f32();
    return ChunkStep::next;
}

ChunkStep readColourBytes(LoadState& state)
{
    SceneLight* light = currentLight(state);
    if (light == nullptr)
        return ChunkStep::skipWhole;
    if (!state.reader.has(3))
        return ChunkStep::stop;
    for (float& channel : light->colour)
        channel = state.reader.u8() * byteToUnit;
    return ChunkStep::next;
}

// A later camera overwrites an earlier one.
ChunkStep readCamera(LoadState& state)
{
    ByteReader& in = state.reader;
    if (!in.has(32))
        return ChunkStep::stop;
    SceneCamera& camera = state.scene->camera;
    std::memcpy(camera.name, state.name, sceneNameSize);
    readPoint(in, camera.position);
    readPoint(in, camera.target);
    camera.roll = in.f32();
    float lens = in.f32();
    camera.fieldOfView = lensToFieldOfViewDegrees / lens * degreesToRadians;
    return ChunkStep::next;
}
