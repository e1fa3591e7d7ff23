// Modal dialogs from templates, their controls, and the combo box.
#include "win32_resources.h"
#include "window_manager.h"

#include "host/host.h"

#include <cstring>

namespace {

// Dialog units to pixels for the 8-point dialog font: a dialog unit is a quarter of
// the font's average character width (6 pixels) across and an eighth of its height
// (13 pixels) down.
constexpr int baseUnitX = 6;
constexpr int baseUnitY = 13;

int unitsToPixelsX(int units) { return units * baseUnitX / 4; }
int unitsToPixelsY(int units) { return units * baseUnitY / 8; }

HWND buildDialog(const win32::DialogTemplate& layout, DLGPROC dialogProc)
{
    HWND dialog = win32::createBareWindow("#32770", layout.caption, layout.style, nullptr, layout.id);
    dialog->dialogProc = dialogProc;
    dialog->rect = RECT{0, 0, unitsToPixelsX(layout.cx), unitsToPixelsY(layout.cy)};
    for (const auto& item : layout.items) {
        HWND control = win32::createBareWindow(item.className, item.text, item.style, dialog, item.id);
        control->rect = RECT{unitsToPixelsX(item.x), unitsToPixelsY(item.y), unitsToPixelsX(item.x + item.cx),
                             unitsToPixelsY(item.y + item.cy)};
        dialog->children.push_back(control);
    }
    return dialog;
}

host::DialogView viewOf(HWND dialog)
{
    host::DialogView view;
    view.caption = dialog->text;
    view.width = dialog->rect.right - dialog->rect.left;
    view.height = dialog->rect.bottom - dialog->rect.top;
    for (HWND control : dialog->children) {
        host::DialogControl c;
        c.id = control->controlId;
        c.className = control->className;
        c.x = control->rect.left;
        c.y = control->rect.top;
        c.width = control->rect.right - control->rect.left;
        c.height = control->rect.bottom - control->rect.top;
        c.style = control->style;
        c.text = control->text;
        c.items = control->items;
        c.selection = control->selection;
        view.controls.push_back(std::move(c));
    }
    return view;
}

// Lets the other windows of the thread run while the dialog waits.
void dispatchPendingMessages()
{
    MSG msg;
    while (win32::takeMessage(msg, nullptr, 0, 0, true)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void applyInput(HWND dialog, const host::DialogInput& input)
{
    switch (input.kind) {
    case host::DialogInput::select: {
        HWND combo = GetDlgItem(dialog, input.control);
        if (!combo)
            return;
        SendMessageA(combo, CB_SETCURSEL, WPARAM(input.value), 0);
        dialog->dialogProc(dialog, WM_COMMAND, MAKEWPARAM(input.control, CBN_SELCHANGE), LPARAM(combo));
        return;
    }
    case host::DialogInput::command:
        dialog->dialogProc(dialog, WM_COMMAND, MAKEWPARAM(input.control, BN_CLICKED),
                           LPARAM(GetDlgItem(dialog, input.control)));
        return;
    case host::DialogInput::close:
        // A dialog procedure that leaves WM_CLOSE unhandled gets Cancel, as the
        // default dialog procedure sends it.
        if (!dialog->dialogProc(dialog, WM_CLOSE, 0, 0) && !dialog->dialogEnded)
            dialog->dialogProc(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return;
    }
}

}  // namespace

namespace win32 {

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

}  // namespace win32

INT_PTR WINAPI DialogBoxParamA(HINSTANCE, LPCSTR templateName, HWND, DLGPROC dialogProc, LPARAM initParam)
{
    if (!dialogProc || !IS_INTRESOURCE(templateName))
        return -1;
    const win32::DialogTemplate* layout = win32::findDialogResource(int(reinterpret_cast<UINT_PTR>(templateName)));
    if (!layout)
        return -1;

    HWND dialog = buildDialog(*layout, dialogProc);
    HWND firstControl = dialog->children.empty() ? nullptr : dialog->children.front();
    dialogProc(dialog, WM_INITDIALOG, WPARAM(firstControl), initParam);
    while (!dialog->dialogEnded) {
        dispatchPendingMessages();
        if (dialog->dialogEnded)
            break;
        applyInput(dialog, host::current().waitDialogInput(viewOf(dialog)));
    }
    host::current().closeDialog();
    INT_PTR result = dialog->dialogResult;
    DestroyWindow(dialog);
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
