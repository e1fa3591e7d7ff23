// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The command line: every option's value, and the refusals.
#include "options.h"

#include "soft/faults.h"

#include <gtest/gtest.h>

#include <cctype>
#include <sstream>
#include <tuple>
#include <vector>

namespace {

// Only calls the program can make fail are accepted; this one stands for them.
const soft::FaultPoint someCall("Example::Call");

// Parses the words of `line` after the program's name.
bool parse(const std::string& line, program::Options& options, std::string& error)
{
    std::istringstream words(line);
    std::vector<std::string> storage{"mornakle"};
    for (std::string word; words >> word;)
        storage.push_back(word);
    std::vector<const char*> args;
    for (const std::string& word : storage)
        args.push_back(word.c_str());
    return program::parseOptions(int(args.size()), args.data(), options, error);
}

TEST(Options, ValuesReachTheHostSettings)
{
    program::Options o;
    std::string error;
    ASSERT_TRUE(parse("--headless --frame-ms 50 --start-ms 4294967000 --capture c --capture-every 100 "
                      "--pixel-format 555 --scale integer --filter linear --vsync off --dialog close "
                      "--inject-fault Example::Call=0x80004005,2",
                      o, error))
        << error;
    const host::headless::HeadlessHostOptions& h = o.headlessOptions;
    EXPECT_EQ(std::tuple(o.headless, h.frameMs, h.startMs, h.captureDir, h.captureEvery, h.dialogAnswer),
              std::tuple(true, 50u, 4294967000u, "c", 100, host::headless::HeadlessHostOptions::DialogAnswer::close));
    EXPECT_TRUE(o.pixelFormat == soft::PixelFormat::rgb555 && o.sdlOptions.pixelFormat == soft::PixelFormat::rgb555);
    EXPECT_EQ(std::tuple(o.sdlOptions.scale, o.sdlOptions.filter, o.sdlOptions.vsync),
              std::tuple(host::sdl::SdlHostOptions::Scale::integer, host::sdl::SdlHostOptions::Filter::linear, false));
    ASSERT_EQ(o.faults.size(), 1u);
    EXPECT_EQ(std::tuple(o.faults[0].call, o.faults[0].result, o.faults[0].skip),
              std::tuple("Example::Call", long(int32_t(0x80004005u)), 2));
    program::Options edges;  // a result's 32 bits, written either way
    ASSERT_TRUE(parse("--inject-fault Example::Call=0xFFFFFFFF --inject-fault Example::Call=-2147483648", edges, error))
        << error;
    EXPECT_EQ(std::tuple(edges.faults.at(0).result, edges.faults.at(1).result), std::tuple(-1L, long(INT32_MIN)));
    program::Options recording;
    ASSERT_TRUE(parse("--record show.webm --fps 60 --from 100 --to 200", recording, error));
    EXPECT_TRUE(recording.headless);  // recording implies the headless host
    EXPECT_EQ(recording.record.framesPerSecond, 60u);
}

TEST(Options, RefusesWhatItCannotUse)
{
    for (const char* line : {"--frame-ms 0",
                             "--frame-ms -5",
                             "--frame-ms 12x",
                             "--start-ms 4294967296",
                             "--capture-every 0",
                             "--pixel-format 888",
                             "--scale fit",
                             "--vsync maybe",
                             "--inject-fault Example::Call",
                             "--inject-fault =5",
                             "--inject-fault Unknown::Call=1",
                             "--inject-fault Example::Call=1,4294967295",
                             "--until-ms 0",
                             "--inject-fault X=0",
                             "--inject-fault Example::Call=0x100000000",
                             "--inject-fault Example::Call=-2147483649",
                             "--fps 0",
                             "--bogus",
                             "--data",
                             "--record a.mp4 --from 300 --to 200",
                             "--record a.avi"}) {
        program::Options o;
        std::string error;
        EXPECT_FALSE(parse(line, o, error)) << line;
        EXPECT_FALSE(error.empty()) << line;
    }
}

TEST(Options, StartAtIsAShowTimeTheOtherOptionsAgreeWith)
{
    program::Options o;
    std::string error;
    ASSERT_TRUE(parse("--headless --start-at 1:01.2 --until-ms 70000", o, error)) << error;
    EXPECT_EQ(std::tuple(o.startAtMs.value_or(0), o.headlessOptions.startAtMs, o.untilMs),
              std::tuple(61200u, 61200u, 70000u));
    EXPECT_EQ(o.headlessOptions.showLengthMs, 110000u);
    // Refused in one line, without the usage text: a bad time, an end before the start,
    // and a recording, which starts with --from.
    const std::pair<const char*, const char*> refusals[] = {
        {"--start-at 110", "110 s"},
        {"--start-at -1", "110 s"},
        {"--start-at soon", "110 s"},
        {"--headless --start-at 61.2 --until-ms 61200", "must lie after --start-at"},
        {"--record a.mp4 --start-at 5", "--from"},
    };
    for (auto [line, says] : refusals) {
        program::Options refused;
        EXPECT_FALSE(parse(line, refused, error)) << line;
        EXPECT_NE(error.find(says), std::string::npos) << line << ": " << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << line;
        EXPECT_FALSE(refused.showUsage) << line;
    }
    program::Options unknown;
    EXPECT_FALSE(parse("--start-from 5", unknown, error));
    EXPECT_TRUE(unknown.showUsage);
}

TEST(Options, TheTransportScriptIsReadInOrder)
{
    using Kind = host::headless::TransportAction::Kind;
    program::Options o;
    std::string error;
    ASSERT_TRUE(parse("--headless --transport-script 20=seek:1:01.5,62=pause,62=step,62=back,62.05=resume", o, error))
        << error;
    const std::vector<host::headless::TransportAction>& script = o.headlessOptions.transportScript;
    ASSERT_EQ(script.size(), 5u);
    EXPECT_EQ(std::tuple(script[0].atMs, script[0].kind, script[0].targetMs), std::tuple(20000u, Kind::seek, 61500u));
    EXPECT_EQ(std::tuple(script[1].kind, script[2].kind, script[3].kind, script[4].kind),
              std::tuple(Kind::pause, Kind::step, Kind::stepBack, Kind::resume));
    EXPECT_EQ(script[4].atMs, 62050u);
    for (const char* bad : {"20=seek", "20=seek:120", "pause", "20=play", "20=pause,", "x=pause"}) {
        program::Options refused;
        EXPECT_FALSE(parse(std::string("--transport-script ") + bad, refused, error)) << bad;
    }
}

// The usage text and the parser come from one table: every option the text names is
// one the parser knows, with the value the text shows (the first of its choices).
TEST(Options, TheUsageTextNamesWhatTheParserTakes)
{
    const std::string& text = program::usageText();
    ASSERT_EQ(text.rfind("usage: mornakle [options]\n", 0), 0u);
    std::istringstream lines(text.substr(text.find('\n') + 1));
    int named = 0;
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string name, value;
        words >> name;
        if (name.rfind("--", 0) != 0)
            continue;  // a description's second line
        ++named;
        words >> value;
        std::string args = name;
        if (name == "--inject-fault" && value != "list")
            value = "Example::Call=1";
        else if (name == "--record")
            value = "show.mp4";
        else if (name == "--transport-script")
            value = "1=pause";
        else if (!value.empty() && value.rfind("--", 0) != 0 && std::isupper(static_cast<unsigned char>(value[0])))
            value = name == "--from" ? "0" : "1";  // N, K, T, DIR, FILE
        else
            value = value.substr(0, value.find_first_of("|,"));
        const bool takesValue =
            !(name == "--headless" || name == "--kernel-families" || name == "--help" || name == "--version");
        program::Options o;
        std::string error;
        EXPECT_TRUE(parse(takesValue ? name + " " + value : name, o, error)) << line << ": " << error;
    }
    EXPECT_EQ(named, 23);
}

}  // namespace
