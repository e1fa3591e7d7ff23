#include "screenshot.h"

#include "frame_png.h"

#include <filesystem>

namespace host::sdl {

std::string saveScreenshot(const Frame& frame, const std::string& dir, const std::string& prefix, std::time_t when,
                           uint32_t ticks)
{
    if (!frame.pixels)
        return "screenshot not saved: nothing shown yet";
    std::error_code fsError;
    std::filesystem::create_directories(dir, fsError);
    std::string path = (std::filesystem::path(dir) / screenshotFileName(prefix, when, ticks)).string();
    // Written under a passing name and renamed when whole, so that no one sees half a file.
    std::string partial = path + ".part";
    std::string error;
    if (!writeFramePng(partial, frame, error)) {
        std::filesystem::remove(partial, fsError);
        return "screenshot not saved: " + error;
    }
    std::filesystem::rename(partial, path, fsError);
    if (fsError)
        return "screenshot not saved: " + fsError.message();
    return "screenshot saved to " + path;
}

}  // namespace host::sdl
