// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Loading, playing, polling and freeing songs.
#include "library.h"

#include <new>

namespace {

// The calls made here that a test can make fail.
const soft::FaultPoint freeModuleFault("MIDASfreeModule");
const soft::FaultPoint getPlayStatusFault("MIDASgetPlayStatus");
const soft::FaultPoint loadModuleFault("MIDASloadModule");
const soft::FaultPoint playModuleFault("MIDASplayModule");
const soft::FaultPoint pollFault("MIDASpoll");
const soft::FaultPoint stopModuleFault("MIDASstopModule");

}  // namespace

using namespace soft::midas;

namespace {

bool requireInit(const Library& lib)
{
    if (!lib.initialized)
        setLastError(Error::notInitialized);
    return lib.initialized;
}

}  // namespace

MIDASmodule MIDASloadModule(const char* fileName)
{
    if (injectedFailure(loadModuleFault, Error::fileRead))
        return nullptr;
    Library& lib = library();
    if (!requireInit(lib))
        return nullptr;
    LoadedSong loaded = loadSong(fileName);
    if (!loaded.song) {
        setLastError(loaded.error);
        return nullptr;
    }
    try {
        lib.songs.push_back(std::move(loaded.song));
    } catch (const std::bad_alloc&) {
        setLastError(Error::outOfMemory);
        return nullptr;
    }
    return lib.songs.back().get();
}

MIDASmodulePlayHandle MIDASplayModule(MIDASmodule module, BOOL loopSong)
{
    if (injectedFailure(playModuleFault, Error::outOfMemory))
        return 0;
    Library& lib = library();
    if (!requireInit(lib))
        return 0;
    Song* song = lib.findSong(module);
    if (!song) {
        setLastError(Error::invalidHandle);
        return 0;
    }
    if (lib.player.isPlaying(*song)) {
        setLastError(Error::alreadyPlaying);
        return 0;
    }
    lib.output.poll();  // the silent output owes nothing from before the song starts
    MIDASmodulePlayHandle handle;
    {
        AudioLock lock(lib.output);
        handle = lib.player.start(*song, loopSong != FALSE);
    }
    if (!handle)
        setLastError(Error::outOfMemory);
    return handle;
}

BOOL MIDASpoll()
{
    if (injectedFailure(pollFault, Error::soundDevice))
        return FALSE;
    library().output.poll();
    return TRUE;
}

BOOL MIDASgetPlayStatus(MIDASmodulePlayHandle playHandle, MIDASplayStatus* status)
{
    if (injectedFailure(getPlayStatusFault, Error::invalidHandle))
        return FALSE;
    if (!status) {
        setLastError(Error::invalidArguments);
        return FALSE;
    }
    Library& lib = library();
    AudioLock lock(lib.output);
    const Playback* playback = lib.player.find(playHandle);
    if (!playback) {
        setLastError(Error::invalidHandle);
        return FALSE;
    }
    *status = lib.player.status(*playback);
    return TRUE;
}

BOOL MIDASstopModule(MIDASmodulePlayHandle playHandle)
{
    if (injectedFailure(stopModuleFault, Error::invalidHandle))
        return FALSE;
    Library& lib = library();
    bool stopped;
    {
        AudioLock lock(lib.output);
        stopped = lib.player.stop(playHandle);
    }
    if (!stopped)
        setLastError(Error::invalidHandle);
    return stopped;
}

// A song still playing is stopped first.
BOOL MIDASfreeModule(MIDASmodule module)
{
    if (injectedFailure(freeModuleFault, Error::invalidHandle))
        return FALSE;
    Library& lib = library();
    Song* song = lib.findSong(module);
    if (!song) {
        setLastError(Error::invalidHandle);
        return FALSE;
    }
    {
        AudioLock lock(lib.output);
        lib.player.stopSong(*song);
    }
    std::erase_if(lib.songs, [&](const std::unique_ptr<Song>& s) { return s.get() == song; });
    return TRUE;
}
