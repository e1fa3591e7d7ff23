// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The part of the Win32 API that the demo calls, with the platform's names, types
// and values, over our own window manager and message queue.
#pragma once

#include <cstddef>
#include <cstdint>

// Basic types. DWORD and LONG keep their 32 bits; handles and the pointer-sized
// integers follow the machine's pointer size.
typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef unsigned int UINT;
typedef int INT;
typedef char CHAR;
typedef intptr_t INT_PTR;
typedef intptr_t LONG_PTR;
typedef uintptr_t UINT_PTR;
typedef uintptr_t DWORD_PTR;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef int32_t HRESULT;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef DWORD* LPDWORD;
typedef void* HANDLE;
typedef DWORD COLORREF;

#ifndef TRUE
#define TRUE  1
#define FALSE 0
#endif

#define WINAPI
#define CALLBACK
#define APIENTRY

struct HWND__;
struct HINSTANCE__;
struct HMENU__;
struct HICON__;
struct HCURSOR__;
struct HMONITOR__;
struct HDC__;
struct HGDIOBJ__;
typedef HWND__* HWND;
typedef HINSTANCE__* HINSTANCE;
typedef HINSTANCE HMODULE;
typedef HMENU__* HMENU;
typedef HICON__* HICON;
typedef HCURSOR__* HCURSOR;
typedef HMONITOR__* HMONITOR;
typedef HDC__* HDC;
// Every GDI object (bitmap, font, pen, brush, region) is one kind of handle here.
typedef HGDIOBJ__* HGDIOBJ;
typedef HGDIOBJ HBITMAP;
typedef HGDIOBJ HFONT;
typedef HGDIOBJ HPEN;
typedef HGDIOBJ HBRUSH;
typedef HGDIOBJ HRGN;

struct GUID {
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];
};
typedef GUID IID;
typedef GUID CLSID;
typedef const GUID& REFIID;
typedef const GUID& REFCLSID;
typedef GUID* LPGUID;

inline bool operator==(const GUID& a, const GUID& b)
{
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3)
        return false;
    for (int i = 0; i < 8; ++i)
        if (a.Data4[i] != b.Data4[i])
            return false;
    return true;
}

struct RECT {
    LONG left, top, right, bottom;
};
typedef RECT* LPRECT;
typedef const RECT* LPCRECT;

struct POINT {
    LONG x, y;
};

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};
typedef MSG* LPMSG;

typedef LRESULT(CALLBACK* WNDPROC)(HWND, UINT, WPARAM, LPARAM);
typedef INT_PTR(CALLBACK* DLGPROC)(HWND, UINT, WPARAM, LPARAM);

struct WNDCLASSA {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
};

// Results.
#define S_OK          ((HRESULT)0)
#define S_FALSE       ((HRESULT)1)
#define E_NOTIMPL     ((HRESULT)0x80004001L)
#define E_NOINTERFACE ((HRESULT)0x80004002L)
#define E_POINTER     ((HRESULT)0x80004003L)
#define E_FAIL        ((HRESULT)0x80004005L)
#define E_OUTOFMEMORY ((HRESULT)0x8007000EL)
#define E_INVALIDARG  ((HRESULT)0x80070057L)
#define SUCCEEDED(hr) (((HRESULT)(hr)) >= 0)
#define FAILED(hr)    (((HRESULT)(hr)) < 0)

#define LOWORD(l)           ((WORD)(((UINT_PTR)(l)) & 0xffff))
#define HIWORD(l)           ((WORD)((((UINT_PTR)(l)) >> 16) & 0xffff))
#define MAKEWPARAM(l, h)    ((WPARAM)(DWORD)(((WORD)(l)) | ((DWORD)((WORD)(h))) << 16))
#define MAKEINTRESOURCEA(i) ((LPSTR)((UINT_PTR)((WORD)(i))))
#define MAKEINTRESOURCE     MAKEINTRESOURCEA
#define IS_INTRESOURCE(p)   ((((UINT_PTR)(p)) >> 16) == 0)

// Window messages.
#define WM_NULL       0x0000
#define WM_CREATE     0x0001
#define WM_DESTROY    0x0002
#define WM_SIZE       0x0005
#define WM_ACTIVATE   0x0006
#define WM_SETFOCUS   0x0007
#define WM_PAINT      0x000F
#define WM_CLOSE      0x0010
#define WM_QUIT       0x0012
#define WM_SHOWWINDOW 0x0018
#define WM_KEYDOWN    0x0100
#define WM_KEYUP      0x0101
#define WM_CHAR       0x0102
#define WM_SYSKEYDOWN 0x0104
#define WM_SYSKEYUP   0x0105
#define WM_INITDIALOG 0x0110
#define WM_COMMAND    0x0111
#define WM_SYSCOMMAND 0x0112
#define WM_USER       0x0400

