// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The resources linked into the program.
#include "win32_resources.h"

#include <map>

namespace soft::win32 {
namespace {

std::map<int, const DialogTemplate*>& dialogs()
{
    static std::map<int, const DialogTemplate*> table;
    return table;
}

std::map<std::string, std::vector<uint8_t>>& bitmaps()
{
    static std::map<std::string, std::vector<uint8_t>> table;
    return table;
}

}  // namespace

void registerDialogResource(const DialogTemplate* dialog) { dialogs()[dialog->id] = dialog; }

const DialogTemplate* findDialogResource(int id)
{
    auto found = dialogs().find(id);
    return found == dialogs().end() ? nullptr : found->second;
}

void registerBitmapResource(const std::string& name, std::vector<uint8_t> fileBytes)
{
    bitmaps()[name] = std::move(fileBytes);
}

void unregisterBitmapResource(const std::string& name) { bitmaps().erase(name); }

const std::vector<uint8_t>* findBitmapResource(const std::string& name)
{
    auto found = bitmaps().find(name);
    return found == bitmaps().end() ? nullptr : &found->second;
}

}  // namespace soft::win32
