// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// What the program asks of the window manager beyond the Win32 calls.
#pragma once

namespace soft::win32 {

// Back to the state of a fresh process, for a show started afresh in the same process
// (a seek back): every window freed, the message queue emptied, the classes
// unregistered, the cursor's show count at 0. Handles from before are stale after it.
void startAfresh();

}  // namespace soft::win32
