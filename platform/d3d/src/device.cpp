// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "device.h"

#include "d3d_soft.h"
#include "render_target.h"
#include "soft/faults.h"

#include "viewport.h"

#include <algorithm>

#if defined(__SSE2__)
#include <xmmintrin.h>
#endif

namespace {

// The calls made here that a test can make fail.
const soft::FaultPoint addViewportFault("IDirect3DDevice2::AddViewport");
const soft::FaultPoint beginFault("IDirect3DDevice2::Begin");
const soft::FaultPoint beginSceneFault("IDirect3DDevice2::BeginScene");
const soft::FaultPoint endFault("IDirect3DDevice2::End");
const soft::FaultPoint endSceneFault("IDirect3DDevice2::EndScene");
const soft::FaultPoint getRenderStateFault("IDirect3DDevice2::GetRenderState");
const soft::FaultPoint getTransformFault("IDirect3DDevice2::GetTransform");
const soft::FaultPoint queryInterfaceFault("IDirect3DDevice2::QueryInterface");
const soft::FaultPoint setCurrentViewportFault("IDirect3DDevice2::SetCurrentViewport");
const soft::FaultPoint setRenderStateFault("IDirect3DDevice2::SetRenderState");
const soft::FaultPoint setTransformFault("IDirect3DDevice2::SetTransform");
const soft::FaultPoint vertexFault("IDirect3DDevice2::Vertex");

}  // namespace

namespace soft::d3d {
namespace {

constexpr D3DMATRIX identityMatrix = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// Row vectors times matrices, as Direct3D composes them: p · a · b.
D3DMATRIX multiply(const D3DMATRIX& a, const D3DMATRIX& b)
{
    const float* x = &a._11;
    const float* y = &b._11;
    D3DMATRIX product;
    float* p = &product._11;
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column) {
            float sum = 0;
            for (int k = 0; k < 4; ++k)
                sum += x[row * 4 + k] * y[k * 4 + column];
            p[row * 4 + column] = sum;
        }
    return product;
}

void unpackColour(D3DCOLOR colour, ClipVertex& v)
{
    v.a = float(colour >> 24 & 0xFF);
    v.r = float(colour >> 16 & 0xFF);
    v.g = float(colour >> 8 & 0xFF);
    v.b = float(colour & 0xFF);
}

// The blend this rasteriser knows: source by its alpha, destination by the rest.
bool blendsByAlpha(DWORD source, DWORD destination)
{
    return source == D3DBLEND_BOTHSRCALPHA || (source == D3DBLEND_SRCALPHA && destination == D3DBLEND_INVSRCALPHA);
}

bool validPrimitive(D3DPRIMITIVETYPE type) { return type >= D3DPT_POINTLIST && type <= D3DPT_TRIANGLEFAN; }

}  // namespace

Device::Device(IDirectDrawSurface* target) : ComObject(queryInterfaceFault), target_(target)
{
    target_->AddRef();
    std::fill(transforms, transforms + transformCount, identityMatrix);
    // The platform's defaults.
    renderStates[D3DRENDERSTATE_ZENABLE] = FALSE;
    renderStates[D3DRENDERSTATE_FILLMODE] = D3DFILL_SOLID;
    renderStates[D3DRENDERSTATE_SHADEMODE] = D3DSHADE_GOURAUD;
    renderStates[D3DRENDERSTATE_ZWRITEENABLE] = TRUE;
    renderStates[D3DRENDERSTATE_SRCBLEND] = D3DBLEND_ONE;
    renderStates[D3DRENDERSTATE_DESTBLEND] = D3DBLEND_ZERO;
    renderStates[D3DRENDERSTATE_CULLMODE] = D3DCULL_CCW;
    renderStates[D3DRENDERSTATE_ZFUNC] = D3DCMP_LESSEQUAL;
    renderStates[D3DRENDERSTATE_DITHERENABLE] = FALSE;
    renderStates[D3DRENDERSTATE_ALPHABLENDENABLE] = FALSE;
    renderStates[D3DRENDERSTATE_SPECULARENABLE] = FALSE;
}

Device::~Device()
{
    for (Viewport* viewport : viewports) {
        viewport->detach();
        viewport->Release();
    }
    target_->Release();
}

