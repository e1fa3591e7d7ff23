// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "options.h"

#include "show_time.h"

#include "soft/faults.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>

namespace program {

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

// "AT=pause", "AT=resume", "AT=step", "AT=back" or "AT=seek:T", comma-separated, the
// times show times as --start-at reads them.
bool parseTransportScript(const std::string& text, std::vector<host::headless::TransportAction>& script)
{
    using Kind = host::headless::TransportAction::Kind;
    size_t from = 0;
    while (from <= text.size()) {
        size_t comma = text.find(',', from);
        std::string item = text.substr(from, comma == std::string::npos ? std::string::npos : comma - from);
        size_t equals = item.find('=');
        if (equals == std::string::npos)
            return false;
        std::optional<uint32_t> at = parseShowTime(item.substr(0, equals));
        std::string what = item.substr(equals + 1);
        host::headless::TransportAction action;
        if (what == "pause")
            action.kind = Kind::pause;
        else if (what == "resume")
            action.kind = Kind::resume;
        else if (what == "step")
            action.kind = Kind::step;
        else if (what == "back")
            action.kind = Kind::stepBack;
        else if (what.rfind("seek:", 0) == 0) {
            std::optional<uint32_t> target = parseShowTime(what.substr(5));
            if (!target)
                return false;
            action.kind = Kind::seek;
            action.targetMs = *target;
        } else
            return false;
        if (!at)
            return false;
        action.atMs = *at;
        script.push_back(action);
        if (comma == std::string::npos)
            break;
        from = comma + 1;
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

// One row of the command line: an option, the value it takes, its line in the usage
// text and what it sets. The parser and --help both read this table.
struct OptionRow {
    const char* name;
    const char* value;  // what follows the option in the usage text; null: a flag
    // The usage text's description (a new line continues it in the description's
    // column); null: the option shares the line of the option before it.
    const char* help;
    // Takes the value (null for a flag); false when the value is refused. Null: the row
    // only describes another use of an option above it.
    bool (*take)(Options& options, const char* value);
};

const OptionRow optionRows[] = {
    {"--headless", nullptr, "run without a display: virtual clock, no window, no sound card",
     [](Options& o, const char*) { return o.headless = true; }},
    {"--frame-ms", "N", "headless: milliseconds the clock advances per frame (default 20)",
     [](Options& o, const char* v) {
         return parseUnsigned(v, o.headlessOptions.frameMs) && o.headlessOptions.frameMs > 0;
     }},
    {"--start-ms", "N", "headless: the tick counter's first value (default 0)",
     [](Options& o, const char* v) { return parseUnsigned(v, o.headlessOptions.startMs); }},
    {"--capture", "DIR", "headless: write every presented frame to DIR as PNG",
     [](Options& o, const char* v) {
         o.headlessOptions.captureDir = v;
         return *v != 0;
     }},
    {"--capture-every", "K", "headless: write only every K-th frame (default 1)",
     [](Options& o, const char* v) {
         uint32_t every;
         if (!parseUnsigned(v, every) || every == 0 || every > 1000000)
             return false;
         o.headlessOptions.captureEvery = int(every);
         return true;
     }},
    {"--wav", "FILE", "headless: write the show's sound to FILE (16-bit stereo 44.1 kHz)",
     [](Options& o, const char* v) {
         o.headlessOptions.wavPath = v;
         return *v != 0;
     }},
    {"--start-at", "TIME",
     "start at this show time (61.2 or 1:01.2 seconds), as an uninterrupted\n"
     "run at one frame per tick shows it",
     [](Options& o, const char* v) {
         o.startAtMs = parseShowTime(v);
         return o.startAtMs.has_value();
     }},
    {"--until-ms", "N", "headless: end the show after N ms of show time, as Escape would",
     [](Options& o, const char* v) { return parseUnsigned(v, o.untilMs) && o.untilMs > 0; }},
    {"--dialog", "ok|cancel|close", "headless: how the device dialog is answered (default ok)",
     [](Options& o, const char* v) {
         using A = host::DialogAnswer;
         return choose<A>(v, {{"ok", A::ok}, {"cancel", A::cancel}, {"close", A::close}},
                          o.headlessOptions.dialogAnswer);
     }},
    {"--data", "DIR",
     "the folder with the demo's data files\n"
     "(default: ../share/mornakle from the program, else data/ beside it)",
     [](Options& o, const char* v) {
         o.dataDir = v;
         return *v != 0;
     }},
    {"--pixel-format", "565|555", "the display's 16-bit pixel format (default 565)",
     [](Options& o, const char* v) {
         return choose<soft::PixelFormat>(v, {{"565", soft::PixelFormat::rgb565}, {"555", soft::PixelFormat::rgb555}},
                                          o.pixelFormat);
     }},
    {"--scale", "aspect|integer|stretch", "how the picture fills the window (default aspect)",
     [](Options& o, const char* v) {
         using S = host::Scale;
         return choose<S>(v, {{"aspect", S::aspect}, {"integer", S::integer}, {"stretch", S::stretch}},
                          o.sdlOptions.scale);
     }},
    {"--filter", "nearest|linear", "scaling filter (default nearest)",
     [](Options& o, const char* v) {
         using F = host::sdl::SdlHostOptions::Filter;
         return choose<F>(v, {{"nearest", F::nearest}, {"linear", F::linear}}, o.sdlOptions.filter);
     }},
    {"--vsync", "on|off", "wait for vertical sync (default on)",
     [](Options& o, const char* v) {
         return choose<bool>(v, {{"on", true}, {"off", false}}, o.sdlOptions.vsync);
     }},
    {"--record", "FILE", "render the show headless to a video with sound (.mp4, .mkv, .webm)",
     [](Options& o, const char* v) {
         o.record.path = v;
         return recordingFormatKnown(v);
     }},
    {"--fps", "N", "recording: frames a second (default 50)",
     [](Options& o, const char* v) {
         return parseUnsigned(v, o.record.framesPerSecond) && o.record.framesPerSecond >= 1 &&
                o.record.framesPerSecond <= 240;
     }},
    {"--from", "T", "recording: only the show time from tick T to tick T (50 ms each)",
     [](Options& o, const char* v) { return parseUnsigned(v, o.record.fromTicks); }},
    {"--to", "T", nullptr,
     [](Options& o, const char* v) { return parseUnsigned(v, o.record.toTicks) && o.record.toTicks > 0; }},
    {"--inject-fault", "CALL=RESULT[,SKIP]", "make a platform call fail (for testing)",
     [](Options& o, const char* v) {
         if (std::strcmp(v, "list") == 0) {
             o.listFaults = true;
             return true;
         }
         InjectedFault fault;
         if (!parseFault(v, fault))
             return false;
         o.faults.push_back(fault);
         return true;
     }},
    {"--inject-fault", "list", "name every call that can be made to fail", nullptr},
    {"--transport-script", "AT=ACTION,...",
     "headless: pause, resume, step, back or seek:TIME at show times (for testing)",
     [](Options& o, const char* v) { return parseTransportScript(v, o.headlessOptions.transportScript); }},
    {"--kernel-families", nullptr, "name the span kernel families this processor runs, widest last",
     [](Options& o, const char*) { return o.listKernelFamilies = true; }},
    {"--help", nullptr, "show this text", [](Options& o, const char*) { return o.help = true; }},
    {"--version", nullptr, "show the release", [](Options& o, const char*) { return o.version = true; }},
};

const OptionRow* findOption(const std::string& name)
{
    for (const OptionRow& row : optionRows)
        if (row.take && name == row.name)
            return &row;
    return nullptr;
}

// Descriptions start in one column; an option too long for it is followed by two
// spaces, and long options next to one another line their descriptions up.
constexpr size_t descriptionColumn = 25;

std::string makeUsageText()
{
    struct Line {
        std::string option;
        std::string help;
    };
    std::vector<Line> lines;
    for (const OptionRow& row : optionRows) {
        std::string option = std::string(row.name) + (row.value ? std::string(" ") + row.value : "");
        if (row.help)
            lines.push_back({option, row.help});
        else
            lines.back().option += ", " + option;
    }
    std::string text = "usage: mornakle [options]\n";
    for (size_t i = 0; i < lines.size();) {
        const size_t fits = descriptionColumn - 3;  // two spaces before, one after
        size_t width = lines[i].option.size();
        size_t next = i + 1;
        if (width > fits) {
            while (next < lines.size() && lines[next].option.size() > fits)
                width = std::max(width, lines[next++].option.size());
            width += 1;  // two spaces after the longest
        } else {
            width = fits;
        }
        const std::string indent(2 + width + 1, ' ');
        for (; i < next; ++i) {
            std::string help = lines[i].help;
            for (size_t at = 0; (at = help.find('\n', at)) != std::string::npos; at += indent.size() + 1)
                help.insert(at + 1, indent);
            text += "  " + lines[i].option + std::string(width - lines[i].option.size() + 1, ' ') + help + "\n";
        }
    }
    return text;
}

}  // namespace

const std::string& usageText()
{
    static const std::string text = makeUsageText();
    return text;
}

bool parseOptions(int argc, const char* const* argv, Options& options, std::string& error)
{
    for (int i = 1; i < argc; ++i) {
        std::string name = argv[i];
        const OptionRow* option = findOption(name);
        if (!option) {
            error = "unknown option " + name;
            options.showUsage = true;
            return false;
        }
        if (!option->value) {
            option->take(options, nullptr);
            continue;
        }
        if (i + 1 >= argc) {
            error = "option " + name + " needs a value";
            options.showUsage = true;
            return false;
        }
        const char* value = argv[++i];
        if (!option->take(options, value)) {
            error = "bad value '" + std::string(value) + "' for " + name;
            if (name == "--start-at")
                error += ": a show time under 110 s, such as 61.2 or 1:01.2";
            else
                options.showUsage = true;
            return false;
        }
    }
    options.sdlOptions.pixelFormat = options.pixelFormat;
    if (options.startAtMs) {
        if (!options.record.path.empty()) {
            error = "--start-at does not record; a recording starts at a tick with --from";
            return false;
        }
        if (options.untilMs && options.untilMs <= *options.startAtMs) {
            error = "--until-ms counts show time from 0 and must lie after --start-at";
            return false;
        }
        options.headlessOptions.startAtMs = *options.startAtMs;
        options.sdlOptions.startAtMs = *options.startAtMs;
    }
    options.headlessOptions.showLengthMs = showLengthMs;
    options.sdlOptions.showLengthMs = showLengthMs;
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
