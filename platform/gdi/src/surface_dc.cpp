#include "gdi_soft.h"

// Placeholder until the GDI stand-in draws: a context that draws nothing.
struct HDC__ {
    soft::SurfaceMemory* memory;
};

HDC gdiCreateSurfaceDC(soft::SurfaceMemory* memory) { return new HDC__{memory}; }

void gdiReleaseSurfaceDC(HDC dc) { delete dc; }
