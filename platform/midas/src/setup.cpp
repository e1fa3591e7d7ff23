// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Starting, configuring, initialising and closing the library.
#include "library.h"

#include <cstdio>

namespace {

// The calls made here that a test can make fail.
const soft::FaultPoint closeFault("MIDASclose");
const soft::FaultPoint configFault("MIDASconfig");
const soft::FaultPoint initFault("MIDASinit");
const soft::FaultPoint setOptionFault("MIDASsetOption");
const soft::FaultPoint startupFault("MIDASstartup");

}  // namespace

using namespace soft::midas;

namespace {

constexpr int firstOption = MIDAS_OPTION_MIXRATE;
constexpr int lastOption = MIDAS_OPTION_DSOUND_HWND;

// The default audio device, or the silent output when the host has none: a show
// without sound beats no show.
void chooseOutput(Library& lib)
{
    if (lib.output.isOpen())
        return;
    if (!lib.output.open(&lib.player))
        std::fprintf(stderr, "mornakle: no audio device, playing without sound\n");
}

void closeLibrary(Library& lib)
{
    {
        AudioLock lock(lib.output);
        lib.player.stopAll();
    }
    lib.output.close();
    lib.songs.clear();
    lib.initialized = false;
}

}  // namespace

BOOL MIDASstartup()
{
    if (injectedFailure(startupFault, Error::undefined))
        return FALSE;
    Library& lib = library();
    closeLibrary(lib);
    lib.options.clear();
    setLastError(Error::ok);
    return TRUE;
}

// The options are kept but change nothing: the host decides the output (44.1 kHz
// stereo), and the window that owns it is the host's only window.
BOOL MIDASsetOption(int option, DWORD_PTR value)
{
    if (injectedFailure(setOptionFault, Error::invalidArguments))
        return FALSE;
    if (option < firstOption || option > lastOption) {
        setLastError(Error::invalidArguments);
        return FALSE;
    }
    library().options[option] = value;
    return TRUE;
}

// Nothing to ask the user here, so the configuration is never cancelled.
BOOL MIDASconfig()
{
    if (injectedFailure(configFault, Error::configCancelled))
        return FALSE;
    chooseOutput(library());
    return TRUE;
}

BOOL MIDASinit()
{
    if (injectedFailure(initFault, Error::soundDevice))
        return FALSE;
    Library& lib = library();
    chooseOutput(lib);
    lib.initialized = true;
    return TRUE;
}

BOOL MIDASclose()
{
    if (injectedFailure(closeFault, Error::soundDevice))
        return FALSE;
    closeLibrary(library());
    return TRUE;
}

int MIDASgetLastError() { return static_cast<int>(lastError()); }

const char* MIDASgetErrorMessage(int errorCode) { return errorText(errorCode); }
