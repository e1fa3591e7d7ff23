// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// hus.3ds: a gabled house on a lawn, a picket fence and a ring of fir trees, lit by
// a warm spotlight and coloured omni lights. Mesh 0, the house, is one closed and
// finely gridded surface around its own centre so that the demo can swell it
// vertex by vertex without tearing it.
#include "exact_math.h"
#include "prng.h"
#include "scene_file.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace {

// The house, centred on the origin of its own frame (file units, z up).
constexpr float halfWidth = 22;   // x: the gable ends span the width
constexpr float halfLength = 32;  // y: the ridge runs along the length
constexpr float floorZ = -20;
constexpr float eavesZ = 4;  // top of the side walls
constexpr float ridgeZ = 20;
constexpr int wallRows = 10;     // grid cells up a wall
constexpr int roofCells = 10;    // grid cells from eaves to ridge
constexpr int gableRows = 6;     // cells up the gable triangle
constexpr int lengthCells = 28;  // grid cells along the ridge

constexpr float windowDepth = 1.4f;
constexpr float doorDepth = 1.8f;

float roofHeight(float x) { return eavesZ + (ridgeZ - eavesZ) * (1.0f - std::fabs(x) / halfWidth); }

// Openings are recesses: every grid vertex inside one moves into the wall, and the
// ring of vertices just around it stands out of the wall as a frame.
struct Recess {
    std::function<bool(Vec3, float)> contains;  // the opening grown by the given margin
    Vec3 inward;
};
constexpr float frameMargin = 2.0f;   // about one grid cell round the opening
constexpr float frameRelief = 0.45f;  // how far the frame stands out, as a share of the depth

std::vector<Recess> houseRecesses()
{
    std::vector<Recess> recesses;
    auto rect = [](int axisA, float a0, float a1, float z0, float z1, float wall, int wallAxis) {
        return [=](Vec3 p, float grow) {
            const float c[3] = {p.x, p.y, p.z};
            return std::fabs(c[wallAxis] - wall) < 1e-3f && c[axisA] > a0 - grow && c[axisA] < a1 + grow &&
                   p.z > z0 - grow - 1e-3f && p.z < z1 + grow;
        };
    };
    // Door in the front gable end (facing -y), reaching down to the floor.
    recesses.push_back({rect(0, -5.0f, 5.0f, floorZ, floorZ + 16.0f, -halfLength, 1), {0, doorDepth, 0}});
    // Two windows each side of the door, and three along each long wall.
    for (float x : {-14.0f, 14.0f})
        recesses.push_back({rect(0, x - 4.0f, x + 4.0f, -9.0f, -1.0f, -halfLength, 1), {0, windowDepth, 0}});
    for (float y : {-20.0f, 0.0f, 20.0f})
        for (float side : {-1.0f, 1.0f})
            recesses.push_back(
                {rect(1, y - 5.0f, y + 5.0f, -10.0f, -1.0f, side * halfWidth, 0), {-side * windowDepth, 0, 0}});
    // A round attic window in each gable.
    for (float side : {-1.0f, 1.0f})
        recesses.push_back({[side](Vec3 p, float grow) {
                                return std::fabs(p.y - side * halfLength) < 1e-3f &&
                                       exact::hypot(p.x, p.z - 11.0f) < 4.2f + grow;
                            },
                            {0, -side * windowDepth, 0}});
    return recesses;
}

// The gable end at y = side * halfLength: a grid whose columns follow the roof
// cells and whose rows follow the wall rows, then the gable triangle.
void gableEnd(MeshBuilder& house, float side)
{
    const int columns = 2 * roofCells;
    const int rows = wallRows + gableRows;
    auto at = [&](int i, int j) {
        float x = -halfWidth + 2.0f * halfWidth * float(i) / float(columns);
        float z = j <= wallRows ? floorZ + (eavesZ - floorZ) * float(j) / float(wallRows)
                                : eavesZ + (roofHeight(x) - eavesZ) * float(j - wallRows) / float(gableRows);
        return house.shared({x, side * halfLength, z});
    };
    for (int j = 0; j < rows; ++j)
        for (int i = 0; i < columns; ++i) {
            if (side < 0) {
                const uint16_t v3 = at(i, j + 1), v2 = at(i + 1, j + 1), v1 = at(i + 1, j), v0 = at(i, j);
                house.quad(v0, v1, v2, v3);
            } else {
                const uint16_t v3 = at(i + 1, j + 1), v2 = at(i, j + 1), v1 = at(i, j), v0 = at(i + 1, j);
                house.quad(v0, v1, v2, v3);
            }
        }
}

