// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// A small program over the SDL host alone for the test under Xvfb: the device dialog, then moving frames
// and a tone until Escape or quit. Every key that reaches it is printed on stderr as "key down 0xNN".
#include "host/sdl_host.h"
#include "soft/surface.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {

constexpr int frameWidth = 640, frameHeight = 480;
constexpr uint32_t vkEscape = 27, vkReturn = 13;

class Tone : public host::AudioSource {  // 440 Hz on both channels
public:
    void mix(int16_t* out, int frames) override
    {
        for (int i = 0; i < frames; ++i, phase += 2 * M_PI * 440.0 / host::audioSampleRate)
            out[2 * i] = out[2 * i + 1] = int16_t(8000 * std::sin(phase));
    }
    double phase = 0;
};

// A plain grey dialog: Enter confirms the window (the second device), Escape or a close answers -1.
int chooseDevice(host::Host& h)
{
    soft::SurfaceMemory picture(394, 110, soft::PixelFormat::rgb565);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            picture.at(x, y) =
                y < 20 ? soft::packColour(picture.format, 0, 0, 128) : soft::packColour(picture.format, 192, 192, 192);
    host::Frame frame{picture.bytes.data(), picture.width, picture.height, picture.pitch, picture.format};
    h.presentDialog({frame, "Select Rendering Device", {0, 0, 394, 20}, {376, 3, 14, 14}});
    for (host::Event e;;) {
        if (!h.waitEvent(e, 100))
            continue;
        const bool key = e.kind == host::EventKind::keyDown;
        if (e.kind == host::EventKind::quit || (key && (e.virtualKey == vkEscape || e.virtualKey == vkReturn))) {
            h.closeDialog();
            return key && e.virtualKey == vkReturn ? 1 : -1;
        }
    }
}

}  // namespace

int main()
{
    std::string error;
    const host::sdl::SdlHostOptions options;
    std::unique_ptr<host::Host> h = host::sdl::makeSdlHost(options, error);
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
