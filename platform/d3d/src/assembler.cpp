// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "assembler.h"

namespace soft::d3d {
namespace {

void copyColour(ClipVertex& to, const ClipVertex& from)
{
    to.r = from.r;
    to.g = from.g;
    to.b = from.b;
    to.a = from.a;
}

}  // namespace

void PrimitiveAssembler::begin(D3DPRIMITIVETYPE type, const PrimitiveSettings* settings, bool flatShading)
{
    type_ = type;
    settings_ = settings;
    flatShading_ = flatShading;
    count = 0;
}

void PrimitiveAssembler::triangle(const ClipVertex& a, ClipVertex b, ClipVertex c) const
{
    if (flatShading_) {
        copyColour(b, a);
        copyColour(c, a);
    }
    clipAndRasterizeTriangle(*settings_, a, b, c);
}

void PrimitiveAssembler::line(const ClipVertex& from, ClipVertex to) const
{
    if (flatShading_)
        copyColour(to, from);
    drawLine(*settings_, from, to);
}

void PrimitiveAssembler::addToOther(const ClipVertex& v)
{
    const long index = count++;
    switch (type_) {
    case D3DPT_POINTLIST:
        drawPoint(*settings_, v);
        break;
    case D3DPT_LINELIST:
        if (index % 2 == 1)
            line(held[0], v);
        held[0] = v;
        break;
    case D3DPT_LINESTRIP:
        if (index > 0)
            line(held[0], v);
        held[0] = v;
        break;
    case D3DPT_TRIANGLELIST:  // taken by add itself
        break;
    case D3DPT_TRIANGLESTRIP:
        // Every second triangle of a strip is sent reversed, to keep one winding.
        if (index < 2) {
            held[index] = v;
            break;
        }
        if (index % 2 == 1)
            triangle(held[1], held[0], v);
        else
            triangle(held[0], held[1], v);
        held[0] = held[1];
        held[1] = v;
        break;
    case D3DPT_TRIANGLEFAN:
        if (index >= 2)
            triangle(held[0], held[1], v);
        held[index == 0 ? 0 : 1] = v;
        break;
    }
}

}  // namespace soft::d3d
