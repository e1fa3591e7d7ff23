// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Window classes, windows and the thread's message queue.
#include "window_manager.h"

#include "win32_soft.h"

#include "host/host.h"
#include "soft/faults.h"

#include <deque>
#include <map>
#include <memory>

namespace {

// The calls made here that a test can make fail.
const soft::FaultPoint createWindowExAFault("CreateWindowExA");
const soft::FaultPoint registerClassAFault("RegisterClassA");

std::map<std::string, WNDCLASSA>& classes()
{
    static std::map<std::string, WNDCLASSA> table;
    return table;
}

// Windows are never freed while the process runs, so a stale handle stays safe to
// look at (IsWindow then answers FALSE).
std::vector<std::unique_ptr<HWND__>>& windows()
{
    static std::vector<std::unique_ptr<HWND__>> all;
    return all;
}

std::deque<MSG>& queue()
{
    static std::deque<MSG> messages;
    return messages;
}

bool isLive(HWND window)
{
    for (auto& w : windows())
        if (w.get() == window)
            return w->alive;
    return false;
}

LRESULT callWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!isLive(window))
        return 0;
    if (window->className == "combobox")
        return soft::win32::comboBoxMessage(window, message, wParam, lParam);
    if (window->windowProc)
        return window->windowProc(window, message, wParam, lParam);
    if (window->dialogProc)
        return window->dialogProc(window, message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

void post(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    queue().push_back(MSG{window, message, wParam, lParam, 0, {0, 0}});
}

}  // namespace

namespace soft::win32 {

HWND createBareWindow(const char* className, const char* text, DWORD style, HWND parent, int id)
{
    auto window = std::make_unique<HWND__>();
    window->className = className ? className : "";
    window->text = text ? text : "";
    window->style = style;
    window->parent = parent;
    window->controlId = id;
    window->visible = (style & WS_VISIBLE) != 0;
    windows().push_back(std::move(window));
    return windows().back().get();
}

HWND keyboardWindow()
{
    for (auto& w : windows())
        if (w->alive && !w->parent && !w->dialogProc)
            return w.get();
    return nullptr;
}

void takeHostEvents()
{
    if (!host::installed())
        return;
    host::Event event;
    while (host::current().pollEvent(event)) {
        HWND target = keyboardWindow();
        if (!target)
            continue;
        switch (event.kind) {
        case host::EventKind::keyDown:
            post(target, WM_KEYDOWN, event.virtualKey, 1);
            break;
        case host::EventKind::keyUp:
            post(target, WM_KEYUP, event.virtualKey, LPARAM(0xC0000001));
            break;
        case host::EventKind::quit:
            // Closing the window ends the show the way the user would: with Escape.
            post(target, WM_KEYDOWN, VK_ESCAPE, 1);
            post(target, WM_KEYUP, VK_ESCAPE, LPARAM(0xC0000001));
            break;
        case host::EventKind::mouseMove:
        case host::EventKind::mouseDown:
        case host::EventKind::mouseUp:
            break;  // the show takes no mouse input
        }
    }
}

bool takeMessage(MSG& msg, HWND window, UINT filterMin, UINT filterMax, bool remove)
{
    bool anyMessage = filterMin == 0 && filterMax == 0;
    for (auto it = queue().begin(); it != queue().end(); ++it) {
        if (window && it->hwnd != window)
            continue;
        if (!anyMessage && (it->message < filterMin || it->message > filterMax))
            continue;
        msg = *it;
        if (remove)
            queue().erase(it);
        return true;
    }
    return false;
}

void resetWindowManager()
{
    for (auto& w : windows())
        w->alive = false;
    queue().clear();
    classes().clear();
}

void startAfresh()
{
    resetWindowManager();
    windows().clear();
    resetCursorCount();
}

}  // namespace soft::win32

WORD WINAPI RegisterClassA(const WNDCLASSA* wndClass)
{
    if (!wndClass || !wndClass->lpszClassName || registerClassAFault.take())
        return 0;
    auto [it, added] = classes().emplace(wndClass->lpszClassName, *wndClass);
    if (!added)
        return 0;  // the class exists already
    return WORD(classes().size());
}

