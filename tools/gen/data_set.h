// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Every data file of the show, by name, with the function that makes its bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct GeneratedFile {
    std::string name;
    std::vector<uint8_t> (*make)();
};

// The demo's own files except the song (which has its own generator).
const std::vector<GeneratedFile>& artFiles();
