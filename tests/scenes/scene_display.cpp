#include "scene_display.h"

#include "display/display_setup.h"
#include "soft/pixels.h"
#include "ddraw_soft.h"

#include <unistd.h>

#include <climits>
#include <stdexcept>

SceneDisplay::SceneDisplay() : host(host::makeHeadlessHost({}))
{
    host::install(host.get());
    setUpDisplay(nullptr, SW_SHOWDEFAULT, &display, setupWindow);
    setUpResult = setUpDisplay(nullptr, SW_SHOWDEFAULT, &display, setupDirectDraw | setupDirect3D);
    if (ready())
        display.device->BeginScene();
}

SceneDisplay::~SceneDisplay()
{
    if (ready()) {
        display.device->EndScene();
        tearDownDisplay(&display);
    }
    host::install(nullptr);
}

soft::SurfaceMemory& SceneDisplay::back() { return *surfaceMemoryOf(display.backSurface); }

void SceneDisplay::seedBack()
{
    soft::SurfaceMemory& memory = back();
    for (int y = 0; y < memory.height; ++y)
        for (int x = 0; x < memory.width; ++x)
            memory.at(x, y) = seedValue(x, y);
}

WorkingFolder::WorkingFolder(const std::string& dir)
{
    char buffer[PATH_MAX];
    if (!getcwd(buffer, sizeof buffer))
        throw std::runtime_error("no working folder");
    previous = buffer;
    if (chdir(dir.c_str()) != 0)
        throw std::runtime_error("cannot enter " + dir);
}

WorkingFolder::~WorkingFolder() { (void)chdir(previous.c_str()); }

soft::Rgb8 rgbAt(const soft::SurfaceMemory& memory, int x, int y)
{
    return soft::unpackColour(memory.format, memory.at(x, y));
}
