// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "host/wav_writer.h"

#include "host/host.h"

#include <cstring>

namespace host {
namespace {

void putLittle(uint8_t* at, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        at[i] = uint8_t(value >> (8 * i));
}

void header(uint8_t (&out)[44], uint64_t frames)
{
    constexpr int bytesPerFrame = 2 * audioChannels;
    uint32_t dataBytes = uint32_t(frames * bytesPerFrame);
    std::memcpy(out, "RIFF", 4);
    putLittle(out + 4, 36 + dataBytes, 4);
    std::memcpy(out + 8, "WAVEfmt ", 8);
    putLittle(out + 16, 16, 4);
    putLittle(out + 20, 1, 2);  // PCM
    putLittle(out + 22, audioChannels, 2);
    putLittle(out + 24, audioSampleRate, 4);
    putLittle(out + 28, audioSampleRate * bytesPerFrame, 4);
    putLittle(out + 32, bytesPerFrame, 2);
    putLittle(out + 34, 16, 2);
    std::memcpy(out + 36, "data", 4);
    putLittle(out + 40, dataBytes, 4);
}

}  // namespace

bool WavWriter::open(const std::string& path)
{
    finish();
    file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    framesWritten = 0;
    uint8_t bytes[44];
    header(bytes, 0);
    std::fwrite(bytes, 1, sizeof bytes, file);
    return true;
}

void WavWriter::write(const int16_t* frames, int count)
{
    if (!file || count <= 0)
        return;
    // WAV samples are little-endian, as this machine's are.
    std::fwrite(frames, sizeof(int16_t) * audioChannels, size_t(count), file);
    framesWritten += uint64_t(count);
}

void WavWriter::finish()
{
    if (!file)
        return;
    uint8_t bytes[44];
    header(bytes, framesWritten);
    std::fseek(file, 0, SEEK_SET);
    std::fwrite(bytes, 1, sizeof bytes, file);
    std::fclose(file);
    file = nullptr;
}

}  // namespace host
