// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// How the other stand-ins reach this GDI: DirectDraw hands out device contexts on
// its surfaces, and tests count what is alive.
#pragma once

#include "soft/surface.h"
#include "windows.h"

namespace soft::gdi {

// A device context drawing straight into `memory` (which must outlive it).
HDC createSurfaceDC(SurfaceMemory* memory);
// Gives back a context made by createSurfaceDC.
void releaseSurfaceDC(HDC dc);

// Every GDI object (bitmap, font, pen, brush, region) and device context alive now,
// stock objects excluded: a frame that cleans up after itself leaves this unchanged.
int liveObjectCount();

// Frees every device context and object the program left alive, stock objects
// excepted, as the system does when a process ends. Runs at exit.
void reclaimAll();

// Tests can make these calls fail (return null) through soft::injectFault with any
// non-zero result: "CreateCompatibleDC", "LoadImageA", "CreatePen", "CreateSolidBrush",
// "CreateRectRgn", "CreateFontIndirectA".

}  // namespace soft::gdi
