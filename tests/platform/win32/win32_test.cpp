// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The message queue, host events as key messages, modal dialogs and their combo boxes.
#include "gdi_soft.h"
#include "host/headless_host.h"
#include "soft/faults.h"
#include "win32_resources.h"
#include "windows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

namespace {

std::vector<MSG> received;

LRESULT CALLBACK recordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    received.push_back(MSG{window, message, wParam, lParam, 0, {0, 0}});
    return DefWindowProcA(window, message, wParam, lParam);
}

class Win32Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        received.clear();
        hostObject = host::headless::makeHeadlessHost(options);
        host::install(hostObject.get());
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = recordingProcedure;
        windowClass.lpszClassName = "test";
        RegisterClassA(&windowClass);
        window = CreateWindowExA(0, "test", "test", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(window, nullptr);
        received.clear();
    }
    void TearDown() override
    {
        DestroyWindow(window);
        pump();  // nothing is left for the next test
        host::install(nullptr);
    }

    static std::vector<UINT> pump()
    {
        std::vector<UINT> taken;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            taken.push_back(msg.message);
            DispatchMessageA(&msg);
        }
        return taken;
    }

    host::headless::HeadlessHostOptions options;
    std::unique_ptr<host::headless::HeadlessHost> hostObject;
    HWND window = nullptr;
};

// Peeking leaves messages; WM_CLOSE destroys the window; a quit is dispatched like any message.
TEST_F(Win32Test, MessagesAreTakenInOrderAndCloseDestroysTheWindow)
{
    PostMessageA(window, WM_USER + 1, 1, 0);
    PostMessageA(window, WM_USER + 2, 2, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, UINT(WM_USER + 1));
    EXPECT_EQ(pump(), (std::vector<UINT>{WM_USER + 1, WM_USER + 2}));
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    received.clear();
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[1].message, UINT(WM_DESTROY));
    PostQuitMessage(0);
    EXPECT_EQ(pump(), std::vector<UINT>{WM_QUIT});
    EXPECT_EQ(SendMessageA(window, WM_USER, 0, 0), 0);
}

TEST_F(Win32Test, HostKeysArriveAsKeyMessagesAndACloseRequestAsEscape)
{
    hostObject->postEvent({host::EventKind::keyDown, VK_SPACE});
    hostObject->postEvent({host::EventKind::keyUp, VK_SPACE});
    hostObject->postEvent({host::EventKind::quit, 0});
    pump();
    std::vector<std::pair<UINT, WPARAM>> keys;
    for (const MSG& m : received)
        keys.emplace_back(m.message, m.message == WM_KEYDOWN ? m.wParam : 0);
    EXPECT_EQ(keys, (std::vector<std::pair<UINT, WPARAM>>{
                        {WM_KEYDOWN, VK_SPACE}, {WM_KEYUP, 0}, {WM_KEYDOWN, VK_ESCAPE}, {WM_KEYUP, 0}}));
    EXPECT_EQ(received[0].hwnd, window);
}

TEST_F(Win32Test, CursorCountFollowsShowCursor)
{
    EXPECT_TRUE(ShowCursor(FALSE) == -1 && !hostObject->cursorVisible());
    EXPECT_TRUE(ShowCursor(TRUE) == 0 && hostObject->cursorVisible());
}

// A small dialog: a combo box and the two buttons.
constexpr DWORD stop = WS_VISIBLE | WS_TABSTOP;
const std::vector<soft::win32::DialogItemTemplate> testItems = {
    {IDOK, "button", 10, 20, 30, 14, DWORD(BS_DEFPUSHBUTTON | stop), "OK"},
    {IDCANCEL, "button", 50, 20, 30, 14, stop, "Cancel"},
    {500, "combobox", 10, 4, 80, 40, DWORD(CBS_DROPDOWNLIST | stop), ""}};
const soft::win32::DialogTemplate testDialog = {
    7001, 0, "Pick", 0, 0, 100, 40, WS_POPUP | WS_CAPTION, "MS Sans Serif", 8, testItems};

struct DialogLog {
    std::vector<UINT> messages;
    LRESULT selectionAtOk = -2;
} dialogLog;

INT_PTR CALLBACK testDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    dialogLog.messages.push_back(message);
    if (message == WM_INITDIALOG) {
        SendDlgItemMessageA(dialog, 500, CB_ADDSTRING, 0, LPARAM("first"));
        SendDlgItemMessageA(dialog, 500, CB_ADDSTRING, 0, LPARAM("second"));
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        dialogLog.selectionAtOk = SendDlgItemMessageA(dialog, 500, CB_GETCURSEL, 0, 0);
        EndDialog(dialog, 11);
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL)
        EndDialog(dialog, 22);
    return message == WM_COMMAND;
}

