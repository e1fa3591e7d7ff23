// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Windows' own waveOut. It is in every Windows since 95, a plain C interface with no
// COM objects and no window of its own, and it takes exactly what the mixer makes:
// blocks of 16-bit stereo PCM, queued in turn, each mixed anew while the others play.
#include "audio_device.h"

#include <windows.h>

#include <mmsystem.h>  // after windows.h, whose types it uses

#include <array>
#include <vector>

namespace soft::midas::device {
namespace {

constexpr int blockFrames = 2048;  // 46 ms at 44.1 kHz
constexpr int blockCount = 3;      // one playing, one queued behind it, one being mixed
constexpr int frameBytes = host::audioChannels * int(sizeof(int16_t));

struct WaveOut {
    HWAVEOUT handle = nullptr;
    HANDLE blockDone = nullptr;  // set by the driver whenever a block has been played
    HANDLE feeder = nullptr;
    volatile LONG stopping = 0;
    CRITICAL_SECTION mixing;
    host::AudioSource* source = nullptr;
    std::array<WAVEHDR, blockCount> headers{};
    std::array<std::vector<int16_t>, blockCount> blocks;
};

WaveOut* device = nullptr;

// Mixes the block's next frames and hands it to the driver.
void queue(WaveOut& out, WAVEHDR& header)
{
    EnterCriticalSection(&out.mixing);
    out.source->mix(reinterpret_cast<int16_t*>(header.lpData), blockFrames);
    LeaveCriticalSection(&out.mixing);
    waveOutWrite(out.handle, &header, sizeof header);
}

// The feeding thread: refills every block the driver has finished with.
DWORD WINAPI feed(LPVOID parameter)
{
    WaveOut& out = *static_cast<WaveOut*>(parameter);
    for (;;) {
        WaitForSingleObject(out.blockDone, INFINITE);
        if (out.stopping)
            return 0;
        for (WAVEHDR& header : out.headers)
            if (header.dwFlags & WHDR_DONE)
                queue(out, header);
    }
}

void release(WaveOut* out)
{
    if (out->handle) {
        waveOutReset(out->handle);
        for (WAVEHDR& header : out->headers)
            if (header.dwFlags & WHDR_PREPARED)
                waveOutUnprepareHeader(out->handle, &header, sizeof header);
        waveOutClose(out->handle);
    }
    if (out->blockDone)
        CloseHandle(out->blockDone);
    DeleteCriticalSection(&out->mixing);
    delete out;
}

}  // namespace

bool open(host::AudioSource* source)
{
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = host::audioChannels;
    format.nSamplesPerSec = host::audioSampleRate;
    format.wBitsPerSample = 16;
    format.nBlockAlign = frameBytes;
    format.nAvgBytesPerSec = host::audioSampleRate * frameBytes;

    auto* out = new WaveOut;
    InitializeCriticalSection(&out->mixing);
    out->source = source;
    out->blockDone = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (!out->blockDone || waveOutOpen(&out->handle, WAVE_MAPPER, &format, DWORD_PTR(out->blockDone), 0,
                                       CALLBACK_EVENT) != MMSYSERR_NOERROR) {
        out->handle = nullptr;
        release(out);
        return false;
    }
    for (int i = 0; i < blockCount; ++i) {
        out->blocks[i].assign(size_t(blockFrames) * host::audioChannels, 0);
        WAVEHDR& header = out->headers[i];
        header.lpData = reinterpret_cast<LPSTR>(out->blocks[i].data());
        header.dwBufferLength = blockFrames * frameBytes;
        waveOutPrepareHeader(out->handle, &header, sizeof header);
    }
    for (WAVEHDR& header : out->headers)
        queue(*out, header);
    out->feeder = CreateThread(nullptr, 0, feed, out, 0, nullptr);
    if (!out->feeder) {
        release(out);
        return false;
    }
    device = out;
    return true;
}

void close()
{
    WaveOut* out = device;
    device = nullptr;
    InterlockedExchange(&out->stopping, 1);
    SetEvent(out->blockDone);
    WaitForSingleObject(out->feeder, INFINITE);
    CloseHandle(out->feeder);
    release(out);
}

void lock() { EnterCriticalSection(&device->mixing); }

void unlock() { LeaveCriticalSection(&device->mixing); }

uint32_t nowMs() { return GetTickCount(); }

}  // namespace soft::midas::device
