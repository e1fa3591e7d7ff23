// The device pulls on a thread of its own while the main thread starts, stops and
// frees songs: the library changes what plays only with the device held off.
#include "midas_fixture.h"
#include "test_songs.h"

#include <atomic>
#include <mutex>
#include <thread>

namespace {

// Pulls sound on its own thread for as long as the device is open, as SDL does.
class ThreadedHost : public FakeHost {
public:
    ~ThreadedHost() override { closeAudio(); }
    bool openAudio(host::AudioSource* source) override
    {
        closeAudio();
        running = true;
        device = std::thread([this, source] {
            std::vector<int16_t> buffer(512 * host::audioChannels);
            for (; running; ++pulls) {
                std::lock_guard<std::mutex> hold(mutex);
                source->mix(buffer.data(), 512);
            }
        });
        return true;
    }
    void closeAudio() override
    {
        running = false;
        if (device.joinable())
            device.join();
    }
    void lockAudio() override { mutex.lock(); }
    void unlockAudio() override { mutex.unlock(); }

    std::atomic<long> pulls{0};
    std::thread device;
    std::atomic<bool> running{false};
    std::mutex mutex;
};

TEST(MidasThreads, SongsComeAndGoWhileTheDevicePulls)
{
    ThreadedHost threaded;
    host::install(&threaded);
    soft::clearFaults();
    std::string path = writeTestFile("threads.xm", makeXm({}));
    ASSERT_TRUE(MIDASstartup() && MIDASconfig() && MIDASinit());
    for (int round = 0; round < 40; ++round) {
        MIDASmodule a = MIDASloadModule(path.c_str()), b = MIDASloadModule(path.c_str());
        MIDASmodulePlayHandle playA = MIDASplayModule(a, TRUE);
        ASSERT_NE(playA, 0u);
        ASSERT_NE(MIDASplayModule(b, round % 2), 0u);
        for (long before = threaded.pulls; threaded.pulls < before + 2;)
            std::this_thread::yield();
        MIDASplayStatus status;
        EXPECT_TRUE(MIDASgetPlayStatus(playA, &status));
        EXPECT_TRUE(MIDASstopModule(playA));
        EXPECT_TRUE(MIDASfreeModule(a));
        EXPECT_TRUE(MIDASfreeModule(b));  // still playing: stopped on the way
    }
    EXPECT_TRUE(MIDASclose());
    host::install(nullptr);
}

}  // namespace
