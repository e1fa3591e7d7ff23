// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// CreateFontIndirectA: the font mapper over the bitmap faces this GDI has. Each face
// comes in one size and bitmap faces are not scaled, so the mapper chooses by name
// first, then by character set and pitch, and the height asked for is the face's own.
#include "objects.h"

#include "soft/faults.h"

#include <strings.h>

namespace {

const soft::FaultPoint createFontIndirectFault("CreateFontIndirectA");

const soft::gdi::FontFace* mapFont(const LOGFONTA& font)
{
    char name[LF_FACESIZE + 1] = {};
    for (int i = 0; i < LF_FACESIZE && font.lfFaceName[i]; ++i)
        name[i] = font.lfFaceName[i];
    for (const soft::gdi::FontFace* face : {&soft::gdi::guiFace, &soft::gdi::ansiFixedFace, &soft::gdi::oemFixedFace})
        if (strcasecmp(name, face->faceName) == 0)
            return face;
    if (font.lfCharSet == OEM_CHARSET)
        return &soft::gdi::oemFixedFace;
    if ((font.lfPitchAndFamily & 0x3) == FIXED_PITCH)
        return &soft::gdi::ansiFixedFace;
    return &soft::gdi::guiFace;
}

}  // namespace

HFONT WINAPI CreateFontIndirectA(const LOGFONTA* font)
{
    if (!font || createFontIndirectFault.take())
        return nullptr;
    return soft::gdi::registerObject(new soft::gdi::Font(mapFont(*font)));
}
