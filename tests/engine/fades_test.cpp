// The screen fades: one screen-space quad whose alpha carries the level.
#include "effects/fades.h"
#include "recording_device.h"

#include <gtest/gtest.h>

namespace {

std::vector<DeviceCall> fade(void (*draw)(float, DisplayContext*), float level)
{
    RecordingDevice device;
    DisplayContext context{};
    context.device = &device;
    draw(level, &context);
    return device.calls;
}

TEST(Fades, OneTriangleListOfSixScreenCornersInOrder)
{
    for (auto draw : {drawWhiteFade, drawBlackFade}) {
        auto calls = fade(draw, 0.5f);
        ASSERT_EQ(calls.size(), 8u);  // no render state is touched
        EXPECT_EQ(calls[0].kind, DeviceCall::begin);
        EXPECT_EQ(calls[0].a, DWORD(D3DPT_TRIANGLELIST));
        EXPECT_EQ(calls[0].b, DWORD(D3DVT_TLVERTEX));
        EXPECT_EQ(calls[0].c, DWORD(D3DDP_WAIT));
        EXPECT_EQ(calls[7].kind, DeviceCall::end);
        EXPECT_EQ(calls[7].a, 0u);
        const float corners[6][2] = {{0, 0}, {640, 0}, {640, 480}, {0, 0}, {640, 480}, {0, 480}};
        for (int i = 0; i < 6; ++i) {
            const D3DTLVERTEX& v = calls[1 + i].tlvertex;
            EXPECT_EQ(calls[1 + i].kind, DeviceCall::vertex);
            EXPECT_EQ(v.sx, corners[i][0]) << i;
            EXPECT_EQ(v.sy, corners[i][1]) << i;
            EXPECT_EQ(v.sz, 0.0f);
            EXPECT_EQ(v.rhw, 1.0f);
            EXPECT_EQ(v.specular, 0xFF000000u);
        }
    }
}

TEST(Fades, WhiteAndBlackCarryTheLevelTruncatedInTheirAlpha)
{
    struct Case {
        float level;
        D3DCOLOR alpha;
    } cases[] = {{0.0f, 0x00}, {0.5f, 0x7F}, {0.999f, 0xFE}, {1.0f, 0xFF}};
    for (const Case& c : cases) {
        for (const DeviceCall& call : fade(drawWhiteFade, c.level)) {
            if (call.kind == DeviceCall::vertex) {
                EXPECT_EQ(call.tlvertex.color, c.alpha << 24 | 0xFFFFFFu) << c.level;
            }
        }
        for (const DeviceCall& call : fade(drawBlackFade, c.level)) {
            if (call.kind == DeviceCall::vertex) {
                EXPECT_EQ(call.tlvertex.color, c.alpha << 24) << c.level;
            }
        }
    }
}

}  // namespace
