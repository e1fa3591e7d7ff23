// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "pixel_reduction.h"

#include "d3d_raster.h"
#include "dither_arithmetic.h"

namespace soft::d3d {

constexpr ReductionTables reductionTables;
static_assert(ditheredLevelsMatch(reductionTables), "the arithmetic dither must give the tables' levels");

}  // namespace soft::d3d

namespace soft::d3d {

int reduceChannel(int value8, int bits, bool dither, int x, int y)
{
    int phase = d3d::bayerMatrix[y & 3][x & 3];
    return d3d::reductionTable(bits, dither, phase)[value8];
}

}  // namespace soft::d3d
