// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// light.3ds: a geodesic lattice of radius 40 around the origin, wound to face its
// centre because the demo looks at it in wireframe from inside, with a smooth
// torus at its heart for the wandering light to play over.
#include "exact_math.h"
#include "scene_file.h"

#include <array>
#include <cmath>
#include <map>
#include <utility>

namespace {

constexpr float latticeRadius = 40;
constexpr int latticeFrequency = 5;  // each icosahedron edge cut into this many

// The twelve corners and twenty faces of an icosahedron (counter-clockwise from outside).
std::array<Vec3, 12> icosahedronCorners()
{
    const float g = (1.0f + std::sqrt(5.0f)) * 0.5f;
    return {{{-1, g, 0},
             {1, g, 0},
             {-1, -g, 0},
             {1, -g, 0},
             {0, -1, g},
             {0, 1, g},
             {0, -1, -g},
             {0, 1, -g},
             {g, 0, -1},
             {g, 0, 1},
             {-g, 0, -1},
             {-g, 0, 1}}};
}

constexpr int icosahedronFaces[20][3] = {{0, 11, 5}, {0, 5, 1},  {0, 1, 7},   {0, 7, 10}, {0, 10, 11},
                                         {1, 5, 9},  {5, 11, 4}, {11, 10, 2}, {10, 7, 6}, {7, 1, 8},
                                         {3, 9, 4},  {3, 4, 2},  {3, 2, 6},   {3, 6, 8},  {3, 8, 9},
                                         {4, 9, 5},  {2, 4, 11}, {6, 2, 10},  {8, 6, 7},  {9, 8, 1}};

MeshData modelLattice()
{
    MeshBuilder lattice("Lattice", "Neon");
    const auto corners = icosahedronCorners();
    const int f = latticeFrequency;
    for (const auto& face : icosahedronFaces) {
        Vec3 a = corners[size_t(face[0])], b = corners[size_t(face[1])], c = corners[size_t(face[2])];
        auto at = [&](int i, int j) {  // i steps toward b, j toward c
            Vec3 p = a + (b - a) * (float(i) / f) + (c - a) * (float(j) / f);
            return lattice.shared(normalized(p) * latticeRadius);
        };
        // Reversed winding: every triangle faces the centre.
        for (int j = 0; j < f; ++j)
            for (int i = 0; i + j < f; ++i) {
                const uint16_t v2 = at(i + 1, j), v1 = at(i, j + 1), v0 = at(i, j);
                lattice.triangle(v0, v1, v2);
                if (i + j + 1 < f) {
                    const uint16_t u2 = at(i + 1, j + 1), u1 = at(i, j + 1), u0 = at(i + 1, j);
                    lattice.triangle(u0, u1, u2);
                }
            }
    }
    MeshData mesh = lattice.take();
    mesh.origin = {0, 0, 0};
    return mesh;
}

// A torus tilted out of the horizontal, shared vertices for smooth shading.
MeshData modelCore()
{
    constexpr float major = 8.5f, minor = 2.8f, tilt = 0.6f;
    constexpr int around = 28, across = 12;
    MeshBuilder core("Core", "Glass");
    auto at = [&](int i, int j) {
        float a = 2.0f * pi * float(i % around) / around;
        float b = 2.0f * pi * float(j % across) / across;
        float r = major + minor * exact::cos(b);
        Vec3 p{r * exact::cos(a), r * exact::sin(a), minor * exact::sin(b)};
        // Tilt about the x axis.
        return core.shared(
            {p.x, p.y * exact::cos(tilt) - p.z * exact::sin(tilt), p.y * exact::sin(tilt) + p.z * exact::cos(tilt)});
    };
    for (int i = 0; i < around; ++i)
        for (int j = 0; j < across; ++j) {
            const uint16_t v3 = at(i, j + 1), v2 = at(i + 1, j + 1), v1 = at(i + 1, j), v0 = at(i, j);
            core.quad(v0, v1, v2, v3);
        }
    MeshData mesh = core.take();
    mesh.mapping.reserve(mesh.vertices.size());
    for (size_t k = 0; k < mesh.vertices.size(); ++k)
        mesh.mapping.push_back({float(k % around) / around, float(k / around) / across});
    mesh.origin = {0, 0, 0};
    return mesh;
}

}  // namespace

SceneData modelLightScene()
{
    SceneData scene;
    scene.materials = {{"Neon", {0.1f, 0.0f, 0.2f}, {0.6f, 0.3f, 1.0f}, {1, 1, 1}},
                       {"Glass", {0.05f, 0.05f, 0.1f}, {0.7f, 0.8f, 1.0f}, {1, 1, 1}}};
    scene.meshes.push_back(modelLattice());
    scene.meshes.push_back(modelCore());

    scene.lights.push_back(omniLight("Heart", {0, 0, 0}, {0.55f, 0.3f, 1.0f}, 95, 1.3f));
    // Light 1 is the wanderer: the demo moves it on a radius-20 path.
    scene.lights.push_back(omniLight("Wanderer", {0, 0, 20}, {1.0f, 0.62f, 0.2f}, 62, 1.6f));
    scene.lights.push_back(omniLight("Rim", {0, 34, 30}, {0.2f, 0.85f, 0.9f}, 75, 1.2f));

    scene.camera = {"Inside", {0, -30, 0}, {0, 0, 0}, 0, 28};
    return scene;
}
