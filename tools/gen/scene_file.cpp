// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "scene_file.h"

#include "chunk_writer.h"

#include <stdexcept>

namespace {

// Chunk ids of the 3D Studio format.
enum : uint16_t {
    mainChunk = 0x4D4D,
    fileVersion = 0x0002,
    editorChunk = 0x3D3D,
    meshVersion = 0x3D3E,
    masterScale = 0x0100,
    materialBlock = 0xAFFF,
    materialName = 0xA000,
    materialAmbient = 0xA010,
    materialDiffuse = 0xA020,
    materialSpecular = 0xA030,
    namedObject = 0x4000,
    triangleMesh = 0x4100,
    vertexList = 0x4110,
    faceList = 0x4120,
    faceMaterial = 0x4130,
    mappingCoords = 0x4140,
    smoothingGroups = 0x4150,
    localFrame = 0x4160,
    light = 0x4600,
    spotlight = 0x4610,
    lightRange = 0x465A,
    lightMultiplier = 0x465B,
    colourFloat = 0x0010,
    colourBytes = 0x0011,
    camera = 0x4700,
    cameraRanges = 0x4720,
    keyframer = 0xB000,
    keyframerHeader = 0xB00A,
    keyframerFrames = 0xB008,
    objectNode = 0xB002,
    cameraNode = 0xB003,
    omniNode = 0xB005,
    spotNode = 0xB007,
    nodeHeader = 0xB010,
    pivot = 0xB013,
};

constexpr uint32_t formatVersion = 3;
constexpr uint16_t faceFlagsAllEdgesVisible = 0x0007;
constexpr uint32_t everyFaceSmooth = 1;
constexpr size_t longestName = 127;

void checkName(const std::string& name)
{
    if (name.empty() || name.size() > longestName || name.find_first_of(" \t\r\n") != std::string::npos)
        throw std::invalid_argument("bad object name '" + name + "'");
}

uint8_t toByte(float c)
{
    float scaled = c * 255.0f + 0.5f;
    return uint8_t(scaled < 0 ? 0 : scaled > 255 ? 255 : scaled);
}

void writeByteColour(ChunkWriter& out, Colour c)
{
    out.begin(colourBytes);
    out.u8(toByte(c.r));
    out.u8(toByte(c.g));
    out.u8(toByte(c.b));
    out.end();
}

void writeVersion(ChunkWriter& out, uint16_t id)
{
    out.begin(id);
    out.u32(formatVersion);
    out.end();
}

void writeMaterial(ChunkWriter& out, const MaterialData& material)
{
    out.begin(materialBlock);
    out.begin(materialName);
    out.text(material.name);
    out.end();
    const std::pair<uint16_t, Colour> colours[] = {{materialAmbient, material.ambient},
                                                   {materialDiffuse, material.diffuse},
                                                   {materialSpecular, material.specular}};
    for (auto [id, colour] : colours) {
        out.begin(id);
        writeByteColour(out, colour);
        out.end();
    }
    out.end();
}

void writeMesh(ChunkWriter& out, const MeshData& mesh)
{
    checkName(mesh.name);
    out.begin(namedObject);
    out.text(mesh.name);
    out.begin(triangleMesh);

    out.begin(vertexList);
    out.u16(uint16_t(mesh.vertices.size()));
    for (Vec3 p : mesh.vertices) {
        out.f32(p.x);
        out.f32(p.y);
        out.f32(p.z);
    }
    out.end();

    if (!mesh.mapping.empty()) {
        if (mesh.mapping.size() != mesh.vertices.size())
            throw std::invalid_argument("mapping of " + mesh.name + " does not match its vertices");
        out.begin(mappingCoords);
        out.u16(uint16_t(mesh.mapping.size()));
        for (auto uv : mesh.mapping) {
            out.f32(uv[0]);
            out.f32(uv[1]);
        }
        out.end();
    }

    out.begin(localFrame);
    const float unitAxes[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    for (float a : unitAxes)
        out.f32(a);
    out.f32(mesh.origin.x);
    out.f32(mesh.origin.y);
    out.f32(mesh.origin.z);
    out.end();

    out.begin(faceList);
    out.u16(uint16_t(mesh.faces.size()));
    for (auto f : mesh.faces) {
        if (f[0] >= mesh.vertices.size() || f[1] >= mesh.vertices.size() || f[2] >= mesh.vertices.size())
            throw std::out_of_range("face index outside mesh " + mesh.name);
        out.u16(f[0]);
        out.u16(f[1]);
        out.u16(f[2]);
        out.u16(faceFlagsAllEdgesVisible);
    }
    if (!mesh.material.empty()) {
        out.begin(faceMaterial);
        out.text(mesh.material);
        out.u16(uint16_t(mesh.faces.size()));
        for (size_t i = 0; i < mesh.faces.size(); ++i)
            out.u16(uint16_t(i));
        out.end();
    }
    out.begin(smoothingGroups);
    for (size_t i = 0; i < mesh.faces.size(); ++i)
        out.u32(everyFaceSmooth);
    out.end();
    out.end();  // face list

    out.end();  // triangle mesh
    out.end();  // named object
}

void writeLight(ChunkWriter& out, const LightData& l)
{
    checkName(l.name);
    out.begin(namedObject);
    out.text(l.name);
    out.begin(light);
    out.f32(l.position.x);
    out.f32(l.position.y);
    out.f32(l.position.z);
    out.begin(colourFloat);
    out.f32(l.colour.r);
    out.f32(l.colour.g);
    out.f32(l.colour.b);
    out.end();
    if (l.spot) {
        out.begin(spotlight);
        out.f32(l.target.x);
        out.f32(l.target.y);
        out.f32(l.target.z);
        out.f32(l.hotspot);
        out.f32(l.falloff);
        out.end();
    }
    if (l.range > 0) {
        out.begin(lightRange);
        out.f32(l.range);
        out.end();
    }
    out.begin(lightMultiplier);
    out.f32(l.multiplier);
    out.end();
    out.end();
    out.end();
}

void writeCamera(ChunkWriter& out, const CameraData& c)
{
    checkName(c.name);
    out.begin(namedObject);
    out.text(c.name);
    out.begin(camera);
    for (Vec3 p : {c.position, c.target}) {
        out.f32(p.x);
        out.f32(p.y);
        out.f32(p.z);
    }
    out.f32(c.roll);
    out.f32(c.lens);
    out.begin(cameraRanges);
    out.f32(10.0f);   // near
    out.f32(500.0f);  // far
    out.end();
    out.end();
    out.end();
}

void writeNode(ChunkWriter& out, uint16_t kind, const std::string& name)
{
    out.begin(kind);
    out.begin(nodeHeader);
    out.text(name);
    out.u16(0x4000);  // flags
    out.u16(0);
    out.u16(0xFFFF);  // no parent
    out.end();
    if (kind == objectNode) {
        out.begin(pivot);
        out.f32(0);
        out.f32(0);
        out.f32(0);
        out.end();
    }
    out.end();
}

// Enough of a keyframer block for a viewer to build its node tree: one node for every
// object. The demo skips the whole block.
void writeKeyframer(ChunkWriter& out, const SceneData& scene)
{
    out.begin(keyframer);
    out.begin(keyframerHeader);
    out.u16(5);
    out.text("MAQUETTE");
    out.u32(100);
    out.end();
    out.begin(keyframerFrames);
    out.u32(0);
    out.u32(100);
    out.end();
    for (const MeshData& mesh : scene.meshes)
        writeNode(out, objectNode, mesh.name);
    for (const LightData& l : scene.lights)
        writeNode(out, l.spot ? spotNode : omniNode, l.name);
    writeNode(out, cameraNode, scene.camera.name);
    out.end();
}

}  // namespace

std::vector<uint8_t> encodeScene(const SceneData& scene)
{
    ChunkWriter out;
    out.begin(mainChunk);
    writeVersion(out, fileVersion);
    out.begin(editorChunk);
    writeVersion(out, meshVersion);
    for (const MaterialData& m : scene.materials)
        writeMaterial(out, m);
    out.begin(masterScale);
    out.f32(1.0f);
    out.end();
    for (const MeshData& mesh : scene.meshes)
        writeMesh(out, mesh);
    for (const LightData& l : scene.lights)
        writeLight(out, l);
    writeCamera(out, scene.camera);
    out.end();  // editor
    writeKeyframer(out, scene);
    out.end();  // main
    if (!out.balanced())
        throw std::logic_error("unbalanced chunks");
    return out.bytes();
}
