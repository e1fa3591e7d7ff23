// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Modal dialogs from templates, their controls, and the combo box.
#include "dialog_paint.h"
#include "win32_resources.h"
#include "window_manager.h"

#include "host/host.h"

#include <cstring>
#include <optional>

namespace {

// The font the template names, as the dialog manager makes it: its point size at the
// display's 96 pixels an inch. Without one, or when it cannot be made, the system font.
struct DialogFont {
    HFONT handle = nullptr;
    bool owned = false;
};

DialogFont makeDialogFont(const soft::win32::DialogTemplate& layout)
{
    constexpr int pixelsPerInch = 96, pointsPerInch = 72;
    if ((layout.style & DS_SETFONT) && layout.fontName) {
        LOGFONTA font{};
        font.lfHeight = -((layout.pointSize * pixelsPerInch + pointsPerInch / 2) / pointsPerInch);
        font.lfWeight = FW_NORMAL;
        font.lfCharSet = DEFAULT_CHARSET;
        std::strncpy(font.lfFaceName, layout.fontName, LF_FACESIZE - 1);
        if (HFONT handle = CreateFontIndirectA(&font))
            return DialogFont{handle, true};
    }
    return DialogFont{HFONT(GetStockObject(SYSTEM_FONT)), false};
}

// Dialog units to pixels, by the base units of 8-point MS Sans Serif at 96 pixels an
// inch, the font every dialog of ours names: a dialog unit is a quarter of its average
// character width (6 pixels) across and an eighth of its height (13 pixels) down. They
// are not measured from the face that draws it, which stands in a pixel shorter and
// would shrink every dialog by a few pixels.
struct DialogUnits {
    static constexpr int baseX = 6, baseY = 13;
    int x(int units) const { return units * baseX / 4; }
    int y(int units) const { return units * baseY / 8; }
};

HWND buildDialog(const soft::win32::DialogTemplate& layout, DLGPROC dialogProc, HFONT font)
{
    constexpr DialogUnits units{};
    HWND dialog = soft::win32::createBareWindow("#32770", layout.caption, layout.style, nullptr, layout.id);
    dialog->dialogProc = dialogProc;
    dialog->font = font;
    dialog->rect = RECT{0, 0, units.x(layout.cx), units.y(layout.cy)};
    for (const auto& item : layout.items) {
        HWND control = soft::win32::createBareWindow(item.className, item.text, item.style, dialog, item.id);
        control->rect = RECT{units.x(item.x), units.y(item.y), units.x(item.x + item.cx), units.y(item.y + item.cy)};
        control->font = font;
        dialog->children.push_back(control);
    }
    return dialog;
}

soft::win32::DialogView viewOf(HWND dialog)
{
    soft::win32::DialogView view;
    view.caption = dialog->text;
    view.width = dialog->rect.right - dialog->rect.left;
    view.height = dialog->rect.bottom - dialog->rect.top;
    view.font = dialog->font;
    for (HWND control : dialog->children)
        view.controls.push_back(soft::win32::DialogControl{control->controlId, control->className, control->rect.left,
                                                           control->rect.top, control->rect.right - control->rect.left,
                                                           control->rect.bottom - control->rect.top, control->style,
                                                           control->text, control->items, control->selection});
    return view;
}

// Lets the other windows of the thread run while the dialog waits.
void dispatchPendingMessages()
{
    MSG msg;
    while (soft::win32::takeMessage(msg, nullptr, 0, 0, true)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void applyInput(HWND dialog, const soft::win32::DialogInput& input)
{
    switch (input.kind) {
    case soft::win32::DialogInput::select: {
        HWND combo = GetDlgItem(dialog, input.control);
        if (!combo)
            return;
        SendMessageA(combo, CB_SETCURSEL, WPARAM(input.value), 0);
        dialog->dialogProc(dialog, WM_COMMAND, MAKEWPARAM(input.control, CBN_SELCHANGE), LPARAM(combo));
        return;
    }
    case soft::win32::DialogInput::command:
        dialog->dialogProc(dialog, WM_COMMAND, MAKEWPARAM(input.control, BN_CLICKED),
                           LPARAM(GetDlgItem(dialog, input.control)));
        return;
    case soft::win32::DialogInput::close:
        // A dialog procedure that leaves WM_CLOSE unhandled gets Cancel, as the
        // default dialog procedure sends it.
        if (!dialog->dialogProc(dialog, WM_CLOSE, 0, 0) && !dialog->dialogEnded)
            dialog->dialogProc(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return;
    }
}

std::optional<soft::win32::DialogAction> actionOf(const host::Event& event)
{
    using soft::win32::DialogAction;
    switch (event.kind) {
    case host::EventKind::keyDown:
        return DialogAction{DialogAction::keyDown, event.virtualKey, 0, 0};
    case host::EventKind::keyUp:
        return DialogAction{DialogAction::keyUp, event.virtualKey, 0, 0};
    case host::EventKind::mouseDown:
        return DialogAction{DialogAction::press, 0, event.x, event.y};
    case host::EventKind::mouseUp:
        return DialogAction{DialogAction::release, 0, event.x, event.y};
    case host::EventKind::mouseMove:
        return DialogAction{DialogAction::hover, 0, event.x, event.y};
    case host::EventKind::quit:
        return DialogAction{DialogAction::closeRequest, 0, 0, 0};
    }
    return std::nullopt;
}

// A modal dialog on the screen: draws itself into its picture and turns the host's
// keys and clicks into what its controls do.
class ModalDialog {
public:
    explicit ModalDialog(HWND dialog) : dialog(dialog), lineHeight(soft::win32::dialogLineHeight(dialog->font))
    {
        state.focus = soft::win32::firstTabStop(viewOf(dialog));
    }

    void show()
    {
        soft::win32::DialogView view = viewOf(dialog);
        soft::win32::DialogGeometry geometry(view, lineHeight);
        if (picture.width != geometry.width || picture.height != geometry.height)
            picture = soft::SurfaceMemory(geometry.width, geometry.height, soft::PixelFormat::rgb565);
        soft::win32::paintDialog(picture, view, geometry, state);
        host::Frame frame{picture.bytes.data(), picture.width, picture.height, picture.pitch, picture.format};
        host::current().presentDialog(host::DialogFrame{frame, view.caption, geometry.caption, geometry.closeBox});
    }

    // Waits a while for the user; true when what they did changed the dialog.
    bool takeInput()
    {
        host::Event event;
        if (!host::current().waitEvent(event, waitMs))
            return false;
        std::optional<soft::win32::DialogAction> action = actionOf(event);
        if (!action)
            return false;
        soft::win32::DialogView view = viewOf(dialog);
        soft::win32::DialogUiState before = state;
        std::optional<soft::win32::DialogInput> input =
            soft::win32::reactToDialog(view, soft::win32::DialogGeometry(view, lineHeight), state, *action);
        if (input)
            applyInput(dialog, *input);
        return input || before != state;
    }

private:
    static constexpr int waitMs = 100;  // how long to wait before the other windows run again
    HWND dialog;
    int lineHeight;
    soft::win32::DialogUiState state;
    soft::SurfaceMemory picture;
};

}  // namespace

namespace soft::win32 {

LRESULT comboBoxMessage(HWND combo, UINT message, WPARAM wParam, LPARAM lParam)
{
    int count = int(combo->items.size());
    int index = int(wParam);
    switch (message) {
    case CB_ADDSTRING:
        combo->items.emplace_back(lParam ? reinterpret_cast<const char*>(lParam) : "");
        combo->itemData.push_back(0);
        return count;
    case CB_GETCOUNT:
        return count;
    case CB_RESETCONTENT:
        combo->items.clear();
        combo->itemData.clear();
        combo->selection = CB_ERR;
        return 0;
    case CB_SETITEMDATA:
        if (index < 0 || index >= count)
            return CB_ERR;
        combo->itemData[index] = lParam;
        return 0;
    case CB_GETITEMDATA:
        return index < 0 || index >= count ? CB_ERR : combo->itemData[index];
    case CB_SETCURSEL:
        combo->selection = index >= 0 && index < count ? index : CB_ERR;
        return combo->selection;
    case CB_GETCURSEL:
        return combo->selection;
    case CB_GETLBTEXT:
        if (index < 0 || index >= count || !lParam)
            return CB_ERR;
        std::memcpy(reinterpret_cast<char*>(lParam), combo->items[index].c_str(), combo->items[index].size() + 1);
        return LRESULT(combo->items[index].size());
    default:
        return 0;
    }
}

}  // namespace soft::win32

INT_PTR WINAPI DialogBoxParamA(HINSTANCE, LPCSTR templateName, HWND, DLGPROC dialogProc, LPARAM initParam)
{
    if (!dialogProc || !IS_INTRESOURCE(templateName))
        return -1;
    const soft::win32::DialogTemplate* layout =
        soft::win32::findDialogResource(int(reinterpret_cast<UINT_PTR>(templateName)));
    if (!layout)
        return -1;

    DialogFont font = makeDialogFont(*layout);
    HWND dialog = buildDialog(*layout, dialogProc, font.handle);
    HWND firstControl = dialog->children.empty() ? nullptr : dialog->children.front();
    dialogProc(dialog, WM_INITDIALOG, WPARAM(firstControl), initParam);
    ModalDialog modal(dialog);
    bool changed = true;
    while (!dialog->dialogEnded) {
        dispatchPendingMessages();
        if (dialog->dialogEnded)
            break;
        if (changed)
            modal.show();
        changed = modal.takeInput();
    }
    host::current().closeDialog();
    INT_PTR result = dialog->dialogResult;
    DestroyWindow(dialog);
    if (font.owned)
        DeleteObject(font.handle);
    return result;
}

BOOL WINAPI EndDialog(HWND dialog, INT_PTR result)
{
    if (!IsWindow(dialog) || !dialog->dialogProc)
        return FALSE;
    dialog->dialogEnded = true;
    dialog->dialogResult = result;
    return TRUE;
}

HWND WINAPI GetDlgItem(HWND dialog, int itemId)
{
    if (!IsWindow(dialog))
        return nullptr;
    for (HWND control : dialog->children)
        if (control->controlId == itemId && control->alive)
            return control;
    return nullptr;
}

LRESULT WINAPI SendDlgItemMessageA(HWND dialog, int itemId, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND control = GetDlgItem(dialog, itemId);
    return control ? SendMessageA(control, message, wParam, lParam) : 0;
}
