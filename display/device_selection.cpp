// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "display/device_selection.h"

#include "resources/resource_ids.h"

#include "ddraw.h"

#include <cstring>

DeviceEntry deviceTable[maxDevices];
int32_t deviceCount = 0;
BYTE chosenDevice[16];

int chooseDevice(HINSTANCE instance, HWND owner)
{
    if (!enumerateDevices())
        return 0;
    return int(DialogBoxParamA(instance, MAKEINTRESOURCEA(deviceDialogId), owner, deviceDialogProcedure, 0));
}

int enumerateDevices()
{
    deviceCount = 0;
    DirectDrawEnumerateExA(addDeviceEntry, nullptr,
                           DDENUM_ATTACHEDSECONDARYDEVICES | DDENUM_DETACHEDSECONDARYDEVICES |
                               DDENUM_NONDISPLAYDEVICES);
    return deviceCount != 0;
}

BOOL WINAPI addDeviceEntry(GUID* guid, LPSTR description, LPSTR, LPVOID, HMONITOR)
{
    DeviceEntry& entry = deviceTable[deviceCount];
    if (guid)
        std::memcpy(entry.guid, guid, sizeof entry.guid);
    else
        std::memset(entry.guid, 0, sizeof entry.guid);
    // A description too long for its field is cut to 255 characters and terminated.
    std::strncpy(entry.description, description ? description : "", sizeof entry.description - 1);
    entry.description[sizeof entry.description - 1] = '\0';
    ++deviceCount;
    return deviceCount < maxDevices ? TRUE : FALSE;
}

INT_PTR CALLBACK deviceDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        for (int i = 0; i < deviceCount; ++i) {
            SendDlgItemMessageA(dialog, deviceListId, CB_ADDSTRING, 0, LPARAM(deviceTable[i].description));
            SendDlgItemMessageA(dialog, deviceListId, CB_SETITEMDATA, WPARAM(i), LPARAM(i));
        }
        // The second entry is the one offered first.
        SendDlgItemMessageA(dialog, deviceListId, CB_SETCURSEL, 1, 0);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            LRESULT position = SendDlgItemMessageA(dialog, deviceListId, CB_GETCURSEL, 0, 0);
            // With nothing selected (a single device listed, so no second entry to
            // offer) OK confirms the first entry; nothing outside the table is read.
            if (position < 0 || position >= deviceCount)
                position = 0;
            std::memcpy(chosenDevice, deviceTable[position].guid, sizeof chosenDevice);
            EndDialog(dialog, 1);
        } else if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 0);
        }
        return TRUE;
    case WM_CLOSE:
        EndDialog(dialog, 0);
        return FALSE;
    default:
        return FALSE;
    }
}
