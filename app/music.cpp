// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "app/music.h"

#include "app/exit_codes.h"

#include <cstdlib>

MIDASmodule module = nullptr;
MIDASmodulePlayHandle playHandle = 0;
MIDASplayStatus playStatus = {};

void musicFailure(DisplayContext* context)
{
    int error = MIDASgetLastError();
    const char* text = MIDASgetErrorMessage(error);
    MessageBoxA(context->window, text, "Midas", MB_OK);
    MIDASclose();
    std::exit(exitSoundFailed);
}
