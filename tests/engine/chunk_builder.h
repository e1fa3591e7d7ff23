// Builds 3D Studio chunk images byte by byte, so each test states exactly the file it reads.
#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

class ChunkBuilder {
public:
    ChunkBuilder& begin(uint16_t id)
    {
        u16(id);
        open_.push_back(bytes_.size());
        return u32(0);  // patched by end()
    }
    ChunkBuilder& end()
    {
        size_t lengthAt = open_.back();
        open_.pop_back();
        uint32_t length = uint32_t(bytes_.size() - (lengthAt - 2));
        for (int i = 0; i < 4; ++i)
            bytes_[lengthAt + i] = uint8_t(length >> (8 * i));
        return *this;
    }
    // A chunk header with a length of one's own choosing.
    ChunkBuilder& header(uint16_t id, uint32_t length) { return u16(id).u32(length); }
    ChunkBuilder& u8(uint8_t v)
    {
        bytes_.push_back(v);
        return *this;
    }
    ChunkBuilder& u16(uint16_t v) { return u8(uint8_t(v)).u8(uint8_t(v >> 8)); }
    ChunkBuilder& u32(uint32_t v) { return u16(uint16_t(v)).u16(uint16_t(v >> 16)); }
    ChunkBuilder& f32(float v)
    {
        uint32_t bits;
        std::memcpy(&bits, &v, 4);
        return u32(bits);
    }
    ChunkBuilder& floats(std::initializer_list<float> values)
    {
        for (float v : values)
            f32(v);
        return *this;
    }
    ChunkBuilder& text(const std::string& s)
    {
        for (char c : s)
            u8(uint8_t(c));
        return u8(0);
    }

    // Common pieces of a file.
    ChunkBuilder& version(uint16_t id = 0x0002) { return begin(id).u32(3).end(); }
    ChunkBuilder& vertices(std::initializer_list<std::initializer_list<float>> points)
    {
        begin(0x4110).u16(uint16_t(points.size()));
        for (auto p : points)
            floats(p);
        return end();
    }
    ChunkBuilder& faces(std::initializer_list<std::initializer_list<uint16_t>> triangles)
    {
        begin(0x4120).u16(uint16_t(triangles.size()));
        for (auto t : triangles) {
            for (uint16_t i : t)
                u16(i);
            u16(0);  // flags
        }
        return end();
    }

    const std::vector<uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
    std::vector<size_t> open_;
};