// Walls and roof as one swept profile: up the +x wall, over the ridge, down the -x wall.
void wallsAndRoof(MeshBuilder& house)
{
    std::vector<std::pair<float, float>> profile;  // (x, z)
    for (int j = 0; j <= wallRows; ++j)
        profile.push_back({halfWidth, floorZ + (eavesZ - floorZ) * float(j) / float(wallRows)});
    for (int i = 2 * roofCells - 1; i >= 0; --i) {
        float x = -halfWidth + 2.0f * halfWidth * float(i) / float(2 * roofCells);
        profile.push_back({x, roofHeight(x)});
    }
    for (int j = wallRows - 1; j >= 0; --j)
        profile.push_back({-halfWidth, floorZ + (eavesZ - floorZ) * float(j) / float(wallRows)});

    auto at = [&](size_t k, int l) {
        float y = -halfLength + 2.0f * halfLength * float(l) / float(lengthCells);
        return house.shared({profile[k].first, y, profile[k].second});
    };
    for (int l = 0; l < lengthCells; ++l)
        for (size_t k = 0; k + 1 < profile.size(); ++k) {
            const uint16_t v3 = at(k + 1, l), v2 = at(k + 1, l + 1), v1 = at(k, l + 1), v0 = at(k, l);
            house.quad(v0, v1, v2, v3);
        }
}

MeshData modelHouse()
{
    MeshBuilder house("House", "WhiteWash");
    wallsAndRoof(house);
    gableEnd(house, -1.0f);
    gableEnd(house, 1.0f);
    // A brick chimney through the +x roof slope, rising above the ridge.
    house.box({8.0f, 8.0f, 9.0f}, {13.0f, 13.0f, 25.0f}, 2, true);

    MeshData mesh = house.take();
    const std::vector<Recess> recesses = houseRecesses();
    std::vector<Vec3> moved = mesh.vertices;
    for (size_t i = 0; i < mesh.vertices.size(); ++i)
        for (const Recess& recess : recesses) {
            Vec3 p = mesh.vertices[i];
            if (recess.contains(p, 0))
                moved[i] = p + recess.inward;
            else if (recess.contains(p, frameMargin) && std::fabs(p.z - floorZ) > 1e-3f)
                moved[i] = p + recess.inward * -frameRelief;
        }
    mesh.vertices = moved;
    mesh.origin = {0, 0, 0};
    return mesh;
}

float groundHeight(float x, float y)
{
    float away = std::max(0.0f, exact::hypot(x, y) - 75.0f);
    return floorZ - 0.2f + away * 0.12f * (1.0f + exact::sin(x * 0.07f) * exact::cos(y * 0.05f));
}

// A lawn that rolls gently away from the yard, tessellated for the lights' falloff.
MeshData modelGround()
{
    constexpr float extent = 150;
    constexpr int cells = 16;
    MeshBuilder ground("Lawn", "Grass");
    auto at = [&](int i, int j) {
        float x = -extent + 2 * extent * float(i) / cells;
        float y = -extent + 2 * extent * float(j) / cells;
        return ground.shared({x, y, groundHeight(x, y)});
    };
    for (int j = 0; j < cells; ++j)
        for (int i = 0; i < cells; ++i) {
            const uint16_t v3 = at(i, j + 1), v2 = at(i + 1, j + 1), v1 = at(i + 1, j), v0 = at(i, j);
            ground.quad(v0, v1, v2, v3);
        }
    MeshData mesh = ground.take();
    mesh.mapping.reserve(mesh.vertices.size());
    for (Vec3 p : mesh.vertices)
        mesh.mapping.push_back({p.x / 16.0f, p.y / 16.0f});
    mesh.origin = boundsCentre(mesh);
    return mesh;
}

// A ring of mountains closing the valley, facing inward toward the house. Below
// its foot a skirt reaches in and down under the lawn, so that where the lawn's
// coarse grid dips below the true ground no gap opens between the two.
MeshData modelMountains()
{
    constexpr int segments = 48;
    constexpr float foot = 145, crest = 215;
    constexpr float skirtIn = 10, skirtDepth = 12;
    constexpr int rows = 3;
    MeshBuilder ring("Mountains", "Rock");
    auto at = [&](int i, int j) {
        float a = 2.0f * pi * float(i % segments) / segments;
        if (j < 0) {
            float r = foot - skirtIn;
            return ring.shared({r * exact::cos(a), r * exact::sin(a),
                                groundHeight(r * exact::cos(a), r * exact::sin(a)) - skirtDepth});
        }
        float t = float(j) / rows;
        float peak = 38.0f + 16.0f * exact::sin(a * 5.0f + 0.7f) + 9.0f * exact::sin(a * 11.0f + 2.1f) +
                     5.0f * exact::sin(a * 23.0f);
        float r = foot + (crest - foot) * t;
        float base = groundHeight(foot * exact::cos(a), foot * exact::sin(a));
        float z =
            base + (peak - base) * std::sqrt(t) + (j > 0 && j < rows ? 4.0f * exact::sin(a * 17.0f + float(j)) : 0);
        return ring.shared({r * exact::cos(a), r * exact::sin(a), z});
    };
    for (int i = 0; i < segments; ++i)
        for (int j = -1; j < rows; ++j) {
            const uint16_t v3 = at(i + 1, j), v2 = at(i + 1, j + 1), v1 = at(i, j + 1), v0 = at(i, j);
            ring.quad(v0, v1, v2, v3);
        }
    MeshData mesh = ring.take();
    mesh.origin = boundsCentre(mesh);
    return mesh;
}

