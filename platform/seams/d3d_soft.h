// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// What the Direct3D stand-in counts while it draws, for tests to read, and the family of
// span kernels its rasteriser draws with.
#pragma once

#include "ddraw.h"

#include <cstdint>
#include <vector>

namespace soft::d3d {

struct Direct3DCounters {
    uint64_t primitivesBegun = 0;   // successful Begin calls
    uint64_t verticesReceived = 0;  // Vertex calls taken inside Begin/End
    uint64_t trianglesDrawn = 0;    // triangles handed to the rasteriser after culling and clipping
    uint64_t trianglesCulled = 0;   // removed by the cull mode
    uint64_t trianglesClipped = 0;  // cut or removed by the clip volume
    uint64_t pixelsWritten = 0;     // colour writes, blended or not
};

// Inline, as the device counts every vertex it takes.
inline Direct3DCounters& direct3DCounters()
{
    static Direct3DCounters counters;
    return counters;
}
void resetDirect3DCounters();

// The factory of IDirect3D2 that this stand-in registers with DirectDraw (ddraw_soft.h)
// at start-up in every program that links it.
HRESULT createDirect3D2(IDirectDraw* directDraw, LPVOID* object);

// The span kernels come in families: plain C++, and vector lanes of 128 bits (SSE2, or
// WebAssembly SIMD under the name "wasm") and 256 bits (AVX2) on x86-64, of 128 bits
// (NEON) on arm64. Each draws the same pixels.
enum class KernelFamily { scalar, sse2, avx2, neon };

bool kernelFamilyRuns(KernelFamily family);  // whether this build and processor have it
const char* kernelFamilyName(KernelFamily family);
std::vector<KernelFamily> kernelFamiliesHere();  // those that run, narrowest first
KernelFamily kernelFamily();                     // the family in use: MORNAKLE_SIMD's, else the widest that runs
void useKernelFamily(KernelFamily family);       // one that runs, from now on

// Takes the family named by the environment variable MORNAKLE_SIMD, if set. A name that
// is unknown, a family this processor lacks or one built for another kind of processor
// is refused with one line on standard error; until a program has asked, the first triangle asks and reports a refusal as a
// failure (soft/failure.h).
bool takeKernelFamilyFromEnvironment();

// Material handles numbered from 1 again, as in a fresh process, for a show started
// afresh in the same process; every material must have been released.
void startMaterialHandlesAfresh();

}  // namespace soft::d3d