HRESULT Device::AddViewport(LPDIRECT3DVIEWPORT2 viewport)
{
    if (long hr = addViewportFault.take())
        return hr;
    auto* ours = dynamic_cast<Viewport*>(viewport);
    if (!ours || ours->device())
        return DDERR_INVALIDPARAMS;
    ours->AddRef();
    ours->attach(this);
    viewports.push_back(ours);
    return D3D_OK;
}

HRESULT Device::SetCurrentViewport(LPDIRECT3DVIEWPORT2 viewport)
{
    if (long hr = setCurrentViewportFault.take())
        return hr;
    auto* ours = dynamic_cast<Viewport*>(viewport);
    if (!ours || ours->device() != this)
        return DDERR_INVALIDPARAMS;
    currentViewport = ours;
    return D3D_OK;
}

HRESULT Device::BeginScene()
{
    if (long hr = beginSceneFault.take())
        return hr;
    if (inScene)
        return D3DERR_SCENE_IN_SCENE;
    inScene = true;
    return D3D_OK;
}

HRESULT Device::EndScene()
{
    if (long hr = endSceneFault.take())
        return hr;
    if (!inScene)
        return D3DERR_SCENE_NOT_IN_SCENE;
    if (inPrimitive)
        return D3DERR_INBEGIN;
    inScene = false;
    return D3D_OK;
}

HRESULT Device::SetRenderState(D3DRENDERSTATETYPE which, DWORD value)
{
    if (long hr = setRenderStateFault.take())
        return hr;
    if (which <= 0 || which >= renderStateCount)
        return DDERR_INVALIDPARAMS;
    renderStates[which] = value;
    return D3D_OK;
}

HRESULT Device::GetRenderState(D3DRENDERSTATETYPE which, LPDWORD value)
{
    if (long hr = getRenderStateFault.take())
        return hr;
    if (which <= 0 || which >= renderStateCount || !value)
        return DDERR_INVALIDPARAMS;
    *value = renderStates[which];
    return D3D_OK;
}

HRESULT Device::SetTransform(D3DTRANSFORMSTATETYPE which, LPD3DMATRIX matrix)
{
    if (long hr = setTransformFault.take())
        return hr;
    if (which < D3DTRANSFORMSTATE_WORLD || which > D3DTRANSFORMSTATE_PROJECTION || !matrix)
        return DDERR_INVALIDPARAMS;
    transforms[which - D3DTRANSFORMSTATE_WORLD] = *matrix;
    return D3D_OK;
}

HRESULT Device::GetTransform(D3DTRANSFORMSTATETYPE which, LPD3DMATRIX matrix)
{
    if (long hr = getTransformFault.take())
        return hr;
    if (which < D3DTRANSFORMSTATE_WORLD || which > D3DTRANSFORMSTATE_PROJECTION || !matrix)
        return DDERR_INVALIDPARAMS;
    *matrix = transforms[which - D3DTRANSFORMSTATE_WORLD];
    return D3D_OK;
}

RasterState Device::rasterState(bool depthPresent) const
{
    RasterState raster;
    const bool depthOn = depthPresent && state(D3DRENDERSTATE_ZENABLE) != FALSE;
    raster.depthTest = depthOn;
    raster.depthWrite = depthOn && state(D3DRENDERSTATE_ZWRITEENABLE) != FALSE;
    const DWORD compare = state(D3DRENDERSTATE_ZFUNC);
    raster.depthPassMask = uint8_t(
        compare >= D3DCMP_NEVER && compare <= D3DCMP_ALWAYS ? compare - D3DCMP_NEVER : D3DCMP_LESSEQUAL - D3DCMP_NEVER);
    // Other blend factors are not rasterised; such primitives are drawn opaque.
    raster.blend = state(D3DRENDERSTATE_ALPHABLENDENABLE) != FALSE &&
                   blendsByAlpha(state(D3DRENDERSTATE_SRCBLEND), state(D3DRENDERSTATE_DESTBLEND));
    raster.dither = state(D3DRENDERSTATE_DITHERENABLE) != FALSE;
    return raster;
}

