// The thread's message queue, host events turned into key messages, modal dialogs
// and their combo boxes.
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
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
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

TEST_F(Win32Test, MessagesAreTakenInOrderAndPeekingLeavesThem)
{
    PostMessageA(window, WM_USER + 1, 1, 0);
    PostMessageA(window, WM_USER + 2, 2, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, UINT(WM_USER + 1));
    EXPECT_EQ(pump(), (std::vector<UINT>{WM_USER + 1, WM_USER + 2}));
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Win32Test, HostKeysArriveAsKeyMessagesAndACloseRequestAsEscape)
{
    hostObject->postEvent({host::EventKind::keyDown, VK_SPACE});
    hostObject->postEvent({host::EventKind::keyUp, VK_SPACE});
    hostObject->postEvent({host::EventKind::quit, 0});
    pump();
    ASSERT_EQ(received.size(), 4u);
    EXPECT_EQ(received[0].message, UINT(WM_KEYDOWN));
    EXPECT_EQ(received[0].wParam, WPARAM(VK_SPACE));
    EXPECT_EQ(received[1].message, UINT(WM_KEYUP));
    EXPECT_EQ(received[2].message, UINT(WM_KEYDOWN));
    EXPECT_EQ(received[2].wParam, WPARAM(VK_ESCAPE));
    EXPECT_EQ(received[3].message, UINT(WM_KEYUP));
    EXPECT_EQ(received[0].hwnd, window);
}

TEST_F(Win32Test, CloseDestroysTheWindowAndPostsAQuitThatIsDispatchedLikeAnyMessage)
{
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[1].message, UINT(WM_DESTROY));
    PostQuitMessage(0);
    EXPECT_EQ(pump(), std::vector<UINT>{WM_QUIT});
    // Messages to a window that is gone are not delivered.
    EXPECT_EQ(SendMessageA(window, WM_USER, 0, 0), 0);
}

TEST_F(Win32Test, UserDataHoldsAPointer)
{
    int value = 0;
    SetWindowLongA(window, GWL_USERDATA, reinterpret_cast<LONG_PTR>(&value));
    EXPECT_EQ(reinterpret_cast<int*>(GetWindowLongA(window, GWL_USERDATA)), &value);
}

TEST_F(Win32Test, CursorCountFollowsShowCursor)
{
    EXPECT_EQ(ShowCursor(FALSE), -1);
    EXPECT_FALSE(hostObject->cursorVisible());
    EXPECT_EQ(ShowCursor(TRUE), 0);
    EXPECT_TRUE(hostObject->cursorVisible());
}

// A small dialog: a combo box and the two buttons.
const win32::DialogTemplate testDialog = {7001,
                                          0,
                                          "Pick",
                                          0,
                                          0,
                                          100,
                                          40,
                                          DWORD(WS_POPUP | WS_CAPTION),
                                          "MS Sans Serif",
                                          8,
                                          {{IDOK, "button", 10, 20, 30, 14, DWORD(BS_DEFPUSHBUTTON | WS_VISIBLE), "OK"},
                                           {IDCANCEL, "button", 50, 20, 30, 14, DWORD(WS_VISIBLE), "Cancel"},
                                           {500, "combobox", 10, 4, 80, 40, DWORD(CBS_DROPDOWNLIST | WS_VISIBLE), ""}}};

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

TEST_F(Win32Test, DialogRunsFromItsTemplateUntilEnded)
{
    win32::registerDialogResource(&testDialog);
    dialogLog = {};
    INT_PTR result = DialogBoxParamA(nullptr, MAKEINTRESOURCEA(7001), window, testDialogProcedure, 0);
    EXPECT_EQ(result, 11);
    EXPECT_EQ(dialogLog.messages.front(), UINT(WM_INITDIALOG));
    EXPECT_EQ(dialogLog.selectionAtOk, CB_ERR);  // nothing was selected
    const host::DialogView& view = hostObject->lastDialog();
    EXPECT_EQ(view.caption, "Pick");
    EXPECT_EQ(view.width, 150);  // 100 dialog units of a 6-pixel font
    ASSERT_EQ(view.controls.size(), 3u);
    EXPECT_EQ(view.controls[2].items, (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(DialogBoxParamA(nullptr, MAKEINTRESOURCEA(7002), window, testDialogProcedure, 0), -1);
}

TEST_F(Win32Test, ClosingADialogThatIgnoresWmCloseSendsCancel)
{
    win32::registerDialogResource(&testDialog);
    host::HeadlessHostOptions closing;
    closing.dialogAnswer = host::HeadlessHostOptions::DialogAnswer::close;
    auto closer = host::makeHeadlessHost(closing);
    host::install(closer.get());
    dialogLog = {};
    EXPECT_EQ(DialogBoxParamA(nullptr, MAKEINTRESOURCEA(7001), window, testDialogProcedure, 0), 22);
    EXPECT_NE(std::find(dialogLog.messages.begin(), dialogLog.messages.end(), UINT(WM_CLOSE)),
              dialogLog.messages.end());
    host::install(hostObject.get());
}

TEST_F(Win32Test, ComboBoxRefusesPositionsOutsideItsList)
{
    win32::registerDialogResource(&testDialog);
    host::HeadlessHostOptions picking;
    picking.dialogScript = {{host::DialogInput::select, 500, 1}};
    auto picker = host::makeHeadlessHost(picking);
    host::install(picker.get());
    dialogLog = {};
    EXPECT_EQ(DialogBoxParamA(nullptr, MAKEINTRESOURCEA(7001), window, testDialogProcedure, 0), 11);
    EXPECT_EQ(dialogLog.selectionAtOk, 1);
    host::install(hostObject.get());

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
