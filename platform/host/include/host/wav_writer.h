// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// A 16-bit PCM stereo WAV file at 44.1 kHz, written as the sound is mixed.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace host {

class WavWriter {
public:
    // Opens the file and writes a header whose sizes finish() fills in.
    bool open(const std::string& path);
    void write(const int16_t* frames, int count);
    // Fills in the sizes and closes the file. Safe to call more than once.
    void finish();
    bool isOpen() const { return file != nullptr; }
    ~WavWriter() { finish(); }

private:
    std::FILE* file = nullptr;
    uint64_t framesWritten = 0;
};

}  // namespace host
