// The headless host: no display and no sound card. A virtual tick counter advances a
// fixed step at every presented frame, the device dialog is answered without a user,
// and frames and sound can be captured to files.
#pragma once

#include "host/host.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace host {

struct HeadlessHostOptions {
    uint32_t startMs = 0;            // the virtual tick counter's first value
    uint32_t frameMs = 20;           // how far it advances at every presented frame
    std::string captureDir;          // when set, presented frames are written here as PNG
    int captureEvery = 1;            // write every K-th presented frame
    std::string wavPath;             // when set, the mixed sound is written here
    DialogInput::Kind dialogAnswer = DialogInput::command;  // command = press OK
    soft::PixelFormat pixelFormat = soft::PixelFormat::rgb565;
    bool progress = false;           // one overwritten progress line on stderr
};

class HeadlessHost;

std::unique_ptr<HeadlessHost> makeHeadlessHost(const HeadlessHostOptions& options);

} // namespace host
