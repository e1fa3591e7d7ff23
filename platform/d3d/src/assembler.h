// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Turns the stream of Vertex calls into the points, lines and triangles of the
// primitive type named at Begin.
#pragma once

#include "geometry.h"

namespace soft::d3d {

class PrimitiveAssembler {
public:
    void begin(D3DPRIMITIVETYPE type, const PrimitiveSettings* settings, bool flatShading);
    // Inline for a triangle list, which every mesh of the demo sends, a call for the rest.
    void add(const ClipVertex& vertex)
    {
        if (type_ != D3DPT_TRIANGLELIST) {
            addToOther(vertex);
            return;
        }
        const long index = count++;
        if (index % 3 == 2)
            triangle(held[0], held[1], vertex);
        else
            held[index % 3] = vertex;
    }

private:
    void addToOther(const ClipVertex& vertex);
    void triangle(const ClipVertex& a, ClipVertex b, ClipVertex c) const;
    void line(const ClipVertex& from, ClipVertex to) const;

    D3DPRIMITIVETYPE type_ = D3DPT_TRIANGLELIST;
    const PrimitiveSettings* settings_ = nullptr;
    bool flatShading_ = false;  // every corner takes the colour of the primitive's first
    ClipVertex held[2]{};       // the earlier corners still needed
    long count = 0;             // vertices taken since begin
};

}  // namespace soft::d3d
