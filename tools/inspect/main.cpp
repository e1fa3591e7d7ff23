// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "inspect.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <strings.h>

namespace {

bool endsWith(const std::string& name, const char* suffix)
{
    size_t n = std::strlen(suffix);
    return name.size() >= n && strcasecmp(name.c_str() + name.size() - n, suffix) == 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2 || std::strcmp(argv[1], "--help") == 0) {
        std::fprintf(stderr, "usage: mornakle-inspect FILE.3ds|FILE.bmp|FILE.xm\n");
        return argc == 2 ? 0 : 64;
    }
    std::string path = argv[1];
    if (endsWith(path, ".3ds"))
        return inspectScene(argv[1]);
    if (endsWith(path, ".bmp") || endsWith(path, ".dib"))
        return inspectBitmap(argv[1]);
    return inspectSong(argv[1]);
}
