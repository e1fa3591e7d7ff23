// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// SDL's physical keys as the Win32 virtual-key codes that WM_KEYDOWN carries.
#pragma once

#include <SDL_scancode.h>

#include <cstdint>

namespace host::sdl {

// The virtual-key code of a key, 0 for a key Win32 has no code for. Left and right
// modifier keys share one code (VK_SHIFT, VK_CONTROL, VK_MENU), as WM_KEYDOWN reports them.
uint32_t virtualKeyOf(SDL_Scancode scancode);

}  // namespace host::sdl
