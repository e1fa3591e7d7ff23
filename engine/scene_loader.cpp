// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "engine/scene_loader.h"

#include "engine/chunk_ids.h"
#include "engine/scene_loading.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// The name of the last named object met. It outlives a load, so a mesh, light or
// camera before any named object takes the name left by the previous load.
char currentName[sceneNameSize];

// The main and editor chunks are stepped into right after their header; their
// version records are then skipped by their own lengths like any chunk.
ChunkStep stepInto(LoadState&) { return ChunkStep::next; }

// The name is taken whole up to its terminating zero (spaces included) and cut to
// what a stored name holds; the walk goes on after the zero.
ChunkStep readNamedObject(LoadState& state)
{
    ByteReader& in = state.reader;
    const void* end = std::memchr(in.data + in.position, 0, in.size - in.position);
    if (end == nullptr)
        return ChunkStep::stop;
    size_t length = static_cast<const uint8_t*>(end) - (in.data + in.position);
    size_t kept = length < sceneNameSize - 1 ? length : sceneNameSize - 1;
    std::memset(currentName, 0, sizeof currentName);
    std::memcpy(currentName, in.data + in.position, kept);
    in.position += length + 1;
    return ChunkStep::next;
}

struct ChunkRule {
    uint16_t id;
    ChunkHandler handler;
};

constexpr ChunkRule chunkRules[] = {
    {chunk::main, stepInto},
    {chunk::editor, stepInto},
    {chunk::namedObject, readNamedObject},
    {chunk::triangleMesh, readTriangleMesh},
    {chunk::vertexList, readVertexList},
    {chunk::faceList, readFaceList},
    {chunk::textureCoordinates, readTextureCoordinates},
    {chunk::localFrame, readLocalFrame},
    {chunk::light, readLight},
    {chunk::spotlight, readSpotlight},
    {chunk::lightRange, readLightRange},
    {chunk::lightMultiplier, readLightMultiplier},
    {chunk::colourFloats, readColourFloats},
    {chunk::colourBytes, readColourBytes},
    {chunk::camera, readCamera},
};

ChunkHandler handlerFor(uint16_t id)
{
    for (const ChunkRule& rule : chunkRules)
        if (rule.id == id)
            return rule.handler;
    return nullptr;
}

// One flat pass: the chunks the loader knows are read and the walk goes on right
// after their data (so their sub-chunks come next); every other chunk is skipped
// whole by its length.
void walkChunks(LoadState& state)
{
    ByteReader& in = state.reader;
    while (in.position < in.size) {
        size_t start = in.position;
        if (!in.has(chunk::headerSize))
            return;
        uint16_t id = in.u16();
        uint32_t length = in.u32();
        ChunkHandler handler = handlerFor(id);
        ChunkStep step = handler ? handler(state) : ChunkStep::skipWhole;
        if (step == ChunkStep::stop)
            return;
        if (step == ChunkStep::skipWhole) {
            if (length < chunk::headerSize || length > in.size - start)
                return;
            in.position = start + length;
        }
    }
}

}  // namespace

template <typename T>
bool appendZeroedRecord(T*& list, uint32_t& count)
{
    T* grown = static_cast<T*>(std::realloc(count ? list : nullptr, (size_t(count) + 1) * sizeof(T)));
    if (grown == nullptr)
        return false;
    std::memset(static_cast<void*>(&grown[count]), 0, sizeof(T));
    list = grown;
    ++count;
    return true;
}
template bool appendZeroedRecord<Mesh>(Mesh*&, uint32_t&);
template bool appendZeroedRecord<SceneLight>(SceneLight*&, uint32_t&);

int loadSceneFromMemory(const uint8_t* data, size_t size, Scene* scene)
{
    std::memset(static_cast<void*>(scene), 0, sizeof *scene);
    LoadState state{{data, size, 0}, scene, currentName, 0, 0};
    walkChunks(state);
    for (uint32_t i = 0; i < scene->meshCount; ++i) {
        dropFacesOutsideMesh(&scene->meshes[i]);
        computeVertexNormals(&scene->meshes[i]);
    }
    return 0;
}

int loadScene(const char* fileName, Scene* scene)
{
    std::FILE* file = std::fopen(fileName, "rb");
    if (file == nullptr)
        return 1;
    std::vector<uint8_t> image;
    uint8_t block[65536];
    size_t got;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0)
        image.insert(image.end(), block, block + got);
    bool unreadable = std::ferror(file) != 0;  // a directory opens but cannot be read
    std::fclose(file);
    if (unreadable)
        return 1;
    return loadSceneFromMemory(image.data(), image.size(), scene);
}
