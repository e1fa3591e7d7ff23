// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// What plays: the stand-in's sound against libxmp's own, looping, stopping, status.
#include "midas_fixture.h"
#include "song.h"
#include "test_songs.h"

#include <algorithm>
#include <array>

#include <unistd.h>

namespace {

bool silent(const int16_t* from, const int16_t* to)
{
    return std::all_of(from, to, [](int16_t s) { return s == 0; });
}
bool silent(const std::vector<int16_t>& v) { return silent(v.data(), v.data() + v.size()); }

class PlaybackTest : public MidasTest {
protected:
    // Pulls `frames` frames from the device in uneven pieces, as a sound card would.
    std::vector<int16_t> pullUnevenly(int frames)
    {
        static constexpr int pieces[] = {1, 441, 7, 1024, 333, 4096, 2};
        std::vector<int16_t> all;
        for (int done = 0, i = 0; done < frames; done += pieces[i++ % std::size(pieces)]) {
            std::vector<int16_t> piece = fakeHost.pull(std::min(pieces[i % std::size(pieces)], frames - done));
            all.insert(all.end(), piece.begin(), piece.end());
        }
        return all;
    }

    MIDASmodulePlayHandle play(const std::string& name, const std::vector<uint8_t>& bytes, BOOL loop)
    {
        MIDASmodule module = MIDASloadModule(writeTestFile(name, bytes).c_str());
        EXPECT_NE(module, nullptr) << lastErrorText();
        return MIDASplayModule(module, loop);
    }
};

// Looping, a song goes on from its restart position; played once, it falls silent and still answers.
TEST_F(PlaybackTest, SoundIsBitIdenticalToLibxmpPlayingAlone)
{
    const TestSong xmSong, longer{.rows = 64, .speed = 4}, restarting{.orders = 3, .restartPosition = 1};
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        int length;
        BOOL loop;
    } cases[] = {
        {"same_loop.xm", makeXm(xmSong), songFrames(xmSong), TRUE},
        {"same_once.xm", makeXm(xmSong), songFrames(xmSong), FALSE},
        {"longer_loop.xm", makeXm(longer), songFrames(longer), TRUE},
        {"longer_once.xm", makeXm(longer), songFrames(longer), FALSE},
        {"restart.xm", makeXm(restarting), songFrames(restarting), TRUE},
    };
    bringUp();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MIDASmodulePlayHandle handle = play(c.name, c.bytes, c.loop);
        ASSERT_NE(handle, 0u);
        const int frames = c.length * (c.loop ? 5 : 3) / 2;
        std::vector<int16_t> ours = pullUnevenly(frames);
        ASSERT_FALSE(silent(ours));
        EXPECT_TRUE(ours == renderWithLibxmp(c.bytes, frames, c.loop ? 0 : 1));
        const int16_t* end = ours.data() + size_t(c.length) * 2;
        EXPECT_FALSE(silent(end - 4410 * 2, end));  // still sounding in its last tenth of a second
        EXPECT_EQ(silent(end + 256 * 2, ours.data() + ours.size()), !c.loop);
        MIDASplayStatus status;
        ASSERT_TRUE(MIDASgetPlayStatus(handle, &status));
        EXPECT_EQ(status.songLoopCount >= 2u, bool(c.loop));
        EXPECT_TRUE(MIDASstopModule(handle));
    }
}

TEST_F(PlaybackTest, MixingFillsExactlyTheFramesAsked)
{
    bringUp();
    constexpr int16_t guard = 0x5A5A;
    auto guardKept = [&](const std::vector<int16_t>& b, int frames) {
        return std::all_of(b.begin() + frames * 2, b.end(), [](int16_t s) { return s == guard; });
    };
    std::vector<int16_t> before(200, guard);
    fakeHost.audio->mix(before.data(), 90);  // nothing plays yet: silence
    EXPECT_TRUE(silent(before.data(), before.data() + 180));
    EXPECT_TRUE(guardKept(before, 90));

    ASSERT_NE(play("exact.xm", makeXm({}), TRUE), 0u);
    for (int frames : {1, 3, 1000, 8192}) {
        std::vector<int16_t> buffer(size_t(frames + 16) * 2, guard);
        fakeHost.audio->mix(buffer.data(), frames);
        EXPECT_TRUE(guardKept(buffer, frames)) << frames;
        EXPECT_NE(std::count(buffer.begin(), buffer.begin() + frames * 2, guard), frames * 2) << frames;
    }
}

