// A small program over the SDL host alone, for the end-to-end test under a virtual
// X server: the device dialog, then moving frames and a tone until Escape or quit.
// Every key that reaches it is printed on stderr as "key down 0xNN".
#include "device_dialog.h"
#include "host/sdl_host.h"
#include "soft/surface.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

constexpr int frameWidth = 640, frameHeight = 480;
constexpr uint32_t vkEscape = 27;

class Tone : public host::AudioSource {  // 440 Hz on both channels
public:
    void mix(int16_t* out, int frames) override
    {
        for (int i = 0; i < frames; ++i, phase += 2 * M_PI * 440.0 / host::audioSampleRate)
            out[2 * i] = out[2 * i + 1] = int16_t(8000 * std::sin(phase));
    }
    double phase = 0;
};

// The demo's device dialog with the host's devices, the window (the second) selected; -1 when
// it was cancelled or closed.
int chooseDevice(host::Host& h)
{
    std::vector<std::string> devices;
    for (const host::DisplayDevice& d : h.displays())
        devices.push_back(d.description);
    host::DialogView view = deviceDialog(devices, devices.size() < 2 ? -1 : 1);
    host::DialogControl& combo = view.controls[2];
    for (;;) {
        const host::DialogInput input = h.waitDialogInput(view);
        if (input.kind == host::DialogInput::select) {
            combo.selection = input.value;
        } else if (input.kind == host::DialogInput::close || input.control == 2) {
            h.closeDialog();
            return -1;
        } else if (input.control == 1) {
            h.closeDialog();
            return std::max(combo.selection, 0);
        }
    }
}

}  // namespace

int main()
{
    std::string error;
    const host::SdlHostOptions options;
    std::unique_ptr<host::Host> h = host::makeSdlHost(options, error);
    if (!h) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }
    const int device = chooseDevice(*h);
    if (device < 0 || !h->setMode(device, frameWidth, frameHeight))
        return 2;
    h->setCursorVisible(false);
    Tone tone;
    std::fprintf(stderr, "audio %s\n", h->openAudio(&tone) ? "open" : "missing");
    const uint32_t firstTick = h->tickCount();
    soft::SurfaceMemory frame(frameWidth, frameHeight, options.pixelFormat, 16);
    for (unsigned frames = 1;; ++frames) {
        const int shift = int(h->tickCount() / 10);
        for (int y = 0; y < frame.height; ++y)
            for (int x = 0; x < frame.width; ++x)
                frame.at(x, y) =
                    soft::packColour(frame.format, uint8_t(x + shift), uint8_t(y), uint8_t((x ^ y) + shift));
        h->present(host::Frame{frame.bytes.data(), frame.width, frame.height, frame.pitch, frame.format});
        host::Event e;
        while (h->pollEvent(e)) {
            if (e.kind == host::EventKind::keyDown)
                std::fprintf(stderr, "key down 0x%02x\n", unsigned(e.virtualKey));
            if (e.kind == host::EventKind::quit || (e.kind == host::EventKind::keyDown && e.virtualKey == vkEscape)) {
                const unsigned ms = h->tickCount() - firstTick;
                std::fprintf(stderr, "frames per second %u\n", ms ? unsigned(frames * 1000ull / ms) : 0u);
                h->closeAudio();
                h->restoreMode();
                return 0;
            }
        }
    }
}
