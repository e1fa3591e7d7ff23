// The screen fades: one screen-space quad whose alpha carries the level.
#include "effects/fades.h"
#include "recording_device.h"

#include <gtest/gtest.h>

namespace {

TEST(Fades, OneTriangleListOfSixScreenCornersCarryingTheTruncatedLevel)
{
    const float corners[6][2] = {{0, 0}, {640, 0}, {640, 480}, {0, 0}, {640, 480}, {0, 480}};
    const struct {
        void (*draw)(float, DisplayContext*);
        D3DCOLOR colour;
    } fades[] = {{drawWhiteFade, 0xFFFFFF}, {drawBlackFade, 0}};
    const std::pair<float, D3DCOLOR> alphas[] = {{0.0f, 0x00}, {0.5f, 0x7F}, {0.999f, 0xFE}, {1.0f, 0xFF}};
    for (const auto& fade : fades)
        for (auto [level, alpha] : alphas) {
            RecordingDevice device;
            DisplayContext context{};
            context.device = &device;
            fade.draw(level, &context);
            const std::vector<DeviceCall>& calls = device.calls;
            ASSERT_EQ(calls.size(), 8u);  // no render state is touched
            EXPECT_EQ(calls[0].kind, DeviceCall::begin);
            EXPECT_EQ(calls[0].a, DWORD(D3DPT_TRIANGLELIST));
            EXPECT_EQ(calls[0].b, DWORD(D3DVT_TLVERTEX));
            EXPECT_EQ(calls[0].c, DWORD(D3DDP_WAIT));
            EXPECT_EQ(calls[7].kind, DeviceCall::end);
            EXPECT_EQ(calls[7].a, 0u);
            for (int i = 0; i < 6; ++i) {
                const D3DTLVERTEX& v = calls[1 + i].tlvertex;
                EXPECT_EQ(calls[1 + i].kind, DeviceCall::vertex);
                EXPECT_EQ(v.sx, corners[i][0]) << i;
                EXPECT_EQ(v.sy, corners[i][1]) << i;
                EXPECT_EQ(v.sz, 0.0f);
                EXPECT_EQ(v.rhw, 1.0f);
                EXPECT_EQ(v.color, alpha << 24 | fade.colour) << level;
                EXPECT_EQ(v.specular, 0xFF000000u);
            }
        }
}

}  // namespace
