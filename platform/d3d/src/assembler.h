// Turns the stream of Vertex calls into the points, lines and triangles of the
// primitive type named at Begin.
#pragma once

#include "geometry.h"

namespace soft::d3d {

class PrimitiveAssembler {
public:
    void begin(D3DPRIMITIVETYPE type, const PrimitiveSettings* settings, bool flatShading);
    void add(const ClipVertex& vertex);

private:
    void triangle(const ClipVertex& a, ClipVertex b, ClipVertex c) const;
    void line(const ClipVertex& from, ClipVertex to) const;

    D3DPRIMITIVETYPE type_ = D3DPT_TRIANGLELIST;
    const PrimitiveSettings* settings_ = nullptr;
    bool flatShading_ = false;  // every corner takes the colour of the primitive's first
    ClipVertex held[2]{};       // the earlier corners still needed
    long count = 0;             // vertices taken since begin
};

}  // namespace soft::d3d
