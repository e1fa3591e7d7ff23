// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "key_map.h"

#include <gtest/gtest.h>

using host::sdl::virtualKeyOf;

// Win32 key codes for SDL scancodes: runs of letters, digits (SDL puts 0 after 9, Win32 before 1) and
// function keys, named keys, modifiers sharing one code, and zero for keys without one.
TEST(KeyMap, ScancodesGiveTheirWin32VirtualKeys)
{
    const std::pair<int, uint32_t> cases[] = {
        {SDL_SCANCODE_A, 0x41},     {SDL_SCANCODE_Z, 0x5A},     {SDL_SCANCODE_9, 0x39},
        {SDL_SCANCODE_0, 0x30},     {SDL_SCANCODE_KP_9, 0x69},  {SDL_SCANCODE_F12, 0x7B},
        {SDL_SCANCODE_F13, 0x7C},   {SDL_SCANCODE_ESCAPE, 27},  {SDL_SCANCODE_KP_ENTER, 0x0D},
        {SDL_SCANCODE_LEFT, 0x25},  {SDL_SCANCODE_MINUS, 0xBD}, {SDL_SCANCODE_RSHIFT, 0x10},
        {SDL_SCANCODE_RCTRL, 0x11}, {SDL_SCANCODE_LALT, 0x12},  {SDL_SCANCODE_AUDIONEXT, 0},
        {SDL_NUM_SCANCODES, 0},
    };
    for (auto [scancode, virtualKey] : cases)
        EXPECT_EQ(virtualKeyOf(SDL_Scancode(scancode)), virtualKey) << "scancode " << scancode;
}