using Answer = host::headless::HeadlessHostOptions::DialogAnswer;
using Script = std::vector<host::Event>;
host::Event key(uint32_t vk, host::EventKind kind = host::EventKind::keyDown) { return {kind, vk}; }
host::Event keyUp(uint32_t vk) { return {host::EventKind::keyUp, vk}; }
host::Event press(int x, int y) { return {host::EventKind::mouseDown, 0, x, y}; }
host::Event release(int x, int y) { return {host::EventKind::mouseUp, 0, x, y}; }
host::Event move(int x, int y) { return {host::EventKind::mouseMove, 0, x, y}; }
Script click(int x, int y) { return {press(x, y), release(x, y)}; }
Script operator+(Script a, const Script& b) { return a.insert(a.end(), b.begin(), b.end()), a; }

// The test dialog's picture, 154 x 87: OK at (17, 52), Cancel at (77, 52), both 45 x 23; the combo
// box's field from (17, 26), its list below.
class DialogTest : public Win32Test {
protected:
    // Runs the dialog over a host that sends `script`, then `answer`.
    INT_PTR run(std::vector<host::Event> script, Answer answer = Answer::ok)
    {
        soft::win32::registerDialogResource(&testDialog);
        host::headless::HeadlessHostOptions o;
        o.dialogScript = std::move(script);
        o.dialogAnswer = answer;
        dialogHost = host::headless::makeHeadlessHost(o);
        host::install(dialogHost.get());
        dialogLog = {};
        INT_PTR result = DialogBoxParamA(nullptr, MAKEINTRESOURCEA(7001), window, testDialogProcedure, 0);
        host::install(hostObject.get());
        return result;
    }
    bool closeSent() const { return std::ranges::count(dialogLog.messages, UINT(WM_CLOSE)) > 0; }
    uint16_t at(int x, int y) const
    {
        const host::Frame& f = dialogHost->lastDialog();
        return reinterpret_cast<const uint16_t*>(f.pixels + size_t(y) * f.pitch)[x];
    }
    int darkInField() const  // dark pixels where the combo box shows its selection
    {
        int dark = 0;
        for (int y = 29; y < 44; ++y)
            for (int x = 20; x < 116; ++x)
                dark += at(x, y) == 0;
        return dark;
    }
    std::unique_ptr<host::headless::HeadlessHost> dialogHost;
};

