// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Linked into every program that links this Direct3D, so that DirectDraw finds it at
// start-up, the way Windows finds Direct3D beside DirectDraw.
#include "d3d_soft.h"
#include "ddraw_soft.h"

namespace {

const bool registered = (soft::ddraw::registerDirect3DFactory(soft::d3d::createDirect3D2), true);

}  // namespace