HRESULT Device::Begin(D3DPRIMITIVETYPE primitive, D3DVERTEXTYPE vertexType, DWORD)
{
    if (long hr = beginFault.take())
        return hr;
    if (inPrimitive)
        return D3DERR_INBEGIN;
    if (!inScene)
        return D3DERR_SCENE_NOT_IN_SCENE;
    if (!validPrimitive(primitive))
        return D3DERR_INVALIDPRIMITIVETYPE;
    // Unlit vertices would need the device's own lighting, which is not provided.
    if (vertexType != D3DVT_LVERTEX && vertexType != D3DVT_TLVERTEX)
        return D3DERR_INVALIDVERTEXTYPE;
    if (!currentViewport)
        return D3DERR_NOCURRENTVIEWPORT;
    const D3DVIEWPORT2* viewport = currentViewport->values();
    if (!viewport)
        return D3DERR_VIEWPORTDATANOTSET;
    const TargetMemory memory = targetMemoryOf(target_);
    if (!memory.colour)
        return DDERR_INVALIDOBJECT;

    if (vertexType == D3DVT_LVERTEX)
        setUpProjected(settings, *viewport);
    else
        setUpScreenSpace(settings, *viewport);
    settings.target =
        RasterTarget{memory.colour, memory.depth,
                     clampedRect(viewport->dwX, viewport->dwY, viewport->dwWidth, viewport->dwHeight, *memory.colour)};
    settings.state = rasterState(memory.depth != nullptr);
    settings.cull = D3DCULL(state(D3DRENDERSTATE_CULLMODE));
    settings.fill = D3DFILLMODE(state(D3DRENDERSTATE_FILLMODE));
    worldToClip = multiply(multiply(transforms[0], transforms[1]), transforms[2]);
    vertexType_ = vertexType;
    assembler.begin(primitive, &settings, state(D3DRENDERSTATE_SHADEMODE) == D3DSHADE_FLAT);
    inPrimitive = true;
    ++direct3DCounters().primitivesBegun;
    return D3D_OK;
}

ClipVertex Device::clipVertexOf(const void* vertex) const
{
    ClipVertex v;
    if (vertexType_ == D3DVT_TLVERTEX) {
        const auto& tl = *static_cast<const D3DTLVERTEX*>(vertex);
        v.x = tl.sx;
        v.y = tl.sy;
        v.z = tl.sz;
        v.w = 1;
        unpackColour(tl.color, v);
        return v;
    }
    const auto& lit = *static_cast<const D3DLVERTEX*>(vertex);
    const D3DMATRIX& m = worldToClip;
#if defined(__SSE2__)
    // The four sums side by side, each added up in the order of the scalar form below.
    auto row = [](const D3DVALUE* first) { return _mm_loadu_ps(first); };
    __m128 sum = _mm_mul_ps(_mm_set1_ps(lit.x), row(&m._11));
    sum = _mm_add_ps(sum, _mm_mul_ps(_mm_set1_ps(lit.y), row(&m._21)));
    sum = _mm_add_ps(sum, _mm_mul_ps(_mm_set1_ps(lit.z), row(&m._31)));
    sum = _mm_add_ps(sum, row(&m._41));
    float position[4];
    _mm_storeu_ps(position, sum);
    v.x = position[0], v.y = position[1], v.z = position[2], v.w = position[3];
#else
    v.x = lit.x * m._11 + lit.y * m._21 + lit.z * m._31 + m._41;
    v.y = lit.x * m._12 + lit.y * m._22 + lit.z * m._32 + m._42;
    v.z = lit.x * m._13 + lit.y * m._23 + lit.z * m._33 + m._43;
    v.w = lit.x * m._14 + lit.y * m._24 + lit.z * m._34 + m._44;
#endif

    unpackColour(lit.color, v);  // the specular colour adds nothing
    return v;
}

HRESULT Device::Vertex(LPVOID vertex)
{
    if (long hr = vertexFault.take())
        return hr;
    if (!inPrimitive)
        return D3DERR_NOTINBEGIN;
    if (!vertex)
        return DDERR_INVALIDPARAMS;
    ++direct3DCounters().verticesReceived;
    assembler.add(clipVertexOf(vertex));
    return D3D_OK;
}

HRESULT Device::End(DWORD)
{
    if (long hr = endFault.take())
        return hr;
    if (!inPrimitive)
        return D3DERR_NOTINBEGIN;
    inPrimitive = false;  // corners of an unfinished primitive are dropped
    return D3D_OK;
}

}  // namespace soft::d3d
