// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The loader's inner parts: the state of one walk over a file image and the handlers
// of the chunks it reads. Not for use outside the engine.
#pragma once

#include "engine/byte_reader.h"
#include "engine/scene.h"

struct LoadState {
    ByteReader reader;  // at the first byte after the header when a handler runs
    Scene* scene;
    const char* name;  // the name of the last named object met
    uint32_t currentMesh;
    uint32_t currentLight;
};

enum class ChunkStep {
    next,       // the handler moved the reader to the next chunk
    skipWhole,  // skip the chunk by its length
    stop,       // the chunk runs past the end of the file: the walk ends here
};

using ChunkHandler = ChunkStep (*)(LoadState& state);

// Mesh chunks apply to the current mesh, light chunks to the current light; before
// the first mesh or light they are skipped whole.
ChunkStep readTriangleMesh(LoadState& state);
ChunkStep readVertexList(LoadState& state);
ChunkStep readFaceList(LoadState& state);
ChunkStep readTextureCoordinates(LoadState& state);
ChunkStep readLocalFrame(LoadState& state);
ChunkStep readLight(LoadState& state);
ChunkStep readSpotlight(LoadState& state);
ChunkStep readLightRange(LoadState& state);
ChunkStep readLightMultiplier(LoadState& state);
ChunkStep readColourFloats(LoadState& state);
ChunkStep readColourBytes(LoadState& state);
ChunkStep readCamera(LoadState& state);

// After the walk: faces naming a vertex the mesh does not have are dropped, then the
// face and vertex normals are computed.
void dropFacesOutsideMesh(Mesh* mesh);
void computeVertexNormals(Mesh* mesh);

// Grows a heap list by one zeroed record; false (list unchanged) when out of memory.
template <typename T>
bool appendZeroedRecord(T*& list, uint32_t& count);
