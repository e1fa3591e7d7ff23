// Placeholder until the sound library stand-in plays songs: every call succeeds silently.
#include "midas.h"

BOOL MIDASstartup() { return TRUE; }
BOOL MIDASsetOption(int, DWORD_PTR) { return TRUE; }
BOOL MIDASconfig() { return TRUE; }
BOOL MIDASinit() { return TRUE; }
MIDASmodule MIDASloadModule(const char*) { static int song; return &song; }
MIDASmodulePlayHandle MIDASplayModule(MIDASmodule, BOOL) { return 1; }
BOOL MIDASpoll() { return TRUE; }
BOOL MIDASgetPlayStatus(MIDASmodulePlayHandle, MIDASplayStatus* status)
{
    *status = MIDASplayStatus{};
    return TRUE;
}
BOOL MIDASstopModule(MIDASmodulePlayHandle) { return TRUE; }
BOOL MIDASfreeModule(MIDASmodule) { return TRUE; }
BOOL MIDASclose() { return TRUE; }
int MIDASgetLastError() { return 0; }
const char* MIDASgetErrorMessage(int) { return "OK"; }
