// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "song.h"

#include <cerrno>
#include <cstdio>
#include <new>
#include <vector>

namespace soft::midas {
namespace {

struct FileContents {
    std::vector<unsigned char> bytes;
    Error error = Error::ok;
};

Error openError(int err) { return err == ENOENT || err == ENOTDIR ? Error::fileNotFound : Error::fileOpen; }

FileContents readWholeFile(const char* path)
{
    FileContents contents;
    std::FILE* file = std::fopen(path, "rb");
    if (!file) {
        contents.error = openError(errno);
        return contents;
    }
    try {
        unsigned char block[65536];
        size_t got;
        while ((got = std::fread(block, 1, sizeof block, file)) > 0)
            contents.bytes.insert(contents.bytes.end(), block, block + got);
        if (std::ferror(file))  // a directory opens but cannot be read
            contents.error = Error::fileRead;
    } catch (const std::bad_alloc&) {
        contents.error = Error::outOfMemory;
    }
    std::fclose(file);
    return contents;
}

// libxmp's refusals in the library's words.
Error loadError(int xmpResult) { return -xmpResult == XMP_ERROR_SYSTEM ? Error::outOfMemory : Error::invalidModule; }

}  // namespace

Song::~Song()
{
    xmp_release_module(context_);
    xmp_free_context(context_);
}

LoadedSong loadSong(const char* path)
{
    LoadedSong loaded;
    if (!path) {
        loaded.error = Error::invalidArguments;
        return loaded;
    }
    FileContents file = readWholeFile(path);
    if (file.error != Error::ok) {
        loaded.error = file.error;
        return loaded;
    }
    return loadSongFromMemory(file.bytes.data(), file.bytes.size());
}

LoadedSong loadSongFromMemory(const unsigned char* bytes, size_t size)
{
    LoadedSong loaded;
    if (size == 0) {
        loaded.error = Error::invalidModule;
        return loaded;
    }
    xmp_context context = xmp_create_context();
    if (!context) {
        loaded.error = Error::outOfMemory;
        return loaded;
    }
    int result = xmp_load_module_from_memory(context, bytes, static_cast<long>(size));
    if (result < 0) {
        xmp_free_context(context);
        loaded.error = loadError(result);
        return loaded;
    }
    loaded.song = std::make_unique<Song>(context);
    return loaded;
}

}  // namespace soft::midas
