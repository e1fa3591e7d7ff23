// Identifiers of the resources linked into the program.
#pragma once

constexpr int deviceDialogId = 102;  // "Select Rendering Device"
constexpr int deviceListId = 1001;   // its combo box of devices
