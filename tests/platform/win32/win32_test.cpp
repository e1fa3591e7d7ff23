// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The message queue, host events as key messages, modal dialogs and their combo boxes.
#include "host/headless_host.h"
#include "win32_resources.h"
#include "windows.h"

#include <gtest/gtest.h>

#include <algorithm>
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
        hostObject = host::makeHeadlessHost(options);
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

    host::HeadlessHostOptions options;
    std::unique_ptr<host::HeadlessHost> hostObject;
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
const std::vector<win32::DialogItemTemplate> testItems = {
    {IDOK, "button", 10, 20, 30, 14, DWORD(BS_DEFPUSHBUTTON | stop), "OK"},
    {IDCANCEL, "button", 50, 20, 30, 14, stop, "Cancel"},
    {500, "combobox", 10, 4, 80, 40, DWORD(CBS_DROPDOWNLIST | stop), ""}};
const win32::DialogTemplate testDialog = {7001, 0,        "Pick", 0, 0, 100, 40, WS_POPUP | WS_CAPTION, "MS Sans Serif",
                                          8,    testItems};

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

using Answer = host::HeadlessHostOptions::DialogAnswer;
host::Event key(uint32_t vk, host::EventKind kind = host::EventKind::keyDown) { return {kind, vk}; }
host::Event click(int x, int y) { return {host::EventKind::mouseDown, 0, x, y}; }

// The test dialog's picture, 154 x 87: OK at (17, 52), Cancel at (77, 52), both 45 x 23; the combo
// box's field from (17, 26), its list below.
class DialogTest : public Win32Test {
protected:
    // Runs the dialog over a host that sends `script`, then `answer`.
    INT_PTR run(std::vector<host::Event> script, Answer answer = Answer::ok)
    {
        win32::registerDialogResource(&testDialog);
        host::HeadlessHostOptions o;
        o.dialogScript = std::move(script);
        o.dialogAnswer = answer;
        dialogHost = host::makeHeadlessHost(o);
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
    std::unique_ptr<host::HeadlessHost> dialogHost;
};

TEST_F(DialogTest, KeysAndClicksWorkTheControls)
{
    const host::Event tab = key(VK_TAB), down = key(VK_DOWN), shift = key(VK_SHIFT);
    const host::Event unshift = key(VK_SHIFT, host::EventKind::keyUp);
    const struct {
        const char* what;
        std::vector<host::Event> script;
        Answer answer;
        INT_PTR result;
        LRESULT selection;  // at OK
        bool closeSent;
    } cases[] = {
        {"Enter on OK, nothing selected", {}, Answer::ok, 11, CB_ERR, false},
        {"Escape, as the close box", {}, Answer::cancel, 22, -2, true},
        {"close request", {}, Answer::close, 22, -2, true},
        {"Down from nothing picks the first", {down}, Answer::ok, 11, 0, false},
        {"Down, Down, Up", {down, down, key(VK_UP)}, Answer::ok, 11, 0, false},
        {"Down, Down", {down, down}, Answer::ok, 11, 1, false},
        {"Tab to Cancel, Enter", {tab}, Answer::ok, 22, -2, false},
        {"Tab to Cancel, Space", {tab, key(VK_SPACE)}, Answer::ok, 22, -2, false},
        {"Tab to the list, Enter presses OK", {tab, tab}, Answer::ok, 11, CB_ERR, false},
        {"Tab wraps", {tab, tab, tab}, Answer::ok, 11, CB_ERR, false},
        {"Shift+Tab goes back", {tab, tab, shift, tab, unshift}, Answer::ok, 22, -2, false},
        {"F4 drops the list, Down, Enter picks", {key(0x73), down, key(VK_RETURN)}, Answer::ok, 11, 1, false},
        {"Escape folds the dropped list only", {key(0x73), down, key(VK_ESCAPE)}, Answer::ok, 11, CB_ERR, false},
        {"click OK", {click(40, 63)}, Answer::cancel, 11, CB_ERR, false},
        {"click Cancel", {click(100, 63)}, Answer::ok, 22, -2, false},
        {"click the close box", {click(142, 9)}, Answer::ok, 22, -2, true},
        {"click the list open, then its first row", {click(60, 30), click(60, 50)}, Answer::ok, 11, 0, false},
        {"a click beside the dropped list folds it", {click(60, 30), click(148, 80)}, Answer::ok, 11, CB_ERR, false},
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
