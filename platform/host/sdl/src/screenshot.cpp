// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "screenshot.h"

#include "frame_png.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace host::sdl {

namespace {

bool set(const char* variable) { return variable && *variable; }

// The folder a user-dirs.dirs line such as XDG_PICTURES_DIR="$HOME/Pictures" names,
// or nothing.
std::string picturesFromUserDirs(const std::string& file, const std::string& home)
{
    std::ifstream in(file);
    const std::string key = "XDG_PICTURES_DIR=\"";
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(key, 0) != 0 || line.size() < key.size() + 1 || line.back() != '"')
            continue;
        std::string value = line.substr(key.size(), line.size() - key.size() - 1);
        if (value.rfind("$HOME", 0) == 0)
            return home + value.substr(5);
        return value.empty() || value[0] != '/' ? std::string() : value;
    }
    return {};
}

}  // namespace

std::string screenshotFolder(const char* picturesDir, const char* configHome, const char* home)
{
    const std::string homeDir = set(home) ? home : "/tmp";
    std::string pictures = set(picturesDir) ? picturesDir : "";
    if (pictures.empty()) {
        const std::string config = set(configHome) ? configHome : homeDir + "/.config";
        pictures = picturesFromUserDirs(config + "/user-dirs.dirs", homeDir);
    }
    if (pictures.empty())
        pictures = homeDir + "/Pictures";
    return (std::filesystem::path(pictures) / "Mornakle").lexically_normal().string();
}

std::string screenshotFolder()
{
    return screenshotFolder(std::getenv("XDG_PICTURES_DIR"), std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

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
