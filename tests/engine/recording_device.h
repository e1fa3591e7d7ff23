// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// A Direct3D device that draws nothing and records every call the engine makes.
#pragma once

#include "d3d.h"

#include <cstring>
#include <vector>

struct DeviceCall {
    enum Kind { setTransform, setRenderState, begin, vertex, end, other } kind;
    DWORD a = 0, b = 0, c = 0;  // state and value, or primitive, vertex type and flags
    D3DMATRIX matrix{};
    D3DLVERTEX lvertex{};    // the vertex as an untransformed one...
    D3DTLVERTEX tlvertex{};  // ...and as a screen-space one (both 32 bytes)
};

class RecordingDevice : public IDirect3DDevice2 {
public:
    std::vector<DeviceCall> calls;

    std::vector<DeviceCall> callsOf(DeviceCall::Kind kind) const
    {
        std::vector<DeviceCall> found;
        for (const DeviceCall& call : calls)
            if (call.kind == kind)
                found.push_back(call);
        return found;
    }

    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    HRESULT QueryInterface(REFIID, LPVOID*) override { return note({DeviceCall::other}); }
    HRESULT AddViewport(LPDIRECT3DVIEWPORT2) override { return note({DeviceCall::other}); }
    HRESULT SetCurrentViewport(LPDIRECT3DVIEWPORT2) override { return note({DeviceCall::other}); }
    HRESULT BeginScene() override { return note({DeviceCall::other}); }
    HRESULT EndScene() override { return note({DeviceCall::other}); }
    HRESULT GetRenderState(D3DRENDERSTATETYPE, LPDWORD) override { return note({DeviceCall::other}); }
    HRESULT GetTransform(D3DTRANSFORMSTATETYPE, LPD3DMATRIX) override { return note({DeviceCall::other}); }
    HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override
    {
        return note({DeviceCall::setRenderState, DWORD(state), value});
    }
    HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, LPD3DMATRIX matrix) override
    {
        return note({DeviceCall::setTransform, DWORD(state), 0, 0, *matrix});
    }
    HRESULT Begin(D3DPRIMITIVETYPE primitive, D3DVERTEXTYPE type, DWORD flags) override
    {
        return note({DeviceCall::begin, DWORD(primitive), DWORD(type), flags});
    }
    HRESULT Vertex(LPVOID vertex) override
    {
        DeviceCall call{DeviceCall::vertex};
        std::memcpy(&call.lvertex, vertex, sizeof call.lvertex);
        std::memcpy(&call.tlvertex, vertex, sizeof call.tlvertex);
        return note(call);
    }
    HRESULT End(DWORD flags) override { return note({DeviceCall::end, flags}); }

private:
    HRESULT note(const DeviceCall& call) { return calls.push_back(call), D3D_OK; }
};
