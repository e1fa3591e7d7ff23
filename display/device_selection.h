// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The choice of the DirectDraw device to run on: up to five devices listed in a
// small modal dialog; the confirmed one's GUID is left in chosenDevice.
#pragma once

#include "windows.h"

#include <cstdint>

struct DeviceEntry {
    BYTE guid[16];  // all zero for the primary display driver
    char description[256];
};

constexpr int maxDevices = 5;

extern DeviceEntry deviceTable[maxDevices];
extern int32_t deviceCount;
extern BYTE chosenDevice[16];

int chooseDevice(HINSTANCE instance, HWND owner);
int enumerateDevices();
BOOL WINAPI addDeviceEntry(GUID* guid, LPSTR description, LPSTR driverName, LPVOID context, HMONITOR monitor);
INT_PTR CALLBACK deviceDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
