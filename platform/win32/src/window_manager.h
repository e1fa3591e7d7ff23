// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The window manager behind the Win32 calls: windows, classes and the thread's one
// message queue. Internal to the stand-in.
#pragma once

#include "windows.h"

#include <string>
#include <vector>

struct HWND__ {
    std::string className;
    std::string text;
    WNDPROC windowProc = nullptr;
    DLGPROC dialogProc = nullptr;  // set for dialogs
    LONG_PTR userData = 0;
    DWORD style = 0;
    RECT rect = {};
    HWND parent = nullptr;
    int controlId = 0;
    bool alive = true;
    bool visible = false;
    HFONT font = nullptr;  // dialogs and their controls: the font their text is drawn in

    // Modal dialog state.
    bool dialogEnded = false;
    INT_PTR dialogResult = 0;
    std::vector<HWND> children;

    // Combo box state.
    std::vector<std::string> items;
    std::vector<LPARAM> itemData;
    int selection = CB_ERR;
};

namespace soft::win32 {

// Makes a window without a registered class procedure (dialogs and their controls).
HWND createBareWindow(const char* className, const char* text, DWORD style, HWND parent, int id);
// The window that host key events go to: the first live top-level window that is not a dialog.
HWND keyboardWindow();
// Moves pending host events (keys, close requests) into the message queue.
void takeHostEvents();
// Takes the first queued message matching the filter.
bool takeMessage(MSG& msg, HWND window, UINT filterMin, UINT filterMax, bool remove);
// Combo box messages, handled by the control itself.
LRESULT comboBoxMessage(HWND combo, UINT message, WPARAM wParam, LPARAM lParam);
// Forgets every window and queued message (for tests that need a fresh thread state).
void resetWindowManager();
// The cursor's show count back at 0, as a process starts.
void resetCursorCount();

}  // namespace soft::win32
