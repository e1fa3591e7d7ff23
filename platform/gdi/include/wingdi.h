// The part of GDI that the demo calls. (Filled in by the GDI stand-in.)
#pragma once

#define RGB(r, g, b) ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
