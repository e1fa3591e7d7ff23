// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// 3D Studio files built byte by byte, so each test (and benchmark) states exactly the
// file it reads, and the scenes loaded from them, released when the test is done.
#pragma once

#include "engine/scene_loader.h"

#include <bit>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

class ChunkBuilder {
public:
    ChunkBuilder& begin(uint16_t id)
    {
        open.push_back(bytes_.size() + 2);
        return u16(id).u32(0);  // the length is patched by end()
    }
    ChunkBuilder& end()
    {
        size_t at = open.back();
        open.pop_back();
        for (int i = 0; i < 4; ++i)
            bytes_[at + i] = uint8_t((bytes_.size() - at + 2) >> (8 * i));
        return *this;
    }
    ChunkBuilder& header(uint16_t id, uint32_t length) { return u16(id).u32(length); }  // a length of one's choosing
    ChunkBuilder& u8(uint8_t v) { return bytes_.push_back(v), *this; }
    ChunkBuilder& u16(uint16_t v) { return u8(uint8_t(v)).u8(uint8_t(v >> 8)); }
    ChunkBuilder& u32(uint32_t v) { return u16(uint16_t(v)).u16(uint16_t(v >> 16)); }
    ChunkBuilder& f32(float v) { return u32(std::bit_cast<uint32_t>(v)); }
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
    ChunkBuilder& version(uint16_t id = 0x0002) { return begin(id).u32(3).end(); }  // a version record
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
        for (auto t : triangles)
            for (uint16_t i : {t.begin()[0], t.begin()[1], t.begin()[2], uint16_t(0)})  // flags last
                u16(i);
        return end();
    }

    const std::vector<uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
    std::vector<size_t> open;
};

// main { version, editor { mesh version, body } }, as 3D Studio writes it.
template <typename Body>
std::vector<uint8_t> sceneFile(Body body)
{
    ChunkBuilder b;
    b.begin(0x4D4D).version().begin(0x3D3D).version(0x3D3E);
    body(b);
    return b.end().end().bytes();
}

struct LoadedScene {
    Scene scene{};
    explicit LoadedScene(const std::vector<uint8_t>& file) { loadSceneFromMemory(file.data(), file.size(), &scene); }
    ~LoadedScene() { releaseScene(&scene); }
    LoadedScene(const LoadedScene&) = delete;
    Scene* operator->() { return &scene; }
};
