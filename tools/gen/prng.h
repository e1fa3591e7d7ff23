// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The generator's one source of variety: a fixed-seed xorshift, so every build
// paints the same stars and plants the same trees.
#pragma once

#include <cstdint>

class Prng {
public:
    explicit Prng(uint32_t seed) : state(seed ? seed : 0x9E3779B9u) { }

    uint32_t next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }

    // Uniform in [0, 1).
    float unit() { return float(next() >> 8) * (1.0f / 16777216.0f); }

    float range(float low, float high) { return low + (high - low) * unit(); }

private:
    uint32_t state;
};
