#include "gen_test_support.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// Every file the show opens, as the demo names them; the song is composed by a generator of its own.
const char* const showFiles[] = {"hus.3ds",    "box.3ds",      "light.3ds",    "loop.bmp",       "woody.bmp",
                                 "bonde.bmp",  "lame.bmp",     "back2.bmp",    "circles.bmp",    "lines.bmp",
                                 "mannen.bmp", "nurturei.bmp", "rightnow.bmp", "screen1tex.raw", "back.xm"};

TEST(GeneratedFiles, TheBuildLeavesEveryFileOfTheShowAndTheArtIsMadeOnceEach)
{
    for (const char* name : showFiles)
        EXPECT_FALSE(readDataFile(name).empty()) << dataPath(name);
    std::set<std::string> made, expected(std::begin(showFiles), std::end(showFiles) - 1);
    for (const GeneratedFile& file : artFiles())
        EXPECT_TRUE(made.insert(file.name).second) << file.name << " is made twice";
    EXPECT_EQ(made, expected);
}

TEST(GeneratedFiles, TwoRunsGiveTheSameBytesAndTheBuiltFilesAreCurrent)
{
    for (const GeneratedFile& file : artFiles()) {
        const std::vector<uint8_t> first = file.make();
        EXPECT_EQ(first, file.make()) << file.name << " differs between two runs";
        EXPECT_EQ(first, readDataFile(file.name)) << file.name << " in the data folder is not what the generator makes";
    }
}

}  // namespace
