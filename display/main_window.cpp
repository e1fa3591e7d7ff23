// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "display/main_window.h"

namespace {

// The window carries the context in its user data. 64-bit Windows keeps a pointer
// only with the pointer-sized calls; the 32-bit program uses the window long.
void keepContext(HWND window, DisplayContext* context)
{
#ifdef _WIN64
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(context));
#else
    SetWindowLongA(window, GWL_USERDATA, reinterpret_cast<LONG_PTR>(context));
#endif
}

DisplayContext* keptContext(HWND window)
{
#ifdef _WIN64
    return reinterpret_cast<DisplayContext*>(GetWindowLongPtrA(window, GWLP_USERDATA));
#else
    return reinterpret_cast<DisplayContext*>(GetWindowLongA(window, GWL_USERDATA));
#endif
}

}  // namespace

void createMainWindow(HINSTANCE instance, int showCommand, DisplayContext* context)
{
    context->instance = instance;

    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = mainWindowName;
    RegisterClassA(&windowClass);

    context->window =
        CreateWindowExA(0, mainWindowName, mainWindowName, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    keepContext(context->window, context);
    ShowWindow(context->window, showCommand);
    UpdateWindow(context->window);
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DisplayContext* context = keptContext(window);
    switch (message) {
    case WM_CREATE:
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE && context)
            context->quitRequested = 1;
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
