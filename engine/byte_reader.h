// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Little-endian reads from a file image that never leave it: every read first asks
// whether the bytes are there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

struct ByteReader {
    const uint8_t* data;
    size_t size;
    size_t position;

    bool has(size_t count) const { return position <= size && count <= size - position; }

    uint16_t u16()
    {
        uint16_t value = uint16_t(data[position] | data[position + 1] << 8);
        position += 2;
        return value;
    }
    uint32_t u32()
    {
        uint32_t value = uint32_t(data[position]) | uint32_t(data[position + 1]) << 8 |
                         uint32_t(data[position + 2]) << 16 | uint32_t(data[position + 3]) << 24;
        position += 4;
        return value;
    }
    uint8_t u8() { return data[position++]; }
    float f32()
    {
        uint32_t bits = u32();
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
};
