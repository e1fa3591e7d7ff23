// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Recording the show to a video with its sound: the headless host renders at a fixed
// frame rate, every frame goes down a pipe into ffmpeg, and the mixed sound is laid
// under the picture when the show ends.
#pragma once

#include "host/headless_host.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <sys/types.h>

namespace program {

struct RecordOptions {
    std::string path;  // .mp4, .mkv or .webm
    uint32_t framesPerSecond = 50;
    uint32_t fromTicks = 0;  // the excerpt to keep, in ticks of show time
    uint32_t toTicks = 0;    // 0: to the end of the show
};

// The file name's extension says the container; true when it is one we write.
bool recordingFormatKnown(const std::string& path);

class Recorder {
public:
    // Checks for ffmpeg and starts it, and has `host` hand every frame over. On
    // failure returns false with one line in `error`, having written nothing.
    bool start(const RecordOptions& options, host::headless::HeadlessHost& host, std::string& error);
    // Lays the sound under the picture and leaves the finished file. False (with the
    // partial files removed) when ffmpeg failed.
    bool finish(std::string& error);
    // Removes what a run that did not finish left behind.
    void abandon();
    ~Recorder() { abandon(); }

    std::string soundPath() const { return options.path + ".part.wav"; }

private:
    void takeFrame(const host::Frame& frame, uint32_t tick);
    void showProgress(bool last);
    bool closeEncoder();

    RecordOptions options;
    host::headless::HeadlessHost* host = nullptr;
    std::string picturePath;
    pid_t encoder = -1;
    std::FILE* pipe = nullptr;
    bool pipeBroken = false;
    bool firstTickKnown = false;
    uint32_t firstTick = 0;
    int64_t firstWrittenMs = -1;
    int64_t framesWritten = 0;
    int64_t framesExpected = 0;
    bool progressOnTerminal = false;
    int lastPercentShown = -1;
    std::chrono::steady_clock::time_point startedAt;
    bool finished = false;
};

}  // namespace program
