// A small program over the SDL host alone, for the end-to-end test under a virtual
// X server: the device dialog, then moving frames and a tone until Escape or quit.
// Every key that reaches it is printed on stderr as "key down 0xNN".
#include "host/sdl_host.h"
#include "soft/surface.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr int frameWidth = 640;
constexpr int frameHeight = 480;
constexpr int comboId = 1001;
constexpr uint32_t vkEscape = 27;
constexpr double toneHz = 440.0;

class Tone : public host::AudioSource {
public:
    void mix(int16_t* out, int frames) override
    {
        for (int i = 0; i < frames; ++i) {
            auto v = int16_t(8000 * std::sin(phase_));
            out[2 * i] = v;
            out[2 * i + 1] = v;
            phase_ += 2 * M_PI * toneHz / host::audioSampleRate;
        }
    }

private:
    double phase_ = 0;
};

host::DialogView deviceDialog(const std::vector<host::DisplayDevice>& devices)
{
    host::DialogView view;
    view.caption = "Select Rendering Device";
    view.width = 390;
    view.height = 88;
    host::DialogControl combo{comboId, "combobox", 138, 11, 242, 88, 0x50210003, "", {}, 1};
    for (const host::DisplayDevice& d : devices)
        combo.items.push_back(d.description);
    if (combo.items.size() < 2)
        combo.selection = -1;
    view.controls.push_back({1, "button", 206, 54, 75, 23, 0x50010001, "OK", {}, -1});
    view.controls.push_back({2, "button", 305, 54, 75, 23, 0x50010000, "Cancel", {}, -1});
    view.controls.push_back(combo);
    view.controls.push_back({-1, "static", 11, 11, 108, 13, 0x50020000, "Render device", {}, -1});
    return view;
}

// -1 when the dialog was cancelled or closed.
int chooseDevice(host::Host& h)
{
    host::DialogView view = deviceDialog(h.displays());
    host::DialogControl& combo = view.controls[2];
    for (;;) {
        host::DialogInput input = h.waitDialogInput(view);
        if (input.kind == host::DialogInput::select) {
            combo.selection = input.value;
            std::fprintf(stderr, "selected %d\n", input.value);
        } else if (input.kind == host::DialogInput::command && input.control == 1) {
            h.closeDialog();
            return combo.selection < 0 ? 0 : combo.selection;
        } else if (input.kind == host::DialogInput::close ||
                   (input.kind == host::DialogInput::command && input.control == 2)) {
            h.closeDialog();
            return -1;
        }
    }
}

void drawFrame(soft::SurfaceMemory& m, uint32_t ticks)
{
    int shift = int(ticks / 10);
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x)
            m.at(x, y) = soft::packColour(m.format, uint8_t(x + shift), uint8_t(y), uint8_t((x ^ y) + shift));
}

host::SdlHostOptions parseOptions(int argc, char** argv)
{
    host::SdlHostOptions options;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--no-vsync")
            options.vsync = false;
        else if (a == "--stretch")
            options.scale = host::SdlHostOptions::Scale::stretch;
        else if (a == "--555")
            options.pixelFormat = soft::PixelFormat::rgb555;
    }
    return options;
}

} // namespace

int main(int argc, char** argv)
{
    std::string error;
    std::unique_ptr<host::Host> h = host::makeSdlHost(parseOptions(argc, argv), error);
    if (!h) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }
    int device = chooseDevice(*h);
    if (device < 0)
        return 2;
    std::fprintf(stderr, "device %d\n", device);
    if (!h->setMode(device, frameWidth, frameHeight))
        return 2;
    h->setCursorVisible(false);
    Tone tone;
    std::fprintf(stderr, "audio %s\n", h->openAudio(&tone) ? "open" : "missing");
    uint32_t firstTick = h->tickCount();
    unsigned frames = 0;
    auto rate = [&] {
        unsigned ms = h->tickCount() - firstTick;
        std::fprintf(stderr, "frames per second %u\n", ms ? unsigned(frames * 1000ull / ms) : 0u);
    };
    soft::SurfaceMemory frame(frameWidth, frameHeight, parseOptions(argc, argv).pixelFormat, 16);
    for (;;) {
        drawFrame(frame, h->tickCount());
        h->present(host::Frame{frame.bytes.data(), frame.width, frame.height, frame.pitch, frame.format});
        ++frames;
        host::Event e;
        while (h->pollEvent(e)) {
            if (e.kind == host::EventKind::quit) {
                std::fprintf(stderr, "quit\n");
                rate();
                h->closeAudio();
                h->restoreMode();
                return 0;
            }
            if (e.kind == host::EventKind::keyDown)
                std::fprintf(stderr, "key down 0x%02x\n", unsigned(e.virtualKey));
            if (e.kind == host::EventKind::keyDown && e.virtualKey == vkEscape) {
                rate();
                h->closeAudio();
                h->restoreMode();
                return 0;
            }
        }
    }
}
