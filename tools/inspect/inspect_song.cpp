// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// What the sound library makes of a song: libxmp loads it as the stand-in does, and
// its title, format, counts, initial tempo and length of one pass come out as JSON.
#include "inspect.h"

#include <xmp.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// libxmp's refusals in a user's words.
std::string refusal(int xmpError, int systemError)
{
    switch (xmpError) {
    case XMP_ERROR_FORMAT:
        return "not a song in any format the player reads";
    case XMP_ERROR_LOAD:
        return "a damaged song: its data could not be loaded";
    case XMP_ERROR_DEPACK:
        return "a packed file that could not be unpacked";
    case XMP_ERROR_SYSTEM:
        return systemError ? std::strerror(systemError) : "out of memory";
    default:
        return "the player refused it";
    }
}

// Song titles are bytes in the tracker's own code page: printable ASCII goes through,
// everything else is escaped, bytes above 0x7F read as Latin-1.
std::string jsonString(const char* text)
{
    std::string out = "\"";
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        if (*p == '"' || *p == '\\') {
            out += '\\';
            out += char(*p);
        } else if (*p < 0x20 || *p >= 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", *p);
            out += escaped;
        } else {
            out += char(*p);
        }
    }
    return out + "\"";
}

void printSong(const xmp_module_info& info)
{
    const xmp_module& mod = *info.mod;
    int durationMs = info.num_sequences > 0 ? info.seq_data[0].duration : 0;
    std::printf("{\"name\": %s, \"format\": %s, \"channels\": %d, \"patterns\": %d, \"instruments\": %d, "
                "\"samples\": %d, \"durationMs\": %d, \"speed\": %d, \"bpm\": %d}\n",
                jsonString(mod.name).c_str(), jsonString(mod.type).c_str(), mod.chn, mod.pat, mod.ins, mod.smp,
                durationMs, mod.spd, mod.bpm);
}

}  // namespace

int inspectSong(const char* path)
{
    xmp_context context = xmp_create_context();
    if (!context) {
        std::fprintf(stderr, "mornakle-inspect: %s: out of memory\n", path);
        return 1;
    }
    errno = 0;
    int result = xmp_load_module(context, path);
    if (result < 0) {
        std::fprintf(stderr, "mornakle-inspect: %s: %s\n", path, refusal(-result, errno).c_str());
        xmp_free_context(context);
        return 1;
    }
    xmp_module_info info;
    xmp_get_module_info(context, &info);
    printSong(info);
    xmp_release_module(context);
    xmp_free_context(context);
    return 0;
}