// As Windows' dialog manager runs a dialog: Enter presses the default (or focused) button and Escape is
// Cancel, both as the key goes down; Space and the mouse push a button in, and it acts when let go over it;
// the close box sends WM_CLOSE, which a procedure that leaves it unhandled gets as Cancel.
TEST_F(DialogTest, KeysAndClicksWorkTheControls)
{
    const host::Event tab = key(VK_TAB), down = key(VK_DOWN), shift = key(VK_SHIFT), space = key(VK_SPACE);
    const host::Event unshift = keyUp(VK_SHIFT), unspace = keyUp(VK_SPACE);
    const struct {
        const char* what;
        Script script;
        Answer answer;
        INT_PTR result;
        LRESULT selection;  // at OK
        bool closeSent;
    } cases[] = {
        {"Enter on OK, nothing selected", {}, Answer::ok, 11, CB_ERR, false},
        {"Escape is Cancel", {}, Answer::cancel, 22, -2, false},
        {"close request", {}, Answer::close, 22, -2, true},
        {"Down from nothing picks the first", {down}, Answer::ok, 11, 0, false},
        {"Down, Down, Up", {down, down, key(VK_UP)}, Answer::ok, 11, 0, false},
        {"Down, Down", {down, down}, Answer::ok, 11, 1, false},
        {"Tab to Cancel, Enter", {tab}, Answer::ok, 22, -2, false},
        {"Tab to Cancel, Space", {tab, space, unspace}, Answer::ok, 22, -2, false},
        {"Space on OK acts when let go", {space, unspace}, Answer::cancel, 11, CB_ERR, false},
        {"Space held down does not act", {space}, Answer::cancel, 22, -2, false},
        {"Space, Tab away, let go: nothing", {space, tab, unspace}, Answer::cancel, 22, -2, false},
        {"Space, F4 to the list, let go: nothing", {space, key(0x73), unspace}, Answer::cancel, 22, -2, false},
        {"Tab to the list, Enter presses OK", {tab, tab}, Answer::ok, 11, CB_ERR, false},
        {"Tab to the list, Space does nothing", {tab, tab, space, unspace}, Answer::cancel, 22, -2, false},
        {"Tab wraps", {tab, tab, tab}, Answer::ok, 11, CB_ERR, false},
        {"Shift+Tab goes back", {tab, tab, shift, tab, unshift}, Answer::ok, 22, -2, false},
        {"F4 drops the list, Down, Enter picks", {key(0x73), down, key(VK_RETURN)}, Answer::ok, 11, 1, false},
        {"Escape folds the dropped list only", {key(0x73), down, key(VK_ESCAPE)}, Answer::ok, 11, CB_ERR, false},
        {"click OK", click(40, 63), Answer::cancel, 11, CB_ERR, false},
        {"click Cancel", click(100, 63), Answer::ok, 22, -2, false},
        {"press OK and hold", {press(40, 63)}, Answer::cancel, 22, -2, false},
        {"press OK, let go off it", {press(40, 63), move(40, 20), release(40, 20)}, Answer::cancel, 22, -2, false},
        {"press OK, let go off the picture", {press(40, 63), release(-1, -1)}, Answer::cancel, 22, -2, false},
        {"press OK, off and back, let go",
         {press(40, 63), move(5, 5), move(41, 64), release(41, 64)},
         Answer::cancel,
         11,
         CB_ERR,
         false},
        {"press Cancel, let go on OK", {press(100, 63), release(40, 63)}, Answer::cancel, 22, -2, false},
        {"click the close box", click(142, 9), Answer::ok, 22, -2, true},
        {"press the close box, let go off it", {press(142, 9), release(120, 9)}, Answer::ok, 11, CB_ERR, false},
        {"click the list open, then its first row", click(60, 30) + click(60, 50), Answer::ok, 11, 0, false},
        {"a click beside the dropped list folds it", click(60, 30) + click(148, 80), Answer::ok, 11, CB_ERR, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(run(c.script, c.answer), c.result) << c.what;
        EXPECT_EQ(dialogLog.selectionAtOk, c.selection) << c.what;
        EXPECT_EQ(closeSent(), c.closeSent) << c.what;
    }
    EXPECT_EQ(dialogLog.messages.front(), UINT(WM_INITDIALOG));
    EXPECT_EQ(DialogBoxParamA(nullptr, MAKEINTRESOURCEA(7002), window, testDialogProcedure, 0), -1);
}

TEST_F(DialogTest, DrawsTheSelectionAndTheFocus)
{
    run({}, Answer::ok);
    EXPECT_EQ(dialogHost->lastDialogTitle(), "Pick");
    // 100 x 40 dialog units of a 6-pixel font, and the frame
    EXPECT_EQ(std::pair(dialogHost->lastDialog().width, dialogHost->lastDialog().height), std::pair(154, 87));
    EXPECT_EQ(darkInField(), 0);
    const uint16_t grey = soft::packColour(soft::PixelFormat::rgb565, 192, 192, 192);
    // The focus rectangle inside OK (inside its default frame), then inside Cancel.
    EXPECT_EQ(std::pair(at(21, 56), at(80, 55)), (std::pair<uint16_t, uint16_t>(0, grey)));
    run({key(VK_TAB)}, Answer::cancel);
    EXPECT_EQ(std::pair(at(21, 56), at(80, 55)), (std::pair<uint16_t, uint16_t>(grey, 0)));

    std::vector<uint16_t> fields[2];
    for (int downs : {1, 2}) {
        run(std::vector<host::Event>(size_t(downs), key(VK_DOWN)), Answer::cancel);
        EXPECT_GT(darkInField(), 10);
        for (int x = 20; x < 116; ++x)
            fields[downs - 1].push_back(at(x, 36));
    }
    EXPECT_NE(fields[0], fields[1]);
}

// Held down, a button or the close box looks pushed in: its top-left edge turns dark, and a button held by
// the mouse pops out again while the mouse is off it.
TEST_F(DialogTest, HeldButtonsLookPushedIn)
{
    const uint16_t white = soft::packColour(soft::PixelFormat::rgb565, 255, 255, 255);
    const uint16_t shadow = soft::packColour(soft::PixelFormat::rgb565, 128, 128, 128);
    const auto corners = [&] { return std::array{at(18, 53), at(77, 52), at(136, 3)}; };  // OK, Cancel, close box
    run({}, Answer::ok);
    EXPECT_EQ(corners(), (std::array{white, white, white}));
    run({press(40, 63)}, Answer::cancel);
    EXPECT_EQ(corners(), (std::array{shadow, white, white}));
    run({press(40, 63), move(40, 20)}, Answer::cancel);
    EXPECT_EQ(corners(), (std::array{white, white, white}));
    run({key(VK_TAB), key(VK_SPACE)}, Answer::cancel);
    EXPECT_EQ(corners(), (std::array{white, uint16_t(0), white}));
    run({press(142, 9)}, Answer::ok);
    EXPECT_EQ(corners(), (std::array{white, white, uint16_t(0)}));
}

// The text of the controls is drawn in the font the template names (the title bar keeps the caption font);
// when that font cannot be made, in the system font; either way the dialog gives back what it made.
const std::vector<soft::win32::DialogItemTemplate> labelItems = {{-1, "static", 8, 8, 40, 10, WS_VISIBLE, "Mm"}};
const soft::win32::DialogTemplate courierDialog = {
    7003, 0, "Font", 0, 0, 60, 30, WS_POPUP | WS_CAPTION | DS_SETFONT, "Courier", 10, labelItems};
const soft::win32::DialogTemplate sansDialog = {
    7004, 0, "Font", 0, 0, 60, 30, WS_POPUP | WS_CAPTION | DS_SETFONT, "MS Sans Serif", 8, labelItems};

// The ink of "Mm" drawn at (0, 0) in a stock font, as a list of points.
std::vector<std::pair<int, int>> inkOf(int stockFont)
{
    soft::SurfaceMemory memory(40, 20, soft::PixelFormat::rgb565);
    std::ranges::fill(memory.bytes, 0xFF);  // white, under black text
    HDC dc = soft::gdi::createSurfaceDC(&memory);
    SelectObject(dc, GetStockObject(stockFont));
    SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, 0, 0, "Mm", 2);
    soft::gdi::releaseSurfaceDC(dc);
    std::vector<std::pair<int, int>> ink;
    for (int y = 0; y < memory.height; ++y)
        for (int x = 0; x < memory.width; ++x)
            if (memory.at(x, y) == 0)
                ink.emplace_back(x, y);
    return ink;
}