#define SC_CLOSE 0xF060

// Virtual keys.
#define VK_BACK    0x08
#define VK_TAB     0x09
#define VK_RETURN  0x0D
#define VK_SHIFT   0x10
#define VK_CONTROL 0x11
#define VK_MENU    0x12
#define VK_ESCAPE  0x1B
#define VK_SPACE   0x20
#define VK_PRIOR   0x21
#define VK_NEXT    0x22
#define VK_END     0x23
#define VK_HOME    0x24
#define VK_LEFT    0x25
#define VK_UP      0x26
#define VK_RIGHT   0x27
#define VK_DOWN    0x28
#define VK_F1      0x70
#define VK_F12     0x7B

// Class and window styles.
#define CS_VREDRAW       0x0001
#define CS_HREDRAW       0x0002
#define WS_OVERLAPPED    0x00000000L
#define WS_POPUP         0x80000000L
#define WS_CHILD         0x40000000L
#define WS_VISIBLE       0x10000000L
#define WS_CAPTION       0x00C00000L
#define WS_BORDER        0x00800000L
#define WS_VSCROLL       0x00200000L
#define WS_SYSMENU       0x00080000L
#define WS_GROUP         0x00020000L
#define WS_TABSTOP       0x00010000L
#define DS_SETFONT       0x40L
#define DS_MODALFRAME    0x80L
#define BS_PUSHBUTTON    0x00000000L
#define BS_DEFPUSHBUTTON 0x00000001L
#define CBS_SIMPLE       0x0001L
#define CBS_DROPDOWNLIST 0x0003L
#define SS_LEFT          0x00000000L

#define CW_USEDEFAULT ((int)0x80000000)

// Window data and showing.
#define GWL_WNDPROC    (-4)
#define GWL_USERDATA   (-21)
#define SW_HIDE        0
#define SW_SHOWNORMAL  1
#define SW_SHOW        5
#define SW_SHOWDEFAULT 10

// Message queue.
#define PM_NOREMOVE 0x0000
#define PM_REMOVE   0x0001

// Dialogs and controls.
#define IDOK            1
#define IDCANCEL        2
#define BN_CLICKED      0
#define CBN_SELCHANGE   1
#define CB_ERR          (-1)
#define CB_ADDSTRING    0x0143
#define CB_GETCOUNT     0x0146
#define CB_GETCURSEL    0x0147
#define CB_GETLBTEXT    0x0148
#define CB_SETCURSEL    0x014E
#define CB_GETITEMDATA  0x0150
#define CB_SETITEMDATA  0x0151
#define CB_RESETCONTENT 0x014B

// Message boxes.
#define MB_OK        0x00000000L
#define MB_ICONERROR 0x00000010L
#define IDOK_RESULT  1

// Windows.
WORD WINAPI RegisterClassA(const WNDCLASSA* wndClass);
HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                            int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
BOOL WINAPI DestroyWindow(HWND window);
BOOL WINAPI IsWindow(HWND window);
BOOL WINAPI ShowWindow(HWND window, int showCommand);
BOOL WINAPI UpdateWindow(HWND window);
LRESULT WINAPI DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// On this 64-bit platform the window long is pointer-sized, as with SetWindowLongPtrA,
// so that GWL_USERDATA can hold a pointer.
LONG_PTR WINAPI SetWindowLongA(HWND window, int index, LONG_PTR value);
LONG_PTR WINAPI GetWindowLongA(HWND window, int index);

// The thread's message queue.
void WINAPI PostQuitMessage(int exitCode);
BOOL WINAPI PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT WINAPI SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL WINAPI PeekMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags);
BOOL WINAPI TranslateMessage(const MSG* msg);
LRESULT WINAPI DispatchMessageA(const MSG* msg);

// Dialogs.
INT_PTR WINAPI DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND owner, DLGPROC dialogProc,
                               LPARAM initParam);
BOOL WINAPI EndDialog(HWND dialog, INT_PTR result);
HWND WINAPI GetDlgItem(HWND dialog, int itemId);
LRESULT WINAPI SendDlgItemMessageA(HWND dialog, int itemId, UINT message, WPARAM wParam, LPARAM lParam);
int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

// Miscellaneous.
int WINAPI ShowCursor(BOOL show);
DWORD WINAPI GetTickCount();
void WINAPI OutputDebugStringA(LPCSTR text);
BOOL WINAPI SetRect(LPRECT rect, int left, int top, int right, int bottom);
HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName);

// The program's entry, called by the host once the platform is up.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int showCommand);

#include "wingdi.h"
