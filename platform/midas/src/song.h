// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// A song loaded by libxmp: one player context per song, so that each song keeps its
// own position while it plays.
#pragma once

#include "errors.h"

#include <xmp.h>

#include <cstddef>
#include <memory>

namespace soft::midas {

class Song {
public:
    explicit Song(xmp_context context) : context_(context) { }
    ~Song();
    Song(const Song&) = delete;
    Song& operator=(const Song&) = delete;

    xmp_context context() const { return context_; }

private:
    xmp_context context_;
};

struct LoadedSong {
    std::unique_ptr<Song> song;  // empty on failure
    Error error = Error::ok;
};

// Reads the whole file and hands it to libxmp, which knows XM and every other tracker
// format it reads.
LoadedSong loadSong(const char* path);
// The same from bytes already read.
LoadedSong loadSongFromMemory(const unsigned char* bytes, size_t size);

}  // namespace soft::midas
