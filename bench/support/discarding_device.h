// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// A Direct3D device that takes every call and draws nothing, but looks at every vertex
// it is sent (their colours summed), so that no work before it can be left out.
#pragma once

#include "d3d.h"

#include <cstring>

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
