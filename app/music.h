// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The song and its playback, through the sound library.
#pragma once

#include "display/display_context.h"

#include "midas.h"

// The song's file name, relative to the data folder.
constexpr const char* songFileName = "back.xm";

extern MIDASmodule module;
extern MIDASmodulePlayHandle playHandle;
extern MIDASplayStatus playStatus;

// Shows the sound library's own error text in a message box captioned "Midas",
// closes the library and ends the process with exit code 1.
[[noreturn]] void musicFailure(DisplayContext* context);
