// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Helpers shared by the generator tests: the files as built, and the files as made now.
#pragma once

#include "data_set.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

inline std::string dataPath(const std::string& name) { return std::string(MORNAKLE_DATA_DIR) + "/" + name; }

inline std::vector<uint8_t> readDataFile(const std::string& name)
{
    std::ifstream in(dataPath(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::vector<uint8_t> makeArtFile(const std::string& name)
{
    for (const GeneratedFile& file : artFiles())
        if (file.name == name)
            return file.make();
    return {};
}
