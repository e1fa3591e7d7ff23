// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Chunk ids of the 3D Studio mesh format that the loader reads.
#pragma once

#include <cstdint>

namespace chunk {
constexpr uint16_t main = 0x4D4D;         // the whole file
constexpr uint16_t editor = 0x3D3D;       // the scene
constexpr uint16_t namedObject = 0x4000;  // zero-terminated name, then the object
constexpr uint16_t triangleMesh = 0x4100;
constexpr uint16_t vertexList = 0x4110;  // u16 n; n x (x, y, z)
constexpr uint16_t faceList = 0x4120;    // u16 n; n x (a, b, c, flags)
constexpr uint16_t textureCoordinates = 0x4140;
constexpr uint16_t localFrame = 0x4160;  // axes X, Y, Z, origin: 12 floats
constexpr uint16_t light = 0x4600;       // position
constexpr uint16_t spotlight = 0x4610;   // target, hotspot, falloff (degrees)
constexpr uint16_t lightRange = 0x465A;
constexpr uint16_t lightMultiplier = 0x465B;
constexpr uint16_t colourFloats = 0x0010;
constexpr uint16_t colourBytes = 0x0011;
constexpr uint16_t camera = 0x4700;  // position, target, roll, lens
constexpr uint32_t headerSize = 6;   // u16 id, u32 length (header and contents)
}  // namespace chunk
