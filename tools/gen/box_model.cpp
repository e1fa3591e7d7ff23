// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// box.3ds: a bevelled cube with a leaning stack of blocks and a ring of small
// cubes, all within 20 units of the origin, for a camera that circles at 50.
#include "exact_math.h"
#include "scene_file.h"

#include <cmath>

namespace {

// A cube of half-size h whose edges are cut by a bevel of width b; every facet has
// vertices of its own so that the bevels catch the light as bright seams.
void bevelledCube(MeshBuilder& mesh, float h, float b, int cells)
{
    const float in = h - b;
    const Vec3 axes[6] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
    auto order = [](Vec3 a) { return a.x * 4 + a.y * 2 + a.z; };  // distinct for the six axes
    for (Vec3 n : axes) {
        Vec3 u = std::fabs(n.x) > 0 ? Vec3{0, 1, 0} : Vec3{1, 0, 0};
        Vec3 v = cross(n, u);
        Vec3 c = n * h;
        mesh.panelFacing(c - u * in - v * in, c + u * in - v * in, c + u * in + v * in, c - u * in + v * in, n, cells,
                         cells);
        // One bevel strip per edge, made by the face of the two with the larger order.
        for (Vec3 t : axes) {
            if (std::fabs(dot(t, n)) > 0 || order(n) < order(t))
                continue;
            Vec3 s = cross(n, t);
            mesh.panelFacing(c + t * in - s * in, c + t * in + s * in, t * h + n * in + s * in, t * h + n * in - s * in,
                             n + t, cells, 1);
        }
    }
    for (int corner = 0; corner < 8; ++corner) {
        Vec3 sign{corner & 1 ? 1.0f : -1.0f, corner & 2 ? 1.0f : -1.0f, corner & 4 ? 1.0f : -1.0f};
        Vec3 px{sign.x * h, sign.y * in, sign.z * in}, py{sign.x * in, sign.y * h, sign.z * in},
            pz{sign.x * in, sign.y * in, sign.z * h};
        const uint16_t v2 = mesh.fresh(pz), v1 = mesh.fresh(py), v0 = mesh.fresh(px);  // last first: see quad()
        mesh.triangleFacing(v0, v1, v2, sign);
    }
}

MeshData modelCube()
{
    MeshBuilder cube("BevelCube", "Chrome");
    bevelledCube(cube, 7.0f, 1.6f, 4);
    MeshData mesh = cube.take();
    mesh.origin = boundsCentre(mesh);
    return mesh;
}

// Each block sits sunk into the one below by twice the bevel: set on top, the two
// bevels would leave a groove between the blocks through which the background
// shows, and sunk by one bevel its twisted corners, which reach past the block
// beneath, would still leave a notch under them. So its full-width sides meet the
// top face beneath, and where a corner overhangs it reaches down past the bevel.
MeshData modelStack()
{
    MeshBuilder stack("Stack", "Brass");
    constexpr float bevel = 0.6f;
    float z = -9.0f;
    const float sizes[3] = {4.0f, 3.0f, 2.0f};
    for (int i = 0; i < 3; ++i) {
        MeshBuilder block("block");
        float s = sizes[i];
        bevelledCube(block, s, bevel, 2);
        stack.append(block.data(), 0.35f * float(i), {12.0f, -2.0f + float(i) * 0.6f, z + s});
        z += 2.0f * (s - bevel);
    }
    MeshData mesh = stack.take();
    mesh.origin = boundsCentre(mesh);
    return mesh;
}

MeshData modelSatellites()
{
    MeshBuilder ring("Satellites", "Plastic");
    constexpr int count = 6;
    for (int i = 0; i < count; ++i) {
        float a = 2.0f * pi * (float(i) + 0.5f) / count;
        MeshBuilder cube("cube");
        cube.box({-1.8f, -1.8f, -1.8f}, {1.8f, 1.8f, 1.8f}, 2);
        ring.append(cube.data(), a, {14.5f * exact::cos(a), 14.5f * exact::sin(a), 6.0f * exact::sin(3.0f * a)});
    }
    MeshData mesh = ring.take();
    mesh.origin = boundsCentre(mesh);
    return mesh;
}

}  // namespace

SceneData modelBoxScene()
{
    SceneData scene;
    scene.materials = {{"Chrome", {0.1f, 0.1f, 0.1f}, {0.8f, 0.8f, 0.85f}, {1, 1, 1}},
                       {"Brass", {0.1f, 0.08f, 0.02f}, {0.8f, 0.6f, 0.2f}, {1, 0.9f, 0.6f}},
                       {"Plastic", {0.05f, 0.05f, 0.1f}, {0.3f, 0.4f, 0.9f}, {0.8f, 0.8f, 0.8f}}};
    scene.meshes.push_back(modelCube());
    scene.meshes.push_back(modelStack());
    scene.meshes.push_back(modelSatellites());

    // Light 0 circles in the horizontal plane at its height, light 1 in the vertical
    // x-y plane at its depth; both reach across the whole group.
    scene.lights.push_back(omniLight("Flare", {40, 40, 9}, {1.0f, 0.38f, 0.15f}, 115, 1.6f));
    scene.lights.push_back(omniLight("Ice", {-40, -14, 20}, {0.25f, 0.6f, 1.0f}, 105, 1.6f));
    // Still lights from the other sides, each its own colour, so that every face the
    // circling camera sees has a hue of its own.
    scene.lights.push_back(omniLight("Halo", {0, 10, 62}, {0.85f, 0.3f, 1.0f}, 125, 0.8f));
    scene.lights.push_back(omniLight("Under", {0, -10, -62}, {0.1f, 0.3f, 0.95f}, 125, 0.8f));
    scene.lights.push_back(omniLight("Front", {-12, -62, 8}, {1.0f, 0.75f, 0.3f}, 125, 1.1f));
    scene.lights.push_back(omniLight("Rear", {12, 62, -8}, {0.15f, 0.9f, 1.0f}, 125, 0.8f));
    scene.lights.push_back(omniLight("Left", {-62, 8, -12}, {1.0f, 0.22f, 0.45f}, 125, 0.8f));
    scene.lights.push_back(omniLight("Right", {62, -8, 12}, {1.0f, 0.55f, 0.1f}, 125, 0.8f));

    scene.camera = {"Circler", {0, -50, 0}, {0, 0, 0}, 0, 52};
    return scene;
}
