// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// IDirect3DDevice2: render states, transforms, scenes and the Begin/Vertex/End stream
// of pre-lit or screen-space vertices, drawn by the software rasteriser into the
// surface the device was made for.
#pragma once

#include "assembler.h"
#include "com_object.h"

#include <vector>

namespace soft::d3d {

class Viewport;

class Device final : public ComObject<IDirect3DDevice2> {
public:
    explicit Device(IDirectDrawSurface* target);

    HRESULT AddViewport(LPDIRECT3DVIEWPORT2 viewport) override;
    HRESULT SetCurrentViewport(LPDIRECT3DVIEWPORT2 viewport) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
    HRESULT GetRenderState(D3DRENDERSTATETYPE state, LPDWORD value) override;
    HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, LPD3DMATRIX matrix) override;
    HRESULT GetTransform(D3DTRANSFORMSTATETYPE state, LPD3DMATRIX matrix) override;
    HRESULT Begin(D3DPRIMITIVETYPE primitive, D3DVERTEXTYPE vertexType, DWORD flags) override;
    HRESULT Vertex(LPVOID vertex) override;
    HRESULT End(DWORD flags) override;

    IDirectDrawSurface* renderTarget() const { return target_; }

private:
    ~Device() override;
    DWORD state(D3DRENDERSTATETYPE which) const { return renderStates[which]; }
    RasterState rasterState(bool depthPresent) const;
    ClipVertex clipVertexOf(const void* vertex) const;

    static constexpr int renderStateCount = 256;
    static constexpr int transformCount = 3;  // world, view, projection

    IDirectDrawSurface* target_;
    std::vector<Viewport*> viewports;
    Viewport* currentViewport = nullptr;
    DWORD renderStates[renderStateCount]{};
    D3DMATRIX transforms[transformCount];
    bool inScene = false;

    // Fixed from Begin to End.
    bool inPrimitive = false;
    D3DVERTEXTYPE vertexType_ = D3DVT_LVERTEX;
    D3DMATRIX worldToClip{};
    PrimitiveSettings settings;
    PrimitiveAssembler assembler;
};

}  // namespace soft::d3d
