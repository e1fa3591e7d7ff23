// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Writes the nested chunk format of 3D Studio files: every chunk is a 16-bit id and
// a 32-bit length that counts its header, its data and all its sub-chunks.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

class ChunkWriter {
public:
    void begin(uint16_t id);  // opens a chunk; its length is filled in by end()
    void end();

    void u8(uint8_t value);
    void u16(uint16_t value);
    void u32(uint32_t value);
    void f32(float value);
    void text(std::string_view name);  // zero-terminated

    const std::vector<uint8_t>& bytes() const { return bytes_; }
    bool balanced() const { return open.empty(); }

private:
    std::vector<uint8_t> bytes_;
    std::vector<size_t> open;  // offsets of the headers still waiting for a length
};
