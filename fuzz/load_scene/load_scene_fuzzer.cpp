// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Any bytes as a 3DS file: the loader must stay inside them, and the renderer must
// draw whatever it made without reading outside its arrays.
#include "discarding_device.h"
#include "engine/renderer.h"
#include "engine/scene_loader.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Scene scene;
    std::memset(&scene, 0xCD, sizeof scene);  // the loader must not rely on a zeroed record
    loadSceneFromMemory(data, size, &scene);
    DiscardingDevice device;
    renderScene(&scene, &device);
    releaseScene(&scene);
    return 0;
}
