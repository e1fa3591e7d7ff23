// What the Direct3D stand-in counts while it draws, for tests to read.
#pragma once

#include <cstdint>

namespace soft {

struct Direct3DCounters {
    uint64_t primitivesBegun = 0;   // successful Begin calls
    uint64_t verticesReceived = 0;  // Vertex calls taken inside Begin/End
    uint64_t trianglesDrawn = 0;    // triangles handed to the rasteriser after culling and clipping
    uint64_t trianglesCulled = 0;   // removed by the cull mode
    uint64_t trianglesClipped = 0;  // cut or removed by the clip volume
    uint64_t pixelsWritten = 0;     // colour writes, blended or not
};

Direct3DCounters& direct3DCounters();
void resetDirect3DCounters();

}  // namespace soft
