// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "key_map.h"

#include <array>

namespace host::sdl {
namespace {

struct KeyPair {
    SDL_Scancode scancode;
    uint32_t virtualKey;
};

// The keys outside the letter, digit and function-key runs, with Win32's codes.
constexpr KeyPair namedKeys[] = {
    {SDL_SCANCODE_BACKSPACE, 0x08},
    {SDL_SCANCODE_TAB, 0x09},
    {SDL_SCANCODE_RETURN, 0x0D},
    {SDL_SCANCODE_KP_ENTER, 0x0D},
    {SDL_SCANCODE_LSHIFT, 0x10},
    {SDL_SCANCODE_RSHIFT, 0x10},
    {SDL_SCANCODE_LCTRL, 0x11},
    {SDL_SCANCODE_RCTRL, 0x11},
    {SDL_SCANCODE_LALT, 0x12},
    {SDL_SCANCODE_RALT, 0x12},
    {SDL_SCANCODE_PAUSE, 0x13},
    {SDL_SCANCODE_CAPSLOCK, 0x14},
    {SDL_SCANCODE_ESCAPE, 0x1B},
    {SDL_SCANCODE_SPACE, 0x20},
    {SDL_SCANCODE_PAGEUP, 0x21},
    {SDL_SCANCODE_PAGEDOWN, 0x22},
    {SDL_SCANCODE_END, 0x23},
    {SDL_SCANCODE_HOME, 0x24},
    {SDL_SCANCODE_LEFT, 0x25},
    {SDL_SCANCODE_UP, 0x26},
    {SDL_SCANCODE_RIGHT, 0x27},
    {SDL_SCANCODE_DOWN, 0x28},
    {SDL_SCANCODE_PRINTSCREEN, 0x2C},
    {SDL_SCANCODE_INSERT, 0x2D},
    {SDL_SCANCODE_DELETE, 0x2E},
    {SDL_SCANCODE_LGUI, 0x5B},
    {SDL_SCANCODE_RGUI, 0x5C},
    {SDL_SCANCODE_APPLICATION, 0x5D},
    {SDL_SCANCODE_KP_MULTIPLY, 0x6A},
    {SDL_SCANCODE_KP_PLUS, 0x6B},
    {SDL_SCANCODE_KP_MINUS, 0x6D},
    {SDL_SCANCODE_KP_PERIOD, 0x6E},
    {SDL_SCANCODE_KP_DIVIDE, 0x6F},
    {SDL_SCANCODE_NUMLOCKCLEAR, 0x90},
    {SDL_SCANCODE_SCROLLLOCK, 0x91},
    {SDL_SCANCODE_SEMICOLON, 0xBA},
    {SDL_SCANCODE_EQUALS, 0xBB},
    {SDL_SCANCODE_COMMA, 0xBC},
    {SDL_SCANCODE_MINUS, 0xBD},
    {SDL_SCANCODE_PERIOD, 0xBE},
    {SDL_SCANCODE_SLASH, 0xBF},
    {SDL_SCANCODE_GRAVE, 0xC0},
    {SDL_SCANCODE_LEFTBRACKET, 0xDB},
    {SDL_SCANCODE_BACKSLASH, 0xDC},
    {SDL_SCANCODE_RIGHTBRACKET, 0xDD},
    {SDL_SCANCODE_APOSTROPHE, 0xDE},
    {SDL_SCANCODE_NONUSBACKSLASH, 0xE2},
};

constexpr uint32_t vkLetterA = 0x41;  // 'A'; the letters run on to 'Z'
constexpr uint32_t vkDigit0 = 0x30;   // '0'; the digits run on to '9'
constexpr uint32_t vkNumpad0 = 0x60;  // VK_NUMPAD0 to VK_NUMPAD9
constexpr uint32_t vkF1 = 0x70;       // VK_F1 to VK_F12
constexpr uint32_t vkF13 = 0x7C;      // VK_F13 to VK_F24

std::array<uint32_t, SDL_NUM_SCANCODES> buildTable()
{
    std::array<uint32_t, SDL_NUM_SCANCODES> table{};
    for (int i = 0; i < 26; ++i)
        table[SDL_SCANCODE_A + i] = vkLetterA + i;
    // SDL runs its digit keys 1 to 9, then 0.
    for (int i = 0; i < 9; ++i)
        table[SDL_SCANCODE_1 + i] = vkDigit0 + 1 + i;
    table[SDL_SCANCODE_0] = vkDigit0;
    for (int i = 0; i < 9; ++i)
        table[SDL_SCANCODE_KP_1 + i] = vkNumpad0 + 1 + i;
    table[SDL_SCANCODE_KP_0] = vkNumpad0;
    for (int i = 0; i < 12; ++i)
        table[SDL_SCANCODE_F1 + i] = vkF1 + i;
    for (int i = 0; i < 12; ++i)
        table[SDL_SCANCODE_F13 + i] = vkF13 + i;
    for (const KeyPair& key : namedKeys)
        table[key.scancode] = key.virtualKey;
    return table;
}

}  // namespace

uint32_t virtualKeyOf(SDL_Scancode scancode)
{
    static const std::array<uint32_t, SDL_NUM_SCANCODES> table = buildTable();
    if (scancode < 0 || scancode >= SDL_NUM_SCANCODES)
        return 0;
    return table[scancode];
}

}  // namespace host::sdl
