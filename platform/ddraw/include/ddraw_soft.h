// How the other stand-ins reach the memory behind a DirectDraw surface.
#pragma once

#include "ddraw.h"
#include "soft/surface.h"

// The pixels of a surface made by this DirectDraw, or null for any other pointer.
soft::SurfaceMemory* surfaceMemoryOf(IDirectDrawSurface* surface);
// The depth buffer attached to a surface with AddAttachedSurface, or null.
IDirectDrawSurface* attachedDepthSurfaceOf(IDirectDrawSurface* surface);

// Made by the Direct3D stand-in when IDirectDraw::QueryInterface asks for IID_IDirect3D2.
HRESULT createDirect3D2(IDirectDraw* directDraw, LPVOID* object);
