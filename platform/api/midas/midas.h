// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The MIDAS Digital Audio System calls the demo makes, played through libxmp.
#pragma once

#include "windows.h"

typedef void* MIDASmodule;
typedef DWORD MIDASmodulePlayHandle;

// The play status record: five 32-bit members.
struct MIDASplayStatus {
    DWORD position;       // position in the song's order list
    DWORD pattern;        // pattern being played
    DWORD row;            // row within it
    int syncInfo;         // last sync command value, -1 for none
    DWORD songLoopCount;  // how many times the song has looped
};

#define MIDAS_OPTION_MIXRATE      1
#define MIDAS_OPTION_OUTPUTMODE   2
#define MIDAS_OPTION_MIXBUFLEN    3
#define MIDAS_OPTION_MIXBUFBLOCKS 4
#define MIDAS_OPTION_DSOUND_MODE  5
#define MIDAS_OPTION_DSOUND_HWND  6

// Values of MIDAS_OPTION_DSOUND_MODE.
#define MIDAS_DSOUND_DISABLED 0

BOOL MIDASstartup();
// The value is pointer-sized on this platform so that option 6 can carry a window.
BOOL MIDASsetOption(int option, DWORD_PTR value);
BOOL MIDASconfig();
BOOL MIDASinit();
MIDASmodule MIDASloadModule(const char* fileName);
MIDASmodulePlayHandle MIDASplayModule(MIDASmodule module, BOOL loopSong);
BOOL MIDASpoll();
BOOL MIDASgetPlayStatus(MIDASmodulePlayHandle playHandle, MIDASplayStatus* status);
BOOL MIDASstopModule(MIDASmodulePlayHandle playHandle);
BOOL MIDASfreeModule(MIDASmodule module);
BOOL MIDASclose();
int MIDASgetLastError();
const char* MIDASgetErrorMessage(int errorCode);
