// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// A whole 3D Studio scene as the generator models it, and its file encoding.
#pragma once

#include "mesh_builder.h"

#include <cstdint>
#include <string>
#include <vector>

struct Colour {
    float r = 1, g = 1, b = 1;
};

struct MaterialData {
    std::string name;
    Colour ambient, diffuse, specular;
};

struct LightData {
    std::string name;
    Vec3 position;
    Colour colour;
    float range = 0;       // written when above 0
    float multiplier = 1;  // the loader's linear attenuation coefficient
    bool spot = false;
    Vec3 target;        // spot only
    float hotspot = 0;  // full cone, degrees
    float falloff = 0;  // full cone, degrees
};

inline LightData omniLight(std::string name, Vec3 position, Colour colour, float range, float multiplier)
{
    LightData light;
    light.name = std::move(name);
    light.position = position;
    light.colour = colour;
    light.range = range;
    light.multiplier = multiplier;
    return light;
}

struct CameraData {
    std::string name;
    Vec3 position, target;
    float roll = 0;   // degrees in the file
    float lens = 50;  // millimetres
};

struct SceneData {
    std::vector<MaterialData> materials;
    std::vector<MeshData> meshes;
    std::vector<LightData> lights;
    CameraData camera;
};

// Encodes the scene: version records, materials, objects (meshes, then lights, then
// the camera) inside the editor chunk, then a keyframer block naming every object.
std::vector<uint8_t> encodeScene(const SceneData& scene);

// The three scenes of the show.
SceneData modelHouseScene();
SceneData modelBoxScene();
SceneData modelLightScene();
