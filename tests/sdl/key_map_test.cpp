#include "key_map.h"

#include <gtest/gtest.h>

using host::sdl::virtualKeyOf;

TEST(KeyMap, LettersDigitsAndFunctionKeysRunAsWin32Numbers)
{
    EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_A), 0x41u);
    EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_Z), 0x5Au);
    EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_1), 0x31u);
    EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_9), 0x39u);
    EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_0), 0x30u);   // SDL puts 0 after 9, Win32 before 1
    EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_KP_0), 0x60u);
    EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_KP_9), 0x69u);
    EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_F1), 0x70u);
    EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_F12), 0x7Bu);
    EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_F13), 0x7Cu);
    EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_F24), 0x87u);
}

TEST(KeyMap, NamedKeysCarryTheirVirtualKeyCodes)
{
    EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_ESCAPE), 27u);   // VK_ESCAPE, the key the demo watches
    EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_RETURN), 0x0Du);
    EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_KP_ENTER), 0x0Du);
    EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_SPACE), 0x20u);
    EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_UP), 0x26u);
    EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_DOWN), 0x28u);
    EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_LEFT), 0x25u);
    EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_RIGHT), 0x27u);
    EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_TAB), 0x09u);
    EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_MINUS), 0xBDu);
}

TEST(KeyMap, LeftAndRightModifiersShareOneCode)
{
    EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_LSHIFT), 0x10u);
    EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_RSHIFT), 0x10u);
    EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_LCTRL), 0x11u);
    EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_RCTRL), 0x11u);
    EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_LALT), 0x12u);
    EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_RALT), 0x12u);
}

TEST(KeyMap, KeysWithoutACodeAndBadScancodesGiveZero)
{
    EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_UNKNOWN), 0u);
    EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_AUDIONEXT), 0u);
    EXPECT_EQ(virtualKeyOf(SDL_Scancode(-1)), 0u);
    EXPECT_EQ(virtualKeyOf(SDL_Scancode(SDL_NUM_SCANCODES)), 0u);
}
