// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "soft/surface.h"

namespace soft {

SurfaceLayout& surfaceLayout()
{
    static SurfaceLayout layout;
    return layout;
}

}  // namespace soft
