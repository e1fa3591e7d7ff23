#include "display/main_window.h"

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
    SetWindowLongA(context->window, GWL_USERDATA, reinterpret_cast<LONG_PTR>(context));
    ShowWindow(context->window, showCommand);
    UpdateWindow(context->window);
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* context = reinterpret_cast<DisplayContext*>(GetWindowLongA(window, GWL_USERDATA));
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