// The status against libxmp's, with the device pulling and, without one, following a wrapping tick counter.
TEST_F(PlaybackTest, PlayStatusFollowsTheSound)
{
    const TestSong song;
    const std::vector<uint8_t> bytes = makeXm(song);
    for (bool hasAudio : {true, false}) {
        SCOPED_TRACE(hasAudio ? "device" : "clock");
        fakeHost.hasAudio = hasAudio;
        fakeHost.nowMs = 0xFFFFFFFFu - 5500;  // the counter wraps while the song plays
        testing::internal::CaptureStderr();
        bringUp();
        testing::internal::GetCapturedStderr();
        fakeHost.nowMs += 5000;  // loading time does not count against the song
        MIDASmodulePlayHandle handle = play("status.xm", bytes, TRUE);
        MIDASplayStatus status;
        ASSERT_TRUE(MIDASgetPlayStatus(handle, &status));
        EXPECT_EQ(status.position + status.row + status.songLoopCount, 0u);
        EXPECT_EQ(status.syncInfo, -1);
        int frames = songFrames(song) * 3 / 4;  // three quarters in: the second order's middle
        if (hasAudio) {
            fakeHost.pull(frames);
        } else {
            frames = 1500 * 441 / 10;
            for (int step = 0; step < 10; ++step) {
                fakeHost.nowMs += 150;  // three ticks
                ASSERT_TRUE(MIDASpoll());
            }
        }
        xmp_frame_info expected;
        renderWithLibxmp(bytes, frames, 0, &expected);
        ASSERT_TRUE(MIDASgetPlayStatus(handle, &status));
        EXPECT_TRUE(status.position == 1 && status.row > 0) << status.position << " " << status.row;
        EXPECT_EQ((std::array{status.position, status.row, status.pattern, status.songLoopCount}),
                  (std::array<DWORD, 4>{DWORD(expected.pos), DWORD(expected.row), 0, 0}));
        EXPECT_TRUE(MIDASclose());
        ASSERT_TRUE(MIDASstartup());
    }
}

TEST_F(PlaybackTest, TwoSongsAreAddedAndClipped)
{
    const std::vector<uint8_t> xm = makeXm({}), other = makeXm({.rows = 64, .speed = 4, .bpm = 140});
    constexpr int frames = 30000;
    bringUp();
    ASSERT_NE(play("both.xm", xm, TRUE), 0u);
    ASSERT_NE(play("both_other.xm", other, TRUE), 0u);
    std::vector<int16_t> ours = pullUnevenly(frames);
    std::vector<int16_t> a = renderWithLibxmp(xm, frames, 0), b = renderWithLibxmp(other, frames, 0);
    for (size_t i = 0; i < ours.size(); ++i)
        ASSERT_EQ(ours[i], std::clamp(a[i] + b[i], -32768, 32767)) << i;
}

TEST_F(PlaybackTest, FreeingAPlayingSongStopsIt)
{
    bringUp();
    MIDASmodule module = MIDASloadModule(writeTestFile("freed.xm", makeXm({})).c_str());
    MIDASmodulePlayHandle handle = MIDASplayModule(module, TRUE);
    fakeHost.pull(1000);
    EXPECT_TRUE(MIDASfreeModule(module));
    EXPECT_TRUE(silent(fakeHost.pull(1000)));
    MIDASplayStatus status;
    EXPECT_FALSE(MIDASgetPlayStatus(handle, &status));
    EXPECT_EQ(fakeHost.locks, 0);  // every change was made with the device held off, and let go
    EXPECT_GT(fakeHost.lockCalls, 0);
}

// A frame of no length (a tempo can leave none) ends the song, where libxmp's buffer filling would
// spin for ever; played in a child process that an alarm ends, so that a spin fails at once.
TEST_F(PlaybackTest, AFrameOfNoLengthEndsTheSong)
{
    bringUp();
    MIDASmodule module = MIDASloadModule(writeTestFile("no_length.xm", makeXm({.notes = false})).c_str());
    ASSERT_NE(module, nullptr);
    MIDASmodulePlayHandle handle = MIDASplayModule(module, TRUE);
    ASSERT_NE(handle, 0u);
    ASSERT_EQ(xmp_set_tempo_factor(static_cast<soft::midas::Song*>(module)->context(), 0.0001), 0);
    EXPECT_EXIT(
        {
            alarm(10);
            std::vector<int16_t> out = fakeHost.pull(4096);
            MIDASplayStatus status;
            std::exit(silent(out) && MIDASgetPlayStatus(handle, &status) ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
    EXPECT_TRUE(MIDASstopModule(handle));
}

}  // namespace
