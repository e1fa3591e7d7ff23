// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The command line of the executable. The demo itself reads nothing; these choose
// and configure the host it runs on.
#pragma once

#include "host/headless_host.h"
#include "host/sdl_host.h"
#include "recorder.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace program {

struct InjectedFault {
    std::string call;
    long result = 0;
    int skip = 0;
};

struct Options {
    bool help = false;
    bool version = false;             // --version: print the release and nothing else
    bool listFaults = false;          // --inject-fault list: name every call that can be made to fail
    bool listKernelFamilies = false;  // --kernel-families: name the families MORNAKLE_SIMD may choose here
    bool headless = false;
    host::headless::HeadlessHostOptions headlessOptions;
    uint32_t untilMs = 0;  // headless: end the show this long after it starts (0: at its end)
    host::sdl::SdlHostOptions sdlOptions;
    soft::PixelFormat pixelFormat = soft::PixelFormat::rgb565;
    std::string dataDir;  // empty: the data folder beside the executable
    std::vector<InjectedFault> faults;
    RecordOptions record;  // record.path set: render the show to a video
    // --start-at: the show time of the first frame shown (also in headlessOptions.startAtMs).
    std::optional<uint32_t> startAtMs;
    bool showUsage = false;  // the refusal is one the usage text helps with
};

// Fills `options` from argv. On a bad option returns false with one line in `error`.
bool parseOptions(int argc, const char* const* argv, Options& options, std::string& error);

// The usage text --help prints, made from the same table the parser reads.
const std::string& usageText();

}  // namespace program
