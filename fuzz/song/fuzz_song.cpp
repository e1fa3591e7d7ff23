// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Any bytes as a song: loading must refuse them with a reason or make a song that
// plays, and playing its first moments must stay inside every buffer.
#include "player.h"
#include "song.h"

#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // A copy of exactly `size` bytes, so that any read past the end is caught.
    std::vector<unsigned char> input(data, data + size);
    soft::midas::LoadedSong loaded = soft::midas::loadSongFromMemory(input.data(), input.size());
    if (!loaded.song) {
        if (loaded.error == soft::midas::Error::ok)
            std::abort();
        return 0;
    }
    soft::midas::Player player;
    MIDASmodulePlayHandle handle = player.start(*loaded.song, false);
    if (handle) {
        // A tenth of a second, in the blocks a sound device pulls.
        std::vector<int16_t> out(1024 * host::audioChannels);
        for (int block = 0; block < 4; ++block)
            player.mix(out.data(), 1024);
        if (!player.stop(handle))
            std::abort();
    }
    return 0;
}
