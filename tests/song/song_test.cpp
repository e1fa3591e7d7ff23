#include "song/song.h"

#include <gtest/gtest.h>
#include <xmp.h>

namespace {

class LoadedSong : public ::testing::Test {
protected:
    void SetUp() override
    {
        bytes = composeBackXm();
        context = xmp_create_context();
        ASSERT_EQ(0, xmp_load_module_from_memory(context, bytes.data(), long(bytes.size())));
        xmp_get_module_info(context, &info);
    }
    void TearDown() override
    {
        xmp_release_module(context);
        xmp_free_context(context);
    }

    std::vector<uint8_t> bytes;
    xmp_context context = nullptr;
    xmp_module_info info{};
};

TEST_F(LoadedSong, LastsTheWholeShowAtItsTempo)
{
    const xmp_module* module = info.mod;
    EXPECT_EQ(66, module->len);
    EXPECT_EQ(6, module->spd);
    EXPECT_EQ(144, module->bpm);
    ASSERT_EQ(0, xmp_start_player(context, 44100, 0));
    xmp_frame_info frame{};
    xmp_get_frame_info(context, &frame);
    EXPECT_NEAR(110000, frame.total_time, 30);
    xmp_end_player(context);
}

}  // namespace
