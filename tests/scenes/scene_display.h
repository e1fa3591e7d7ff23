// The real display on the headless host for the scene tests: the window, the
// full-screen flipping chain, depth buffer, device and viewport that set-up makes,
// with a scene open on the device and the back buffer readable.
#pragma once

#include "display/display_context.h"
#include "host/headless_host.h"
#include "soft/pixels.h"
#include "soft/surface.h"

#include <memory>
#include <string>

class SceneDisplay {
public:
    SceneDisplay();
    ~SceneDisplay();
    SceneDisplay(const SceneDisplay&) = delete;
    SceneDisplay& operator=(const SceneDisplay&) = delete;

    bool ready() const { return setUpResult == 0; }
    DisplayContext* context() { return &display; }
    soft::SurfaceMemory& back();
    // Paints the back buffer in a pattern no scene draws.
    void seedBack();
    static uint16_t seedValue(int x, int y) { return uint16_t(0x8421 ^ (x * 7 + y * 13)); }

private:
    std::unique_ptr<host::HeadlessHost> host;
    DisplayContext display{};
    long setUpResult = -1;
};

// Enters dir for the life of the object.
class WorkingFolder {
public:
    explicit WorkingFolder(const std::string& dir);
    ~WorkingFolder();

private:
    std::string previous;
};

soft::Rgb8 rgbAt(const soft::SurfaceMemory& memory, int x, int y);
