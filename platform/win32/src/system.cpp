// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Message boxes, the cursor, the tick counter, debugger output and small helpers.
#include "windows.h"

#include "window_manager.h"

#include "host/host.h"

#include <cstdio>

namespace {
int cursorCount = 0;  // the cursor shows while this is 0 or more
HINSTANCE__* const programModule = reinterpret_cast<HINSTANCE__*>(0x400000);
}  // namespace

int WINAPI MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT)
{
    host::current().messageBox(caption ? caption : "Error", text ? text : "");
    return IDOK;
}

void soft::win32::resetCursorCount() { cursorCount = 0; }

int WINAPI ShowCursor(BOOL show)
{
    cursorCount += show ? 1 : -1;
    if (host::installed())
        host::current().setCursorVisible(cursorCount >= 0);
    return cursorCount;
}

DWORD WINAPI GetTickCount() { return host::current().tickCount(); }

void WINAPI OutputDebugStringA(LPCSTR text)
{
    if (text)
        std::fputs(text, stderr);
}

BOOL WINAPI SetRect(LPRECT rect, int left, int top, int right, int bottom)
{
    if (!rect)
        return FALSE;
    *rect = RECT{left, top, right, bottom};
    return TRUE;
}

// Only the program's own module has a handle; its bitmap resources are found through it.
HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName) { return moduleName ? nullptr : programModule; }
