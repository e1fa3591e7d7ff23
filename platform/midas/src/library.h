// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Everything the library holds between calls. It lives until the process ends and is
// never destroyed, so that an audio thread still running at exit never mixes freed songs.
#pragma once

#include "output.h"
#include "player.h"
#include "song.h"

#include <map>
#include <memory>
#include <vector>

namespace soft::midas {

struct Library {
    Output output;
    Player player;
    std::vector<std::unique_ptr<Song>> songs;
    std::map<int, DWORD_PTR> options;
    bool initialized = false;

    Song* findSong(MIDASmodule module) const;
};

Library& library();

// The output lock held for one scope.
class AudioLock {
public:
    explicit AudioLock(Output& output) : output_(output) { output_.lock(); }
    ~AudioLock() { output_.unlock(); }
    AudioLock(const AudioLock&) = delete;
    AudioLock& operator=(const AudioLock&) = delete;

private:
    Output& output_;
};

}  // namespace soft::midas
