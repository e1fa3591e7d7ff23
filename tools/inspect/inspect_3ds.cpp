// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// mornakle-inspect FILE.3ds: what the engine's loader makes of a 3D Studio file.
#include "inspect.h"

#include "engine/scene_loader.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// JSON has no NaN or infinity; they are written as null.
std::string number(float value)
{
    if (!std::isfinite(value))
        return "null";
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", double(value));
    return text;
}

std::string numbers(const float* values, int count)
{
    std::string out = "[";
    for (int i = 0; i < count; ++i)
        out += (i ? ", " : "") + number(values[i]);
    return out + "]";
}

// Names are bytes from the file: control characters and bytes above 0x7F are escaped
// (read as Latin-1) so the output stays valid JSON whatever the file holds.
std::string quoted(const char* name)
{
    std::string out = "\"";
    for (const char* p = name; *p; ++p) {
        unsigned char c = static_cast<unsigned char>(*p);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += char(c);
        } else if (c < 0x20 || c >= 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else {
            out += char(c);
        }
    }
    return out + "\"";
}

const char* kindName(LightKind kind)
{
    static const char* const names[] = {"omni", "spot", "directional", "ambient", "point"};
    uint32_t index = static_cast<uint32_t>(kind);
    return index < 5 ? names[index] : "unknown";
}

void printMesh(const Mesh& mesh, bool last)
{
    std::printf("    {\"name\": %s, \"vertexCount\": %u, \"faceCount\": %u, \"transform\": %s}%s\n",
                quoted(mesh.name).c_str(), mesh.vertexCount, mesh.faceCount, numbers(mesh.transform, 16).c_str(),
                last ? "" : ",");
}

void printLight(const SceneLight& light, bool last)
{
    const float attenuation[3] = {light.attenuation0, light.attenuation1, light.attenuation2};
    std::printf("    {\"name\": %s, \"kind\": \"%s\", \"colour\": %s, \"position\": %s, \"direction\": %s, "
                "\"range\": %s, \"attenuation\": %s, \"hotspot\": %s, \"falloff\": %s, \"spotExponent\": %s}%s\n",
                quoted(light.name).c_str(), kindName(light.kind), numbers(light.colour, 3).c_str(),
                numbers(light.position, 3).c_str(), numbers(light.direction, 3).c_str(), number(light.range).c_str(),
                numbers(attenuation, 3).c_str(), number(light.hotspot).c_str(), number(light.falloff).c_str(),
                number(light.spotExponent).c_str(), last ? "" : ",");
}

void printCamera(const SceneCamera& camera)
{
    std::printf("  \"camera\": {\"name\": %s, \"position\": %s, \"target\": %s, \"roll\": %s, \"fieldOfView\": %s}\n",
                quoted(camera.name).c_str(), numbers(camera.position, 3).c_str(), numbers(camera.target, 3).c_str(),
                number(camera.roll).c_str(), number(camera.fieldOfView).c_str());
}

}  // namespace

int inspectScene(const char* path)
{
    Scene scene{};
    errno = 0;
    if (loadScene(path, &scene) != 0) {
        std::fprintf(stderr, "mornakle-inspect: %s: cannot be opened: %s\n", path,
                     errno ? std::strerror(errno) : "unreadable");
        return 1;
    }
    std::printf("{\n  \"meshes\": [\n");
    for (uint32_t i = 0; i < scene.meshCount; ++i)
        printMesh(scene.meshes[i], i + 1 == scene.meshCount);
    std::printf("  ],\n  \"lights\": [\n");
    for (uint32_t i = 0; i < scene.lightCount; ++i)
        printLight(scene.lights[i], i + 1 == scene.lightCount);
    std::printf("  ],\n");
    printCamera(scene.camera);
    std::printf("}\n");
    releaseScene(&scene);
    return 0;
}
