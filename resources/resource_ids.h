// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Identifiers of the resources linked into the program. The resource script reads
// them too, and a resource compiler knows no constants but the preprocessor's.
#pragma once

#define IDD_SELECTDEVICE 102   // "Select Rendering Device"
#define IDC_DEVICELIST   1001  // its combo box of devices

#ifndef RC_INVOKED
constexpr int deviceDialogId = IDD_SELECTDEVICE;
constexpr int deviceListId = IDC_DEVICELIST;
#endif
