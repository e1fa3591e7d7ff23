// renderScene works in the scene's own arrays: a frame allocates nothing. Heap calls
// are counted by wrapping the C library's allocator (not under the sanitizers, which
// bring their own).
#include "chunk_builder.h"
#include "loaded_scene.h"
#include "engine/renderer.h"

#include <gtest/gtest.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MORNAKLE_OWN_ALLOCATOR 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define MORNAKLE_OWN_ALLOCATOR 1
#endif

#ifndef MORNAKLE_OWN_ALLOCATOR
namespace {
size_t heapCalls = 0;
}
extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void* malloc(size_t size)
{
    ++heapCalls;
    return __libc_malloc(size);
}
void* calloc(size_t count, size_t size)
{
    ++heapCalls;
    return __libc_calloc(count, size);
}
void* realloc(void* block, size_t size)
{
    ++heapCalls;
    return __libc_realloc(block, size);
}
}

namespace {

class SilentDevice : public IDirect3DDevice2 {
public:
    HRESULT QueryInterface(REFIID, LPVOID*) override { return D3D_OK; }
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    HRESULT AddViewport(LPDIRECT3DVIEWPORT2) override { return D3D_OK; }
    HRESULT SetCurrentViewport(LPDIRECT3DVIEWPORT2) override { return D3D_OK; }
    HRESULT BeginScene() override { return D3D_OK; }
    HRESULT EndScene() override { return D3D_OK; }
    HRESULT SetRenderState(D3DRENDERSTATETYPE, DWORD) override { return D3D_OK; }
    HRESULT GetRenderState(D3DRENDERSTATETYPE, LPDWORD) override { return D3D_OK; }
    HRESULT SetTransform(D3DTRANSFORMSTATETYPE, LPD3DMATRIX) override { return D3D_OK; }
    HRESULT GetTransform(D3DTRANSFORMSTATETYPE, LPD3DMATRIX) override { return D3D_OK; }
    HRESULT Begin(D3DPRIMITIVETYPE, D3DVERTEXTYPE, DWORD) override { return D3D_OK; }
    HRESULT Vertex(LPVOID) override
    {
        ++vertices;
        return D3D_OK;
    }
    HRESULT End(DWORD) override { return D3D_OK; }
    int vertices = 0;
};

TEST(RendererAllocation, AFrameOfEveryKindOfLightAllocatesNothing)
{
    ChunkBuilder b;
    b.begin(0x4D4D).begin(0x3D3D).begin(0x4000).text("M").begin(0x4100);
    b.vertices({{0, 0, 0}, {10, 0, 0}, {0, 10, 0}, {0, 0, 10}}).faces({{0, 1, 2}, {0, 2, 3}});
    b.begin(0x4160).floats({1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}).end().end().end();
    b.begin(0x4000).text("L").begin(0x4600).floats({5, 5, 5}).end().end();
    b.begin(0x4000).text("C").begin(0x4700).floats({0, -50, 0, 0, 0, 0, 0, 50}).end().end();
    b.end().end();
    size_t beforeLoad = heapCalls;
    LoadedScene s(b.bytes());
    ASSERT_GT(heapCalls, beforeLoad);  // the count sees the loader's blocks
    SceneLight lights[5] = {};
    for (uint32_t kind = 0; kind < 5; ++kind) {
        lights[kind] = s->lights[0];
        lights[kind].kind = LightKind(kind);
        lights[kind].range = 100;
        lights[kind].falloff = 1;
        lights[kind].direction[1] = 1;
    }
    Scene frame = s.scene;
    frame.lights = lights;
    frame.lightCount = 5;
    SilentDevice device;
    size_t before = heapCalls;
    renderScene(&frame, &device);
    EXPECT_EQ(heapCalls, before);
    EXPECT_EQ(device.vertices, 6);
}

}  // namespace
#endif
