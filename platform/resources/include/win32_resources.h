// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Resources linked into the program, as a resource compiler would have placed them
// in the executable: dialog templates by number, bitmaps by name.
#pragma once

#include "windows.h"

#include <string>
#include <vector>

namespace soft::win32 {

struct DialogItemTemplate {
    int id;                 // -1 for a static without identifier
    const char* className;  // "button", "combobox", "static"
    short x, y, cx, cy;     // dialog units
    DWORD style;
    const char* text;
};

struct DialogTemplate {
    int id;
    WORD language;
    const char* caption;
    short x, y, cx, cy;  // dialog units
    DWORD style;
    const char* fontName;
    int pointSize;
    std::vector<DialogItemTemplate> items;
};

void registerDialogResource(const DialogTemplate* dialog);
const DialogTemplate* findDialogResource(int id);

// A bitmap resource is the bytes of a .bmp file under its resource name.
void registerBitmapResource(const std::string& name, std::vector<uint8_t> fileBytes);
void unregisterBitmapResource(const std::string& name);
const std::vector<uint8_t>* findBitmapResource(const std::string& name);

}  // namespace soft::win32
