// What plays: the stand-in's sound against libxmp's own, looping, stopping, status.
#include "midas_fixture.h"
#include "reference_render.h"
#include "test_songs.h"

#include <algorithm>
#include <limits>
#include <string>

namespace {

bool silent(const int16_t* from, const int16_t* to) { return std::all_of(from, to, [](int16_t s) { return s == 0; }); }

class PlaybackTest : public MidasTest {
protected:
    // Pulls `frames` frames from the device in uneven pieces, as a sound card would.
    std::vector<int16_t> pullUnevenly(int frames)
    {
        static constexpr int pieces[] = {1, 441, 7, 1024, 333, 4096, 2};
        std::vector<int16_t> all;
        for (int done = 0, i = 0; done < frames; ++i) {
            int n = std::min(pieces[i % std::size(pieces)], frames - done);
            std::vector<int16_t> piece = fakeHost.pull(n);
            all.insert(all.end(), piece.begin(), piece.end());
            done += n;
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

TEST_F(PlaybackTest, SoundIsBitIdenticalToLibxmpPlayingAlone)
{
    TestSong xmSong;
    TestSong modSong;
    modSong.rows = 64;
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        int frames;
        BOOL loop;
    } cases[] = {
        {"same_loop.xm", makeXm(xmSong), songFrames(xmSong) * 5 / 2, TRUE},
        {"same_once.xm", makeXm(xmSong), songFrames(xmSong) * 3 / 2, FALSE},
        {"same_loop.mod", makeMod(modSong), songFrames(modSong) * 5 / 2, TRUE},
        {"same_once.mod", makeMod(modSong), songFrames(modSong) * 3 / 2, FALSE},
    };
    bringUp();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MIDASmodulePlayHandle handle = play(c.name, c.bytes, c.loop);
        ASSERT_NE(handle, 0u);
        std::vector<int16_t> ours = pullUnevenly(c.frames);
        std::vector<int16_t> theirs = renderWithLibxmp(c.bytes, c.frames, c.loop ? 0 : 1);
        ASSERT_FALSE(silent(theirs.data(), theirs.data() + theirs.size()));
        EXPECT_TRUE(ours == theirs);
        EXPECT_TRUE(MIDASstopModule(handle));
    }
}

TEST_F(PlaybackTest, ALoopingSongRepeatsFromItsRestartPosition)
{
    TestSong song;
    song.orders = 3;
    song.restartPosition = 1;
    bringUp();
    MIDASmodulePlayHandle handle = play("restart.xm", makeXm(song), TRUE);
    ASSERT_NE(handle, 0u);
    int perOrder = songFrames(song) / song.orders;
    MIDASplayStatus status{};
    std::vector<DWORD> positionsAfterLoop;
    for (int pulled = 0; pulled < songFrames(song) * 3; pulled += perOrder / 4) {
        std::vector<int16_t> piece = fakeHost.pull(perOrder / 4);
        ASSERT_TRUE(MIDASgetPlayStatus(handle, &status));
        if (status.songLoopCount > 0) {
            positionsAfterLoop.push_back(status.position);
            EXPECT_FALSE(silent(piece.data(), piece.data() + piece.size()));
        }
    }
    EXPECT_GE(status.songLoopCount, 2u);
    ASSERT_FALSE(positionsAfterLoop.empty());
    EXPECT_EQ(*std::min_element(positionsAfterLoop.begin(), positionsAfterLoop.end()), 1u);
    EXPECT_EQ(*std::max_element(positionsAfterLoop.begin(), positionsAfterLoop.end()), 2u);
}

TEST_F(PlaybackTest, ASongPlayedOnceFallsSilentAtItsEnd)
{
    TestSong song;
    bringUp();
    MIDASmodulePlayHandle handle = play("once.xm", makeXm(song), FALSE);
    ASSERT_NE(handle, 0u);
    int length = songFrames(song);
    std::vector<int16_t> sound = pullUnevenly(length * 2);
    const int16_t* end = sound.data() + size_t(length) * 2;
    EXPECT_FALSE(silent(end - 4410 * 2, end));   // still sounding in its last tenth of a second
    EXPECT_TRUE(silent(end + 256 * 2, sound.data() + sound.size()));
    MIDASplayStatus status;
    EXPECT_TRUE(MIDASgetPlayStatus(handle, &status));   // the ended playback still answers
}

TEST_F(PlaybackTest, MixingFillsExactlyTheFramesAsked)
{
    bringUp();
    constexpr int16_t guard = 0x5A5A;
    std::vector<int16_t> before(200, guard);
    fakeHost.audio->mix(before.data(), 90);   // nothing plays yet: silence
    EXPECT_TRUE(silent(before.data(), before.data() + 180));
    EXPECT_TRUE(std::all_of(before.begin() + 180, before.end(), [](int16_t s) { return s == guard; }));

    ASSERT_NE(play("exact.xm", makeXm({}), TRUE), 0u);
    for (int frames : {1, 3, 1000, 8192}) {
        std::vector<int16_t> buffer(size_t(frames + 16) * 2, guard);
        fakeHost.audio->mix(buffer.data(), frames);
        EXPECT_TRUE(std::all_of(buffer.begin() + frames * 2, buffer.end(), [](int16_t s) { return s == guard; }))
            << frames;
        EXPECT_FALSE(std::count(buffer.begin(), buffer.begin() + frames * 2, guard) == frames * 2) << frames;
    }
}

TEST_F(PlaybackTest, PlayStatusFollowsTheSound)
{
    TestSong song;
    bringUp();
    std::vector<uint8_t> bytes = makeXm(song);
    MIDASmodulePlayHandle handle = play("status.xm", bytes, TRUE);
    MIDASplayStatus status;
    ASSERT_TRUE(MIDASgetPlayStatus(handle, &status));
    EXPECT_EQ(status.position, 0u);
    EXPECT_EQ(status.row, 0u);
    EXPECT_EQ(status.syncInfo, -1);
    int frames = songFrames(song) * 3 / 4;   // three quarters in: the second order's middle
    fakeHost.pull(frames);
    xmp_frame_info expected;
    renderWithLibxmp(bytes, frames, 0, &expected);
    ASSERT_TRUE(MIDASgetPlayStatus(handle, &status));
    EXPECT_EQ(status.position, 1u);
    EXPECT_EQ(status.position, DWORD(expected.pos));
    EXPECT_EQ(status.row, DWORD(expected.row));
    EXPECT_GT(status.row, 0u);
    EXPECT_EQ(status.pattern, 0u);
    EXPECT_EQ(status.songLoopCount, 0u);
}

TEST_F(PlaybackTest, TwoSongsAreAddedAndClipped)
{
    TestSong modSong;
    modSong.rows = 64;
    std::vector<uint8_t> xm = makeXm({});
    std::vector<uint8_t> mod = makeMod(modSong);
    constexpr int frames = 30000;
    bringUp();
    ASSERT_NE(play("both.xm", xm, TRUE), 0u);
    ASSERT_NE(play("both.mod", mod, TRUE), 0u);
    std::vector<int16_t> ours = pullUnevenly(frames);
    std::vector<int16_t> a = renderWithLibxmp(xm, frames, 0);
    std::vector<int16_t> b = renderWithLibxmp(mod, frames, 0);
    for (size_t i = 0; i < ours.size(); ++i) {
        int sum = std::clamp(a[i] + b[i], int(std::numeric_limits<int16_t>::min()),
                             int(std::numeric_limits<int16_t>::max()));
        ASSERT_EQ(ours[i], sum) << i;
    }
}

TEST_F(PlaybackTest, FreeingAPlayingSongStopsIt)
{
    bringUp();
    MIDASmodule module = MIDASloadModule(writeTestFile("freed.xm", makeXm({})).c_str());
    MIDASmodulePlayHandle handle = MIDASplayModule(module, TRUE);
    fakeHost.pull(1000);
    EXPECT_TRUE(MIDASfreeModule(module));
    std::vector<int16_t> after = fakeHost.pull(1000);
    EXPECT_TRUE(silent(after.data(), after.data() + after.size()));
    MIDASplayStatus status;
    EXPECT_FALSE(MIDASgetPlayStatus(handle, &status));
    EXPECT_EQ(fakeHost.locks, 0);   // every change was made with the device held off, and let go
    EXPECT_GT(fakeHost.lockCalls, 0);
}

TEST_F(PlaybackTest, TheSilentOutputAdvancesWithTheClock)
{
    TestSong song;
    std::vector<uint8_t> bytes = makeXm(song);
    fakeHost.hasAudio = false;
    fakeHost.nowMs = 0xFFFFFFFFu - 5500;   // the counter wraps while the song plays
    testing::internal::CaptureStderr();
    bringUp();
    testing::internal::GetCapturedStderr();
    fakeHost.nowMs += 5000;   // loading time does not count against the song
    MIDASmodulePlayHandle handle = play("clock.xm", bytes, TRUE);
    for (int step = 0; step < 10; ++step) {
        fakeHost.nowMs += 150;   // three ticks
        ASSERT_TRUE(MIDASpoll());
    }
    xmp_frame_info expected;
    renderWithLibxmp(bytes, 1500 * 441 / 10, 0, &expected);
    MIDASplayStatus status;
    ASSERT_TRUE(MIDASgetPlayStatus(handle, &status));
    EXPECT_GT(status.row + status.position, 0u);
    EXPECT_EQ(status.position, DWORD(expected.pos));
    EXPECT_EQ(status.row, DWORD(expected.row));
}

} // namespace
