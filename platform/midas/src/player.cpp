// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "player.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>

namespace soft::midas {
namespace {

constexpr int frameBytes = host::audioChannels * int(sizeof(int16_t));
constexpr int noSync = -1;  // the status's sync value when no sync command was seen

// Adds `from` to `to`, clipping at the 16-bit limits. Adding to silence copies exactly.
void addClipped(int16_t* to, const int16_t* from, size_t samples)
{
    for (size_t i = 0; i < samples; ++i) {
        int sum = int(to[i]) + int(from[i]);
        to[i] = int16_t(
            std::clamp(sum, int(std::numeric_limits<int16_t>::min()), int(std::numeric_limits<int16_t>::max())));
    }
}

}  // namespace

// Copies the song's frames out as libxmp's own buffer filling does, except that a frame
// without a single sample (a tempo factor or tempo a hostile file sets can make one) ends
// the song: libxmp would ask for the next frame for ever.
void Player::render(Playback& playback, int16_t* out, int frames)
{
    char* to = reinterpret_cast<char*>(out);
    const int size = frames * frameBytes;
    int filled = 0;
    while (!playback.ended && filled < size) {
        if (playback.consumed == playback.frameBytes) {
            xmp_context context = playback.song->context();
            int result = xmp_play_frame(context);
            xmp_frame_info info;
            xmp_get_frame_info(context, &info);
            if (result < 0 || (playback.loopLimit > 0 && info.loop_count >= playback.loopLimit) ||
                info.buffer_size <= 0) {
                playback.ended = true;
                break;
            }
            playback.frame = static_cast<const char*>(info.buffer);
            playback.frameBytes = info.buffer_size;
            playback.consumed = 0;
        }
        int copy = std::min(size - filled, playback.frameBytes - playback.consumed);
        std::memcpy(to + filled, playback.frame + playback.consumed, size_t(copy));
        playback.consumed += copy;
        filled += copy;
    }
    std::memset(to + filled, 0, size_t(size - filled));
}

void Player::mix(int16_t* out, int frames)
{
    if (frames <= 0)
        return;
    size_t samples = size_t(frames) * host::audioChannels;
    std::fill_n(out, samples, int16_t(0));
    if (scratch.size() < samples)
        scratch.resize(samples);
    for (Playback& playback : playbacks) {
        render(playback, scratch.data(), frames);
        addClipped(out, scratch.data(), samples);
    }
}

MIDASmodulePlayHandle Player::start(Song& song, bool loop)
{
    if (xmp_start_player(song.context(), host::audioSampleRate, 0) != 0)
        return 0;
    if (++lastHandle == 0)  // 0 means failure; skip it when the count wraps
        ++lastHandle;
    playbacks.push_back(Playback{lastHandle, &song, loop ? 0 : 1, false});
    return lastHandle;
}

bool Player::stop(MIDASmodulePlayHandle handle)
{
    auto it = std::find_if(playbacks.begin(), playbacks.end(), [&](const Playback& p) { return p.handle == handle; });
    if (it == playbacks.end())
        return false;
    xmp_end_player(it->song->context());
    playbacks.erase(it);
    return true;
}

void Player::stopSong(const Song& song)
{
    for (const Playback& playback : playbacks)
        if (playback.song == &song) {
            stop(playback.handle);  // a song plays at most once at a time
            return;
        }
}

void Player::stopAll()
{
    while (!playbacks.empty())
        stop(playbacks.back().handle);
}

const Playback* Player::find(MIDASmodulePlayHandle handle) const
{
    for (const Playback& playback : playbacks)
        if (playback.handle == handle)
            return &playback;
    return nullptr;
}

bool Player::isPlaying(const Song& song) const
{
    return std::any_of(playbacks.begin(), playbacks.end(), [&](const Playback& p) { return p.song == &song; });
}

MIDASplayStatus Player::status(const Playback& playback) const
{
    xmp_frame_info info;
    xmp_get_frame_info(playback.song->context(), &info);
    return MIDASplayStatus{DWORD(info.pos), DWORD(info.pattern), DWORD(info.row), noSync, DWORD(info.loop_count)};
}

}  // namespace soft::midas
