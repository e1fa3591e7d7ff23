// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// mornakle-gen OUTDIR: writes every data file of the show into OUTDIR.
#include "data_set.h"

#if MORNAKLE_GEN_HAS_SONG
#include "song/song.h"
#endif

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

bool writeFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: mornakle-gen OUTDIR\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    int failures = 0;
    auto emit = [&](const std::string& name, const std::vector<uint8_t>& bytes) {
        if (!writeFile(dir / name, bytes)) {
            std::fprintf(stderr, "mornakle-gen: cannot write %s\n", (dir / name).c_str());
            ++failures;
        }
    };
    for (const GeneratedFile& file : artFiles())
        emit(file.name, file.make());
#if MORNAKLE_GEN_HAS_SONG
    emit("back.xm", composeBackXm());
#endif
    return failures ? 1 : 0;
}
