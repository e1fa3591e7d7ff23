// Dialog 102, "Select Rendering Device", in the layout the resource script gives it
// (dialog units; language 1044).
#include "resources/resource_ids.h"

#include "win32_resources.h"

namespace {

constexpr WORD norwegianBokmal = 1044;

const win32::DialogTemplate deviceDialog = {
    deviceDialogId,
    norwegianBokmal,
    "Select Rendering Device",
    0,
    0,
    260,
    54,
    DWORD(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT),
    "MS Sans Serif",
    8,
    {
        {IDOK, "button", 137, 33, 50, 14, DWORD(BS_DEFPUSHBUTTON | WS_VISIBLE | WS_TABSTOP), "OK"},
        {IDCANCEL, "button", 203, 33, 50, 14, DWORD(BS_PUSHBUTTON | WS_VISIBLE | WS_TABSTOP), "Cancel"},
        {deviceListId, "combobox", 92, 7, 161, 54, DWORD(CBS_DROPDOWNLIST | WS_VSCROLL | WS_VISIBLE | WS_TABSTOP), ""},
        {-1, "static", 7, 7, 72, 8, DWORD(SS_LEFT | WS_GROUP | WS_VISIBLE), "Render device"},
    },
};

// Linked into the program as the resource compiler would link it into the executable.
const bool registered = (win32::registerDialogResource(&deviceDialog), true);

}  // namespace
