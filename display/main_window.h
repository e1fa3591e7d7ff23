// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The demo's one window: it owns the full-screen mode, receives the keyboard and is
// handed to the sound library. Escape is the only key with a meaning.
#pragma once

#include "display/display_context.h"

// The class name, which is also the window's title.
constexpr const char* mainWindowName = "Mornakle 3D";

void createMainWindow(HINSTANCE instance, int showCommand, DisplayContext* context);
LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
