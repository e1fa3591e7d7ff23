// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// How the other stand-ins reach the memory behind a DirectDraw surface.
#pragma once

#include "ddraw.h"
#include "soft/surface.h"

namespace soft::ddraw {

// The pixels of a surface made by this DirectDraw, or null for any other pointer.
SurfaceMemory* surfaceMemoryOf(IDirectDrawSurface* surface);
// The depth buffer attached to a surface with AddAttachedSurface, or null.
IDirectDrawSurface* attachedDepthSurfaceOf(IDirectDrawSurface* surface);

// Direct3D lives in a library of its own, as in Windows: IDirectDraw::QueryInterface
// hands every interface it does not answer itself to the factory registered here, and
// answers E_NOINTERFACE while there is none.
using Direct3DFactory = HRESULT (*)(IDirectDraw* directDraw, LPVOID* object);
void registerDirect3DFactory(Direct3DFactory factory);

}  // namespace soft::ddraw
