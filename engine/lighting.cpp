// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "engine/lighting.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float quarterTurn = 1.570796f;  // pi / 2: a spot's edge curve runs over a quarter cosine

Vector3 toVector(const float* v) { return {v[0], v[1], v[2]}; }

// divideVector and the root of lengthSquared, here where the compiler can inline them.
Vector3 divided(Vector3 v, float divisor) { return {v.x / divisor, v.y / divisor, v.z / divisor}; }

float length(Vector3 v) { return std::sqrt(dot(v, v)); }

Vector3 unitToward(Vector3 from, Vector3 to)
{
    Vector3 d = subtract(to, from);
    return divided(d, length(d));
}

[[gnu::always_inline]] inline float omniFactor(const SceneLight& light, Vector3 p, Vector3 n)
{
    Vector3 lightPosition = toVector(light.position);
    Vector3 d = subtract(p, lightPosition);
    float range = light.range;
    if (std::fabs(d.x) > range || std::fabs(d.y) > range || std::fabs(d.z) > range)
        return 0.0f;
    float distance = length(d);
    if (distance > range)
        return 0.0f;
    float f = (range - distance) / range;  // 1 at the light, 0 at its range
    float falloff = light.attenuation0 + light.attenuation1 * f + light.attenuation2 * f * f;
    // The way to the light is -d, whose length is the distance already found.
    return falloff * dot(divided(subtract(lightPosition, p), distance), n);
}

// Cosines beyond which a spot's angle is certainly outside its falloff cone, or inside
// both cones, for the cone last asked about. The bounds stand a thousandth off the
// cosines of the cone angles, thousands of times what acosf can be off by, so that a
// cosine past them gives the very comparisons its angle would, and the angle, the
// dearest part of the light, is not worked out.
struct ConeBounds {
    float hotspot = 0, falloff = 0;
    double outside = -2, inside = 2;  // no cosine is past either

    const ConeBounds& of(const SceneLight& light)
    {
        if (light.hotspot != hotspot || light.falloff != falloff)
            remake(light);
        return *this;
    }

    [[gnu::noinline]] void remake(const SceneLight& light)
    {
        constexpr double margin = 1e-3;
        hotspot = light.hotspot;
        falloff = light.falloff;
        // Where the cosine falls as the angle grows: a falloff from 0 to 3 radians.
        outside = falloff >= 0 && falloff <= 3 ? std::cos(double(falloff)) - margin : -2;
        const float narrower = std::min(hotspot, falloff);
        inside = narrower >= 0 ? std::cos(double(narrower)) + margin : 2;
    }
};

float spotFactorByAngle(const SceneLight& light, float cosine, Vector3 n, Vector3 direction);

// An angle that is not a number (rounding pushed the cosine out of [-1, 1], or the
// point sits on the light) counts as inside both cones.
[[gnu::always_inline]] inline float spotFactorWithin(const SceneLight& light, const ConeBounds& bounds, Vector3 p,
                                                     Vector3 n)
{
    Vector3 lightPosition = toVector(light.position);
    Vector3 direction = toVector(light.direction);
    const float cosine = dot(unitToward(lightPosition, p), direction);
    if (cosine >= -1.0f && double(cosine) < bounds.outside)
        return 0.0f;
    if (double(cosine) > bounds.inside)
        return -dot(n, direction);
    return spotFactorByAngle(light, cosine, n, direction);
}

float spotFactor(const SceneLight& light, Vector3 p, Vector3 n)
{
    thread_local ConeBounds cone;
    return spotFactorWithin(light, cone.of(light), p, n);
}

// The spot's factor from the angle of its cosine: near the cones' edges.
[[gnu::noinline]] float spotFactorByAngle(const SceneLight& light, float cosine, Vector3 n, Vector3 direction)
{
    float angle = std::acos(cosine);
    if (angle > light.falloff)
        return 0.0f;
    float k = -dot(n, direction);
    if (angle > light.hotspot && light.falloff > light.hotspot) {
        float s = (angle - light.hotspot) / (light.falloff - light.hotspot);
        if (light.spotExponent == 1.0f)
            k *= 1.0f - s;
        else
            k *= std::cos(std::pow(s * quarterTurn, light.spotExponent));
    }
    return k;
}

}  // namespace

