// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "engine/lighting.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

SceneLight light(LightKind kind, Vector3 position = {}, Vector3 direction = {})
{
    SceneLight l{};
    l.kind = kind;
    l.colour[0] = l.colour[1] = l.colour[2] = 1.0f;
    l.position[0] = position.x, l.position[1] = position.y, l.position[2] = position.z;
    l.direction[0] = direction.x, l.direction[1] = direction.y, l.direction[2] = direction.z;
    return l;
}

SceneLight omni(float range, float a0 = 0, float a1 = 1, float a2 = 0)
{
    SceneLight l = light(LightKind::omni);
    l.range = range, l.attenuation0 = a0, l.attenuation1 = a1, l.attenuation2 = a2;
    return l;
}

// A spot at the origin shining along +z, and the point at angle theta from its axis.
SceneLight spot(float hotspot, float falloff, float exponent)
{
    SceneLight l = light(LightKind::spot, {0, 0, 0}, {0, 0, 1});
    l.hotspot = hotspot, l.falloff = falloff, l.spotExponent = exponent;
    return l;
}
Vector3 atAngle(float theta) { return {10 * std::sin(theta), 0, 10 * std::cos(theta)}; }

TEST(Lighting, FactorFollowsTheLightsKindDistanceAngleAndNormal)
{
    const Vector3 left{-1, 0, 0}, towardSpot{0, 0, -1};
    const struct {
        const char* what;
        SceneLight light;
        Vector3 position, normal;
        float factor, tolerance;
    } cases[] = {
        {"omni beyond its range", omni(100), {101, 0, 0}, left, 0, 0},
        {"omni inside its range box but 103.9 away", omni(100), {60, 60, 60}, {-0.577f, -0.577f, -0.577f}, 0, 0},
        {"omni halfway", omni(100), {50, 0, 0}, left, 0.5f, 1e-6f},
        {"omni halfway scaled by u.N", omni(100), {50, 0, 0}, {-0.6f, 0.8f, 0}, 0.5f * 0.6f, 1e-6f},
        {"omni polynomial falloff", omni(100, 0.25f, 1, 2), {50, 0, 0}, left, 0.25f + 0.5f + 2 * 0.25f, 1e-6f},
        {"spot inside the hotspot", spot(0.2f, 0.4f, 1), atAngle(0.1f), towardSpot, 1, 1e-6f},
        {"spot halfway along its edge", spot(0.2f, 0.4f, 1), atAngle(0.3f), towardSpot, 0.5f, 1e-5f},
        {"spot at its falloff", spot(0.2f, 0.4f, 1), atAngle(0.4f), towardSpot, 0, 1e-5f},
        {"spot beyond its falloff", spot(0.2f, 0.4f, 1), atAngle(0.401f), towardSpot, 0, 0},
        {"spot facing away", spot(0.2f, 0.4f, 1), atAngle(0.3f), {0, 0, 1}, -0.5f, 1e-5f},
        {"spot edge of exponent 2", spot(0.2f, 0.4f, 2), atAngle(0.3f), towardSpot,
         std::cos(std::pow(0.5f * 1.570796f, 2.0f)), 1e-4f},
        {"spot with falloff below hotspot", spot(0.4f, 0.3f, 1), atAngle(0.29f), towardSpot, 1, 1e-6f},
        {"spot with falloff below hotspot, outside", spot(0.4f, 0.3f, 1), atAngle(0.35f), towardSpot, 0, 0},
        {"spot with falloff equal to hotspot", spot(0.3f, 0.3f, 2), atAngle(0.29f), towardSpot, 1, 1e-6f},
        {"directional facing", light(LightKind::directional, {}, {0, 1, 0}), {5, 5, 5}, {0, 1, 0}, 1, 1e-6f},
        {"directional turned away", light(LightKind::directional, {}, {0, 1, 0}), {5, 5, 5}, {0, -1, 0}, -1, 1e-6f},
        {"point facing", light(LightKind::point, {0, 1000, 0}), {0, 0, 0}, {0, 1, 0}, 1, 1e-6f},
        {"point at a slant", light(LightKind::point, {0, 1000, 0}), {0, 0, 0}, {0.6f, 0.8f, 0}, 0.8f, 1e-6f},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(lightFactor(c.light, c.position, c.normal), c.factor, c.tolerance) << c.what;
}

MeshVertex model(float r, float g, float b)
{
    MeshVertex m{};
    m.r = r, m.g = g, m.b = b;
    return m;
}

TEST(Lighting, PointsOnTheLightOrAtZeroRangeGetNothing)
{
    // at the light the direction is not a number; a zero range reaches only that point
    const std::pair<SceneLight, float> cases[] = {{omni(100), 0.0f}, {light(LightKind::point), 0.0f}, {omni(0), 1e-3f}};
    for (auto [l, x] : cases) {
        LitVertex lit{};
        lit.x = x;
        lit.nx = -1.0f;  // facing the light
        lightVertex(&l, 1, model(1, 1, 1), lit);
        EXPECT_EQ(lit.litR, 0.0f) << x;
    }
}

TEST(Lighting, SumsStartFromTheBaseClampAtOneAndAmbientLightsEvenFacesTurnedAway)
{
    SceneLight lights[4] = {light(LightKind::directional, {}, {0, 1, 0}), light(LightKind::ambient),
                            light(LightKind::ambient), light(LightKind(7))};
    lights[1].colour[0] = 0.7f, lights[1].colour[1] = 0.25f, lights[1].colour[2] = 0.0f;
    lights[2].colour[0] = 0.0f, lights[2].colour[1] = 0.0f, lights[2].colour[2] = -0.5f;
    LitVertex lit{};
    lit.ny = -1.0f;  // turned away from the directional light
    lightVertex(lights, 4, model(1, 1, 0.5f), lit);
    EXPECT_FLOAT_EQ(lit.litR, 0.7f);
    EXPECT_FLOAT_EQ(lit.litG, 0.25f);
    EXPECT_FLOAT_EQ(lit.litB, -0.25f);  // no lower clamp
    lit.ny = 1.0f;
    lightVertex(lights, 4, model(1, 1, 0.5f), lit);
    EXPECT_EQ(std::pair(lit.litR, lit.litG), std::pair(1.0f, 1.0f));  // 1.7 clamped
    EXPECT_FLOAT_EQ(lit.litB, 0.25f);

    LitVertex based{};
    based.baseR = 0.5f, based.baseG = 2.0f;
    lightVertex(nullptr, 0, model(1, 1, 1), based);
    EXPECT_EQ((std::array{based.litR, based.litG, based.litB}), (std::array{0.5f, 1.0f, 0.0f}));
}

// A spot's factor is the one its angle gives, bit for bit, at every angle: whether or
// not the angle itself is worked out, for cones of every shape, a cone wider than half
// a turn, negative or missing angles among them, and a light turned to every cone in
// turn.
TEST(Lighting, SpotFactorsAreThoseOfTheirAnglesExactly)
{
    const float nan = std::nanf("");
    const float cones[][2] = {{0.349f, 0.742f}, {0.4f, 0.3f}, {0.0f, 0.0f}, {-0.2f, 0.5f}, {0.3f, -0.1f},
                              {1.0f, 3.5f},     {0.5f, 3.0f}, {2.5f, 3.1f}, {nan, 0.5f},   {0.2f, nan}};
    const Vector3 axis{0, 0, 1}, normal{0.2f, -0.3f, -0.9f};
    auto byAngle = [&](const SceneLight& l, Vector3 p) {
        const float length = std::sqrt(dot(p, p));
        const float angle = std::acos(dot({p.x / length, p.y / length, p.z / length}, axis));
        if (angle > l.falloff)
            return 0.0f;
        float k = -dot(normal, axis);
        if (angle > l.hotspot && l.falloff > l.hotspot) {
            const float s = (angle - l.hotspot) / (l.falloff - l.hotspot);
            k *= l.spotExponent == 1.0f ? 1.0f - s : std::cos(std::pow(s * 1.570796f, l.spotExponent));
        }
        return k;
    };
    int differing = 0;
    for (float exponent : {1.0f, 2.0f})
        for (const auto& cone : cones) {
            const SceneLight l = spot(cone[0], cone[1], exponent);
            for (int step = 0; step <= 40000; ++step) {
                const float theta = float(step) * (3.1416f / 40000);
                const Vector3 p{13 * std::sin(theta), 0.5f * std::sin(3 * theta), 13 * std::cos(theta)};
                const float got = lightFactor(l, p, normal), wanted = byAngle(l, p);
                if (std::memcmp(&got, &wanted, sizeof got) != 0 && ++differing <= 5)
                    ADD_FAILURE() << "cone " << cone[0] << "-" << cone[1] << " exponent " << exponent << " at " << theta
                                  << ": " << got << ", by the angle " << wanted;
            }
        }
    EXPECT_EQ(differing, 0);
}

// Lighting a mesh a light at a time gives every vertex the bits lightVertex gives it: for
// every kind of light (an unknown one too), two spots of different cones in turn, points
// in and out of range and of the cones, faces toward and away, sums that clamp, and a
// base colour.
TEST(Lighting, AMeshLitAtOnceMatchesEachVertexLitAlone)
{
    SceneLight lights[] = {omni(30, 0.2f, 0.7f, 0.1f), spot(0.349f, 0.742f, 1.0f),
                           light(LightKind::ambient),  light(LightKind::directional, {}, {0.6f, 0.8f, 0}),
                           spot(0.2f, 1.1f, 2.0f),     light(LightKind::point, {3, -4, 5}),
                           light(LightKind(9)),        omni(8)};
    lights[2].colour[0] = 0.1f, lights[2].colour[1] = 0.05f, lights[2].colour[2] = 0.3f;
    lights[4].position[0] = 2, lights[4].direction[0] = 0.6f, lights[4].direction[2] = 0.8f;
    lights[4].colour[1] = 0.4f;
    constexpr uint32_t count = 600;
    std::vector<MeshVertex> models(count);
    std::vector<LitVertex> together(count), alone(count);
    for (uint32_t i = 0; i < count; ++i) {
        const float t = float(i) * 0.37f;
        LitVertex& v = together[i];
        v.x = 25 * std::sin(t), v.y = 12 * std::cos(1.3f * t), v.z = 20 * std::sin(0.7f * t + 1);
        const float nx = std::cos(2.1f * t), ny = std::sin(1.7f * t), nz = std::cos(0.9f * t + 2);
        const float length = std::sqrt(nx * nx + ny * ny + nz * nz);
        v.nx = nx / length, v.ny = ny / length, v.nz = nz / length;
        v.baseR = i % 5 == 0 ? 0.25f : 0.0f;
        models[i] = model(1.0f - float(i % 7) * 0.1f, 0.5f + float(i % 3) * 0.2f, 1.0f);
        alone[i] = v;
    }
    const uint32_t lightCount = sizeof lights / sizeof lights[0];
    lightVertices(lights, lightCount, models.data(), together.data(), count);
    int differing = 0, lit = 0, clamped = 0;
    for (uint32_t i = 0; i < count; ++i) {
        lightVertex(lights, lightCount, models[i], alone[i]);
        const float got[3] = {together[i].litR, together[i].litG, together[i].litB};
        const float wanted[3] = {alone[i].litR, alone[i].litG, alone[i].litB};
        differing += std::memcmp(got, wanted, sizeof got) != 0;
        lit += wanted[1] > 0.5f * models[i].g;
        clamped += wanted[1] == models[i].g;
    }
    EXPECT_EQ(differing, 0);
    // The points reach both lit and clamped sums, so that both paths are compared.
    EXPECT_GT(lit, 50);
    EXPECT_GT(clamped, 10);
}

}  // namespace
