// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "options.h"

#include "soft/faults.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>

namespace program {

const char* const usageText =
    "usage: mornakle [options]\n"
    "  --headless             run without a display: virtual clock, no window, no sound card\n"
    "  --frame-ms N           headless: milliseconds the clock advances per frame (default 20)\n"
    "  --start-ms N           headless: the tick counter's first value (default 0)\n"
    "  --capture DIR          headless: write every presented frame to DIR as PNG\n"
    "  --capture-every K      headless: write only every K-th frame (default 1)\n"
    "  --wav FILE             headless: write the show's sound to FILE (16-bit stereo 44.1 kHz)\n"
    "  --until-ms N           headless: end the show after N ms of show time, as Escape would\n"
    "  --dialog ok|cancel|close  headless: how the device dialog is answered (default ok)\n"
    "  --data DIR             the folder with the demo's data files\n"
    "                         (default: ../share/mornakle from the program, else data/ beside it)\n"
    "  --pixel-format 565|555 the display's 16-bit pixel format (default 565)\n"
    "  --scale aspect|integer|stretch  how the picture fills the window (default aspect)\n"
    "  --filter nearest|linear         scaling filter (default nearest)\n"
    "  --vsync on|off         wait for vertical sync (default on)\n"
    "  --record FILE          render the show headless to a video with sound (.mp4, .mkv, .webm)\n"
    "  --fps N                recording: frames a second (default 50)\n"
    "  --from T, --to T       recording: only the show time from tick T to tick T (50 ms each)\n"
    "  --inject-fault CALL=RESULT[,SKIP]  make a platform call fail (for testing)\n"
    "  --inject-fault list    name every call that can be made to fail\n"
    "  --help                 show this text\n"
    "  --version              show the release\n";

namespace {

bool parseUnsigned(const char* text, uint32_t& value)
{
    if (!text || !*text || *text == '-' || *text == '+')
        return false;
    errno = 0;
    char* end = nullptr;
    unsigned long long parsed = std::strtoull(text, &end, 10);
    if (errno || *end || parsed > 0xFFFFFFFFull)
        return false;
    value = uint32_t(parsed);
    return true;
}

bool parseFault(const std::string& text, InjectedFault& fault)
{
    size_t equals = text.find('=');
    if (equals == std::string::npos || equals == 0)
        return false;
    fault.call = text.substr(0, equals);
    if (!soft::isFaultPoint(fault.call))
        return false;
    std::string rest = text.substr(equals + 1);
    size_t comma = rest.find(',');
    std::string result = rest.substr(0, comma);
    errno = 0;
    char* end = nullptr;
    long long value = std::strtoll(result.c_str(), &end, 0);
    // A result is the 32 bits of an HRESULT, written signed or unsigned; one that does not
    // fit would be cut to other bits, 0x100000000 even to success.
    if (result.empty() || errno || *end || value == 0 || value < INT32_MIN || value > int64_t(UINT32_MAX))
        return false;
    fault.result = long(int32_t(uint32_t(value)));
    if (comma != std::string::npos) {
        uint32_t skip;
        if (!parseUnsigned(rest.c_str() + comma + 1, skip) || skip > uint32_t(INT32_MAX))
            return false;
        fault.skip = int(skip);
    }
    return true;
}

template <typename T>
bool choose(const char* text, const std::map<std::string, T>& choices, T& value)
{
    auto found = choices.find(text);
    if (found == choices.end())
        return false;
    value = found->second;
    return true;
}

}  // namespace

bool parseOptions(int argc, const char* const* argv, Options& options, std::string& error)
{
    using Value = std::function<bool(const char*)>;
    const std::map<std::string, Value> withValue = {
        {"--frame-ms",
         [&](const char* v) {
             return parseUnsigned(v, options.headlessOptions.frameMs) && options.headlessOptions.frameMs > 0;
         }},
        {"--until-ms", [&](const char* v) { return parseUnsigned(v, options.untilMs) && options.untilMs > 0; }},
        {"--start-ms", [&](const char* v) { return parseUnsigned(v, options.headlessOptions.startMs); }},
        {"--capture",
         [&](const char* v) {
             options.headlessOptions.captureDir = v;
             return *v != 0;
         }},
        {"--capture-every",
         [&](const char* v) {
             uint32_t every;
             if (!parseUnsigned(v, every) || every == 0 || every > 1000000)
                 return false;
             options.headlessOptions.captureEvery = int(every);
             return true;
         }},
        {"--wav",
         [&](const char* v) {
             options.headlessOptions.wavPath = v;
             return *v != 0;
         }},
        {"--data",
         [&](const char* v) {
             options.dataDir = v;
             return *v != 0;
         }},
        {"--dialog",
         [&](const char* v) {
             using A = host::headless::HeadlessHostOptions::DialogAnswer;
             return choose<A>(v, {{"ok", A::ok}, {"cancel", A::cancel}, {"close", A::close}},
                              options.headlessOptions.dialogAnswer);
         }},
        {"--pixel-format",
         [&](const char* v) {
             return choose<soft::PixelFormat>(
                 v, {{"565", soft::PixelFormat::rgb565}, {"555", soft::PixelFormat::rgb555}}, options.pixelFormat);
         }},
        {"--scale",
         [&](const char* v) {
             using S = host::sdl::SdlHostOptions::Scale;
             return choose<S>(v, {{"aspect", S::aspect}, {"integer", S::integer}, {"stretch", S::stretch}},
                              options.sdlOptions.scale);
         }},
        {"--filter",
         [&](const char* v) {
             using F = host::sdl::SdlHostOptions::Filter;
             return choose<F>(v, {{"nearest", F::nearest}, {"linear", F::linear}}, options.sdlOptions.filter);
         }},
        {"--vsync",
         [&](const char* v) {
             return choose<bool>(v, {{"on", true}, {"off", false}}, options.sdlOptions.vsync);
         }},
        {"--record",
         [&](const char* v) {
             options.record.path = v;
             return recordingFormatKnown(v);
         }},
        {"--fps",
         [&](const char* v) {
             return parseUnsigned(v, options.record.framesPerSecond) && options.record.framesPerSecond >= 1 &&
                    options.record.framesPerSecond <= 240;
         }},
        {"--from", [&](const char* v) { return parseUnsigned(v, options.record.fromTicks); }},
        {"--to", [&](const char* v) { return parseUnsigned(v, options.record.toTicks) && options.record.toTicks > 0; }},
        {"--inject-fault",
         [&](const char* v) {
             if (std::strcmp(v, "list") == 0) {
                 options.listFaults = true;
                 return true;
             }
             InjectedFault fault;
             if (!parseFault(v, fault))
                 return false;
             options.faults.push_back(fault);
             return true;
         }},
    };

    for (int i = 1; i < argc; ++i) {
        std::string name = argv[i];
        if (name == "--help") {
            options.help = true;
            continue;
        }
        if (name == "--version") {
            options.version = true;
            continue;
        }
        if (name == "--headless") {
            options.headless = true;
            continue;
        }
        auto option = withValue.find(name);
        if (option == withValue.end()) {
            error = "unknown option " + name;
            return false;
        }
        if (i + 1 >= argc) {
            error = "option " + name + " needs a value";
            return false;
        }
        const char* value = argv[++i];
        if (!option->second(value)) {
            error = "bad value '" + std::string(value) + "' for " + name;
            return false;
        }
    }
    options.sdlOptions.pixelFormat = options.pixelFormat;
    if (!options.record.path.empty()) {
        options.headless = true;
        if (options.record.toTicks && options.record.toTicks <= options.record.fromTicks) {
            error = "--to must lie after --from";
            return false;
        }
    }
    return true;
}

}  // namespace program