float lightFactor(const SceneLight& light, Vector3 p, Vector3 n)
{
    switch (light.kind) {
    case LightKind::omni:
        return omniFactor(light, p, n);
    case LightKind::spot:
        return spotFactor(light, p, n);
    case LightKind::directional:
        return dot(toVector(light.direction), n);
    case LightKind::point:
        return dot(unitToward(p, toVector(light.position)), n);
    case LightKind::ambient:
        break;
    }
    return 0.0f;
}

void lightVertex(const SceneLight* lights, uint32_t lightCount, const MeshVertex& model, LitVertex& lit)
{
    Vector3 p{lit.x, lit.y, lit.z};
    Vector3 n{lit.nx, lit.ny, lit.nz};
    float sum[3] = {lit.baseR, lit.baseG, lit.baseB};
    for (uint32_t i = 0; i < lightCount; ++i) {
        const SceneLight& light = lights[i];
        // Ambient light adds its colour unscaled, whatever the normal.
        float k = light.kind == LightKind::ambient ? 1.0f : lightFactor(light, p, n);
        if (k > 0.0f)
            for (int c = 0; c < 3; ++c)
                sum[c] += k * light.colour[c];
    }
    for (float& channel : sum)
        if (channel > 1.0f)
            channel = 1.0f;
    lit.litR = sum[0] * model.r;
    lit.litG = sum[1] * model.g;
    lit.litB = sum[2] * model.b;
}

namespace {

// One light added to the running sums of every vertex, which wait in the lit colour: the
// light's kind is asked once, its fields are read once into a copy that no store to a
// vertex can change, and each vertex's sum grows in the order of lightVertex.
template <typename Factor>
void addLight(const SceneLight& light, LitVertex* lits, uint32_t count, Factor factor)
{
    const float red = light.colour[0], green = light.colour[1], blue = light.colour[2];
    for (uint32_t i = 0; i < count; ++i) {
        LitVertex& lit = lits[i];
        const float k = factor(Vector3{lit.x, lit.y, lit.z}, Vector3{lit.nx, lit.ny, lit.nz});
        if (k > 0.0f) {
            lit.litR += k * red;
            lit.litG += k * green;
            lit.litB += k * blue;
        }
    }
}

}  // namespace

void lightVertices(const SceneLight* lights, uint32_t lightCount, const MeshVertex* models, LitVertex* lits,
                   uint32_t count)
{
    for (uint32_t i = 0; i < count; ++i)
        lits[i].litR = lits[i].baseR, lits[i].litG = lits[i].baseG, lits[i].litB = lits[i].baseB;
    for (uint32_t l = 0; l < lightCount; ++l) {
        const SceneLight light = lights[l];
        switch (light.kind) {
        case LightKind::ambient:
            addLight(light, lits, count, [](Vector3, Vector3) { return 1.0f; });
            break;
        case LightKind::omni:
            addLight(light, lits, count, [&light](Vector3 p, Vector3 n) { return omniFactor(light, p, n); });
            break;
        case LightKind::spot: {
            ConeBounds bounds;
            bounds.remake(light);
            addLight(light, lits, count,
                     [&light, &bounds](Vector3 p, Vector3 n) { return spotFactorWithin(light, bounds, p, n); });
            break;
        }
        case LightKind::directional:
            addLight(light, lits, count, [&light](Vector3, Vector3 n) { return dot(toVector(light.direction), n); });
            break;
        case LightKind::point:
            addLight(light, lits, count,
                     [&light](Vector3 p, Vector3 n) { return dot(unitToward(p, toVector(light.position)), n); });
            break;
        }
    }
    for (uint32_t i = 0; i < count; ++i) {
        LitVertex& lit = lits[i];
        lit.litR = std::min(lit.litR, 1.0f) * models[i].r;
        lit.litG = std::min(lit.litG, 1.0f) * models[i].g;
        lit.litB = std::min(lit.litB, 1.0f) * models[i].b;
    }
}
