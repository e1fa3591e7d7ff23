// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "chunk_writer.h"

#include <bit>
#include <stdexcept>

void ChunkWriter::begin(uint16_t id)
{
    open.push_back(bytes_.size());
    u16(id);
    u32(0);
}

void ChunkWriter::end()
{
    if (open.empty())
        throw std::logic_error("ChunkWriter::end without begin");
    const size_t start = open.back();
    open.pop_back();
    const uint32_t length = uint32_t(bytes_.size() - start);
    for (int i = 0; i < 4; ++i)
        bytes_[start + 2 + i] = uint8_t(length >> (8 * i));
}

void ChunkWriter::u8(uint8_t value) { bytes_.push_back(value); }

void ChunkWriter::u16(uint16_t value)
{
    u8(uint8_t(value));
    u8(uint8_t(value >> 8));
}

void ChunkWriter::u32(uint32_t value)
{
    u16(uint16_t(value));
    u16(uint16_t(value >> 16));
}

void ChunkWriter::f32(float value) { u32(std::bit_cast<uint32_t>(value)); }

void ChunkWriter::text(std::string_view name)
{
    for (char c : name)
        u8(uint8_t(c));
    u8(0);
}
