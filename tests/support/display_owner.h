// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#pragma once

#include "windows.h"

// A window to own the display: exclusive access belongs to a window.
inline HWND displayOwnerWindow()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.lpszClassName = "display owner";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, "display owner", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
}
