// A scene loaded from bytes and released when the test is done with it.
#pragma once

#include "engine/scene_loader.h"

#include <vector>

struct LoadedScene {
    Scene scene{};
    explicit LoadedScene(const std::vector<uint8_t>& bytes)
    {
        loadSceneFromMemory(bytes.data(), bytes.size(), &scene);
    }
    ~LoadedScene() { releaseScene(&scene); }
    LoadedScene(const LoadedScene&) = delete;
    LoadedScene& operator=(const LoadedScene&) = delete;
    Scene* operator->() { return &scene; }
};
