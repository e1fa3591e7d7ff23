// The same song played by libxmp on its own, for comparison with the stand-in.
#pragma once

#include <xmp.h>

#include <algorithm>
#include <cstdint>
#include <vector>

// Renders `frames` frames of `song` at 44.1 kHz stereo in one call; `loopLimit` is
// libxmp's (0 repeats for ever, 1 stops at the end). Optionally reports the frame
// information after the render.
inline std::vector<int16_t> renderWithLibxmp(const std::vector<uint8_t>& song, int frames, int loopLimit,
                                             xmp_frame_info* after = nullptr)
{
    std::vector<int16_t> out(size_t(frames) * 2, 0);
    xmp_context context = xmp_create_context();
    if (xmp_load_module_from_memory(context, song.data(), long(song.size())) == 0) {
        xmp_start_player(context, 44100, 0);
        if (xmp_play_buffer(context, out.data(), frames * 4, loopLimit) < 0)
            std::fill(out.begin(), out.end(), int16_t(0));
        if (after)
            xmp_get_frame_info(context, after);
        xmp_end_player(context);
        xmp_release_module(context);
    }
    xmp_free_context(context);
    return out;
}
