// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The mixer: every song that plays, rendered by libxmp at 44.1 kHz stereo and added
// together into the frames the output pulls. The output's thread calls mix(); every
// other member is called from the main thread with the output locked.
#pragma once

#include "midas.h"
#include "song.h"

#include "host/audio_source.h"

#include <vector>

namespace soft::midas {

struct Playback {
    MIDASmodulePlayHandle handle = 0;
    Song* song = nullptr;
    int loopLimit = 0;            // libxmp's loop count: 0 repeats for ever, 1 stops at the end
    bool ended = false;           // the song reached its end and plays silence
    const char* frame = nullptr;  // libxmp's last rendered frame, `consumed` bytes of it already out
    int frameBytes = 0;
    int consumed = 0;
};

class Player : public host::AudioSource {
public:
    void mix(int16_t* out, int frames) override;

    // Starts `song` from its beginning; 0 when libxmp refuses.
    MIDASmodulePlayHandle start(Song& song, bool loop);
    bool stop(MIDASmodulePlayHandle handle);
    void stopSong(const Song& song);
    void stopAll();

    const Playback* find(MIDASmodulePlayHandle handle) const;
    bool isPlaying(const Song& song) const;
    MIDASplayStatus status(const Playback& playback) const;

private:
    void render(Playback& playback, int16_t* out, int frames);

    std::vector<Playback> playbacks;
    std::vector<int16_t> scratch;
    MIDASmodulePlayHandle lastHandle = 0;
};

}  // namespace soft::midas