TEST_F(DialogTest, DrawsTheTemplatesFont)
{
    soft::win32::registerDialogResource(&courierDialog);
    soft::win32::registerDialogResource(&sansDialog);
    const auto labelInk = [&](int id) {
        host::headless::HeadlessHostOptions o;
        o.dialogAnswer = Answer::cancel;
        dialogHost = host::headless::makeHeadlessHost(o);
        host::install(dialogHost.get());
        const int objects = soft::gdi::liveObjectCount();
        EXPECT_EQ(DialogBoxParamA(nullptr, MAKEINTRESOURCEA(id), window, testDialogProcedure, 0), 22);
        EXPECT_EQ(soft::gdi::liveObjectCount(), objects);
        host::install(hostObject.get());
        // The label lies at 8 x 8 dialog units in the client area, below the frame and the title bar.
        std::vector<std::pair<int, int>> ink;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 40; ++x)
                if (at(2 + 12 + x, 20 + 13 + y) == 0)
                    ink.emplace_back(x, y);
        return ink;
    };
    const auto fixed = inkOf(ANSI_FIXED_FONT), sans = inkOf(DEFAULT_GUI_FONT);
    ASSERT_NE(fixed, sans);
    EXPECT_EQ(labelInk(7003), fixed);
    EXPECT_EQ(labelInk(7004), sans);
    soft::injectFault("CreateFontIndirectA", 1);
    EXPECT_EQ(labelInk(7003), inkOf(SYSTEM_FONT));
    soft::clearFaults();
}

TEST_F(Win32Test, ComboBoxRefusesPositionsOutsideItsList)
{
    WNDCLASSA comboClass = {};
    comboClass.lpfnWndProc = DefWindowProcA;
    comboClass.lpszClassName = "combobox";
    RegisterClassA(&comboClass);
    HWND list = CreateWindowExA(0, "combobox", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(SendMessageA(list, CB_SETCURSEL, 0, 0), CB_ERR);
    SendMessageA(list, CB_ADDSTRING, 0, LPARAM("only"));
    EXPECT_EQ(SendMessageA(list, CB_SETITEMDATA, 3, 0), CB_ERR);
    EXPECT_EQ(SendMessageA(list, CB_SETCURSEL, 0, 0), 0);
    EXPECT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), 0);
    DestroyWindow(list);  // else it takes the keys of the tests that follow
}

}  // namespace
