// The five kinds of light, one vertex at a time.
#include "engine/lighting.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

SceneLight light(LightKind kind, Vector3 position = {0, 0, 0}, Vector3 direction = {0, 0, 0})
{
    SceneLight l{};
    l.kind = kind;
    l.colour[0] = l.colour[1] = l.colour[2] = 1.0f;
    l.position[0] = position.x, l.position[1] = position.y, l.position[2] = position.z;
    l.direction[0] = direction.x, l.direction[1] = direction.y, l.direction[2] = direction.z;
    return l;
}

SceneLight omniLight(float range)
{
    SceneLight l = light(LightKind::omni);
    l.range = range;
    l.attenuation1 = 1.0f;
    return l;
}

// A spot at the origin shining along +z, and the point at angle theta from its axis.
SceneLight spotLight(float hotspot, float falloff, float exponent)
{
    SceneLight l = light(LightKind::spot, {0, 0, 0}, {0, 0, 1});
    l.hotspot = hotspot;
    l.falloff = falloff;
    l.spotExponent = exponent;
    return l;
}
Vector3 atAngle(float theta)
{
    return {10 * std::sin(theta), 0, 10 * std::cos(theta)};
}
const Vector3 facingSpot{0, 0, -1};

TEST(Lighting, OmniReachesOnlyInsideItsRangeBoxAndSphere)
{
    SceneLight l = omniLight(100);
    Vector3 facingLight{-1, 0, 0};
    EXPECT_EQ(lightFactor(l, {101, 0, 0}, facingLight), 0.0f);
    EXPECT_EQ(lightFactor(l, {60, 60, 60}, {-0.577f, -0.577f, -0.577f}), 0.0f);  // inside the box, 103.9 away
    EXPECT_FLOAT_EQ(lightFactor(l, {50, 0, 0}, facingLight), 0.5f);
    EXPECT_FLOAT_EQ(lightFactor(l, {50, 0, 0}, {-0.6f, 0.8f, 0}), 0.5f * 0.6f);  // scaled by u . N
    l.attenuation0 = 0.25f;
    l.attenuation2 = 2.0f;
    EXPECT_FLOAT_EQ(lightFactor(l, {50, 0, 0}, facingLight), 0.25f + 0.5f + 2.0f * 0.25f);
}

TEST(Lighting, PointsOnTheLightOrAtZeroRangeGetNothing)
{
    SceneLight l = omniLight(100);
    LitVertex lit{};
    MeshVertex model{};
    model.r = model.g = model.b = 1.0f;
    lightVertex(&l, 1, model, lit);  // at the light: the direction is not a number
    EXPECT_EQ(lit.litR, 0.0f);
    SceneLight p = light(LightKind::point);
    lightVertex(&p, 1, model, lit);
    EXPECT_EQ(lit.litR, 0.0f);
    SceneLight zero = omniLight(0);
    lit.x = 1e-3f;
    lightVertex(&zero, 1, model, lit);
    EXPECT_EQ(lit.litR, 0.0f);
}

TEST(Lighting, SpotFadesLinearlyBetweenHotspotAndFalloff)
{
    SceneLight l = spotLight(0.2f, 0.4f, 1.0f);
    EXPECT_FLOAT_EQ(lightFactor(l, atAngle(0.1f), facingSpot), 1.0f);
    EXPECT_NEAR(lightFactor(l, atAngle(0.3f), facingSpot), 0.5f, 1e-5);
    EXPECT_NEAR(lightFactor(l, atAngle(0.4f), facingSpot), 0.0f, 1e-5);
    EXPECT_EQ(lightFactor(l, atAngle(0.401f), facingSpot), 0.0f);
    EXPECT_LT(lightFactor(l, atAngle(0.3f), {0, 0, 1}), 0.0f);  // facing away: negative, adds nothing
}

TEST(Lighting, SpotExponentShapesTheEdgeByAPoweredQuarterCosine)
{
    SceneLight l = spotLight(0.2f, 0.4f, 2.0f);
    EXPECT_NEAR(lightFactor(l, atAngle(0.3f), facingSpot), std::cos(std::pow(0.5f * 1.570796f, 2.0f)), 1e-4);
}

TEST(Lighting, SpotWithoutAnEdgeLightsItsWholeFalloffCone)
{
    SceneLight l = spotLight(0.4f, 0.3f, 1.0f);
    EXPECT_FLOAT_EQ(lightFactor(l, atAngle(0.29f), facingSpot), 1.0f);
    EXPECT_EQ(lightFactor(l, atAngle(0.35f), facingSpot), 0.0f);
    SceneLight equal = spotLight(0.3f, 0.3f, 2.0f);
    EXPECT_FLOAT_EQ(lightFactor(equal, atAngle(0.29f), facingSpot), 1.0f);
}

TEST(Lighting, DirectionalAndPointLightsFollowTheNormal)
{
    SceneLight d = light(LightKind::directional, {}, {0, 1, 0});
    EXPECT_FLOAT_EQ(lightFactor(d, {5, 5, 5}, {0, 1, 0}), 1.0f);
    EXPECT_FLOAT_EQ(lightFactor(d, {5, 5, 5}, {0, -1, 0}), -1.0f);
    SceneLight p = light(LightKind::point, {0, 1000, 0});
    EXPECT_NEAR(lightFactor(p, {0, 0, 0}, {0, 1, 0}), 1.0f, 1e-6);
    EXPECT_NEAR(lightFactor(p, {0, 0, 0}, {0.6f, 0.8f, 0}), 0.8f, 1e-6);
}

TEST(Lighting, SumsClampAtOneAndAmbientLightsEvenFacesTurnedAway)
{
    SceneLight lights[4] = {light(LightKind::directional, {}, {0, 1, 0}), light(LightKind::ambient),
                            light(LightKind::ambient), light(LightKind(7))};
    lights[1].colour[0] = 0.7f, lights[1].colour[1] = 0.25f, lights[1].colour[2] = 0.0f;
    lights[2].colour[0] = 0.0f, lights[2].colour[1] = 0.0f, lights[2].colour[2] = -0.5f;
    MeshVertex model{};
    model.r = 1.0f, model.g = 1.0f, model.b = 0.5f;
    LitVertex lit{};
    lit.ny = -1.0f;  // turned away from the directional light
    lightVertex(lights, 4, model, lit);
    EXPECT_FLOAT_EQ(lit.litR, 0.7f);
    EXPECT_FLOAT_EQ(lit.litG, 0.25f);
    EXPECT_FLOAT_EQ(lit.litB, -0.25f);  // no lower clamp
    lit.ny = 1.0f;
    lightVertex(lights, 4, model, lit);
    EXPECT_EQ(lit.litR, 1.0f);  // 1.7 clamped
    EXPECT_EQ(lit.litG, 1.0f);
    EXPECT_FLOAT_EQ(lit.litB, 0.25f);
}

TEST(Lighting, TheSumStartsFromTheBaseColour)
{
    MeshVertex model{};
    model.r = model.g = model.b = 1.0f;
    LitVertex lit{};
    lit.baseR = 0.5f, lit.baseG = 2.0f, lit.baseB = 0.0f;
    lightVertex(nullptr, 0, model, lit);
    EXPECT_EQ(lit.litR, 0.5f);
    EXPECT_EQ(lit.litG, 1.0f);
    EXPECT_EQ(lit.litB, 0.0f);
}

}  // namespace
