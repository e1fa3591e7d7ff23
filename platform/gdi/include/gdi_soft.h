// How DirectDraw hands out GDI device contexts on its surfaces.
#pragma once

#include "windows.h"
#include "soft/surface.h"

// A device context drawing straight into `memory` (which must outlive it).
HDC gdiCreateSurfaceDC(soft::SurfaceMemory* memory);
// Gives back a context made by gdiCreateSurfaceDC.
void gdiReleaseSurfaceDC(HDC dc);
