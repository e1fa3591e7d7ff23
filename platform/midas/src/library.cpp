// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "library.h"

namespace soft::midas {

Song* Library::findSong(MIDASmodule module) const
{
    for (const auto& song : songs)
        if (song.get() == module)
            return song.get();
    return nullptr;
}

Library& library()
{
    static Library* instance = new Library;
    return *instance;
}

}  // namespace soft::midas
