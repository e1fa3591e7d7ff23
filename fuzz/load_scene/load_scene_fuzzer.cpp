// Any bytes as a 3DS file: the loader must stay inside them, and the renderer must
// draw whatever it made without reading outside its arrays.
#include "engine/renderer.h"
#include "engine/scene_loader.h"

#include <cstring>

namespace {

// A device that takes every call and looks at every vertex it is sent.
class DiscardingDevice : public IDirect3DDevice2 {
public:
    uint32_t checksum = 0;
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
    HRESULT Vertex(LPVOID vertex) override
    {
        D3DLVERTEX v;
        std::memcpy(&v, vertex, sizeof v);
        checksum += v.color;
        return D3D_OK;
    }
    HRESULT End(DWORD) override { return D3D_OK; }
};

}  // namespace

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
