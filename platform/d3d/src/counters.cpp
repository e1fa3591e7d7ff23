// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "d3d_soft.h"

namespace soft::d3d {

void resetDirect3DCounters() { direct3DCounters() = Direct3DCounters{}; }

}  // namespace soft::d3d
