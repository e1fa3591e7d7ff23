// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// A frame of renderScene allocates nothing. Heap calls are counted by wrapping the C library's
// allocator (not under the sanitizers, which bring their own).
#include "chunk_builder.h"
#include "engine/renderer.h"
#include "recording_device.h"

#include <gtest/gtest.h>

#if defined(__SANITIZE_ADDRESS__)
#define MORNAKLE_OWN_ALLOCATOR 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MORNAKLE_OWN_ALLOCATOR 1
#endif
#endif

#ifndef MORNAKLE_OWN_ALLOCATOR
namespace {
size_t heapCalls = 0;
}
extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void* malloc(size_t size) { return ++heapCalls, __libc_malloc(size); }
void* calloc(size_t count, size_t size) { return ++heapCalls, __libc_calloc(count, size); }
void* realloc(void* block, size_t size) { return ++heapCalls, __libc_realloc(block, size); }
}

namespace {

TEST(RendererAllocation, AFrameOfEveryKindOfLightAllocatesNothing)
{
    size_t beforeLoad = heapCalls;
    LoadedScene s(sceneFile([](ChunkBuilder& b) {
        b.begin(0x4000).text("M").begin(0x4100).vertices({{0, 0, 0}, {10, 0, 0}, {0, 10, 0}, {0, 0, 10}});
        b.faces({{0, 1, 2}, {0, 2, 3}}).begin(0x4160).floats({1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}).end().end().end();
        b.begin(0x4000).text("C").begin(0x4700).floats({0, -50, 0, 0, 0, 0, 0, 50}).end().end();
    }));
    ASSERT_GT(heapCalls, beforeLoad);  // the count sees the loader's blocks
    SceneLight lights[5] = {};
    for (uint32_t kind = 0; kind < 5; ++kind) {
        lights[kind].kind = LightKind(kind);
        lights[kind].colour[0] = lights[kind].position[0] = lights[kind].direction[1] = 1;
        lights[kind].range = 100, lights[kind].falloff = 1;
    }
    s->lights = lights;
    s->lightCount = 5;
    RecordingDevice device;
    device.calls.reserve(100);
    size_t before = heapCalls;
    renderScene(&s.scene, &device);
    EXPECT_EQ(heapCalls, before);
    EXPECT_EQ(device.callsOf(DeviceCall::vertex).size(), 6u);
    s->lightCount = 0;  // the lights are the test's own
}

}  // namespace
#endif