HWND WINAPI CreateWindowExA(DWORD, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                            int height, HWND parent, HMENU, HINSTANCE, LPVOID)
{
    if (!className || createWindowExAFault.take())
        return nullptr;
    auto found = classes().find(className);
    if (found == classes().end())
        return nullptr;
    HWND window = soft::win32::createBareWindow(className, windowName, style, parent, 0);
    window->windowProc = found->second.lpfnWndProc;
    window->rect = RECT{x, y, x + width, y + height};
    if (!parent && windowName && host::installed())
        host::current().setTitle(windowName);
    if (window->windowProc && window->windowProc(window, WM_CREATE, 0, 0) == -1) {
        window->alive = false;
        return nullptr;
    }
    return window;
}

BOOL WINAPI DestroyWindow(HWND window)
{
    if (!isLive(window))
        return FALSE;
    for (HWND child : window->children)
        DestroyWindow(child);
    callWindow(window, WM_DESTROY, 0, 0);
    window->alive = false;
    return TRUE;
}

BOOL WINAPI IsWindow(HWND window) { return isLive(window) ? TRUE : FALSE; }

BOOL WINAPI ShowWindow(HWND window, int showCommand)
{
    if (!isLive(window))
        return FALSE;
    BOOL wasVisible = window->visible;
    window->visible = showCommand != SW_HIDE;
    return wasVisible;
}

BOOL WINAPI UpdateWindow(HWND window) { return isLive(window) ? TRUE : FALSE; }

LRESULT WINAPI DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE)
            post(window, WM_CLOSE, 0, 0);
        return 0;
    default:
        return 0;
    }
}

LONG_PTR WINAPI SetWindowLongA(HWND window, int index, LONG_PTR value)
{
    if (!isLive(window))
        return 0;
    LONG_PTR previous = 0;
    if (index == GWL_USERDATA) {
        previous = window->userData;
        window->userData = value;
    } else if (index == GWL_WNDPROC) {
        previous = reinterpret_cast<LONG_PTR>(window->windowProc);
        window->windowProc = reinterpret_cast<WNDPROC>(value);
    }
    return previous;
}

LONG_PTR WINAPI GetWindowLongA(HWND window, int index)
{
    if (!isLive(window))
        return 0;
    if (index == GWL_USERDATA)
        return window->userData;
    if (index == GWL_WNDPROC)
        return reinterpret_cast<LONG_PTR>(window->windowProc);
    return 0;
}

void WINAPI PostQuitMessage(int exitCode) { post(nullptr, WM_QUIT, WPARAM(exitCode), 0); }

BOOL WINAPI PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (window && !isLive(window))
        return FALSE;
    post(window, message, wParam, lParam);
    return TRUE;
}

LRESULT WINAPI SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return callWindow(window, message, wParam, lParam);
}

BOOL WINAPI PeekMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags)
{
    if (!msg)
        return FALSE;
    soft::win32::takeHostEvents();
    return soft::win32::takeMessage(*msg, window, filterMin, filterMax, (removeFlags & PM_REMOVE) != 0) ? TRUE : FALSE;
}

BOOL WINAPI TranslateMessage(const MSG* msg)
{
    if (!msg || msg->message != WM_KEYDOWN)
        return FALSE;
    WPARAM key = msg->wParam;
    bool printable = (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z') || key == VK_SPACE;
    if (!printable && key != VK_ESCAPE && key != VK_RETURN && key != VK_BACK && key != VK_TAB)
        return FALSE;
    WPARAM character = (key >= 'A' && key <= 'Z') ? key + ('a' - 'A') : key;
    post(msg->hwnd, WM_CHAR, character, msg->lParam);
    return TRUE;
}

LRESULT WINAPI DispatchMessageA(const MSG* msg)
{
    if (!msg || !msg->hwnd)
        return 0;
    return callWindow(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}