MeshData modelTrees()
{
    MeshBuilder trees("Firs", "Needles");
    Prng prng(0x7EE5);
    constexpr int treeCount = 7;
    for (int t = 0; t < treeCount; ++t) {
        float angle = 2.0f * pi * (float(t) + prng.range(0.1f, 0.6f)) / treeCount;
        float radius = prng.range(72.0f, 95.0f);
        float scale = prng.range(0.8f, 1.25f);
        float fx = radius * exact::cos(angle), fy = radius * exact::sin(angle);
        Vec3 foot{fx, fy, groundHeight(fx, fy) + 2.0f};
        trees.frustum(foot + Vec3{0, 0, -3.0f}, 7.0f * scale, 1.6f * scale, 1.2f * scale, 6, false);
        trees.frustum(foot + Vec3{0, 0, 4.0f * scale}, 14.0f * scale, 9.0f * scale, 0, 9, true);
        trees.frustum(foot + Vec3{0, 0, 11.0f * scale}, 12.0f * scale, 6.5f * scale, 0, 9, true);
    }
    MeshData mesh = trees.take();
    mesh.origin = boundsCentre(mesh);
    return mesh;
}

MeshData modelFence()
{
    constexpr float fenceX = 46, fenceY = 56, postHeight = 7, gate = 9;
    MeshBuilder fence("Fence", "Paint");
    auto run = [&](Vec3 from, Vec3 to, int posts) {
        for (int i = 0; i <= posts; ++i) {
            Vec3 p = from + (to - from) * (float(i) / float(posts));
            fence.box(p + Vec3{-0.6f, -0.6f, floorZ - 1}, p + Vec3{0.6f, 0.6f, floorZ + postHeight});
        }
        Vec3 lo{std::min(from.x, to.x) - 0.25f, std::min(from.y, to.y) - 0.25f, 0};
        Vec3 hi{std::max(from.x, to.x) + 0.25f, std::max(from.y, to.y) + 0.25f, 0};
        for (float z : {2.0f, 5.0f})
            fence.box(lo + Vec3{0, 0, floorZ + z - 0.5f}, hi + Vec3{0, 0, floorZ + z + 0.5f});
    };
    run({-fenceX, fenceY, 0}, {fenceX, fenceY, 0}, 8);
    run({-fenceX, -fenceY, 0}, {-fenceX, fenceY, 0}, 10);
    run({fenceX, -fenceY, 0}, {fenceX, fenceY, 0}, 10);
    run({-fenceX, -fenceY, 0}, {-gate, -fenceY, 0}, 4);  // the front, with a gap for the gate
    run({gate, -fenceY, 0}, {fenceX, -fenceY, 0}, 4);
    MeshData mesh = fence.take();
    mesh.origin = boundsCentre(mesh);
    return mesh;
}

}  // namespace

SceneData modelHouseScene()
{
    SceneData scene;
    scene.materials = {{"WhiteWash", {0.2f, 0.2f, 0.2f}, {0.9f, 0.88f, 0.8f}, {1, 1, 1}},
                       {"Grass", {0.05f, 0.1f, 0.05f}, {0.3f, 0.6f, 0.25f}, {0.2f, 0.2f, 0.2f}},
                       {"Needles", {0.02f, 0.08f, 0.04f}, {0.1f, 0.4f, 0.2f}, {0.1f, 0.1f, 0.1f}},
                       {"Paint", {0.2f, 0.2f, 0.2f}, {0.95f, 0.95f, 0.95f}, {0.5f, 0.5f, 0.5f}},
                       {"Rock", {0.1f, 0.1f, 0.12f}, {0.5f, 0.45f, 0.5f}, {0.1f, 0.1f, 0.1f}}};
    scene.meshes.push_back(modelHouse());
    scene.meshes.push_back(modelGround());
    scene.meshes.push_back(modelTrees());
    scene.meshes.push_back(modelFence());
    scene.meshes.push_back(modelMountains());

    // The vertices are white, so a surface's colour is the sum of the lights on it,
    // cut off at full. Kept below full everywhere, the lit scene keeps its hues
    // (only the flashes wash it white): a low sun lights the walls more than the
    // lawn, and the other three only tint.
    LightData sun;
    sun.name = "Sunset";
    sun.position = {-130, -175, 55};
    sun.colour = {0.74f, 0.51f, 0.29f};
    sun.spot = true;
    sun.target = {0, 0, -5};
    sun.hotspot = 40;
    sun.falloff = 85;
    sun.range = 400;
    scene.lights.push_back(sun);

    LightData sky = omniLight("SkyGlow", {115, 60, 80}, {0.3f, 0.5f, 1.0f}, 330, 0.8f);
    LightData ember = omniLight("Ember", {-70, 110, 30}, {0.8f, 0.26f, 0.52f}, 200, 0.7f);
    LightData fill = omniLight("Moon", {20, 30, 190}, {0.1f, 0.12f, 0.18f}, 420, 1.0f);
    scene.lights.push_back(sky);
    scene.lights.push_back(ember);
    scene.lights.push_back(fill);

    scene.camera = {"Orbit", {0, -172, 46}, {0, 0, -3}, 0, 38};
    return scene;
}
