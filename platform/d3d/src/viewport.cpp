// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "viewport.h"

#include "device.h"
#include "material.h"
#include "render_target.h"
#include "soft/faults.h"

#include <algorithm>
#include <cstring>

namespace {

// The calls made here that a test can make fail.
const soft::FaultPoint clearFault("IDirect3DViewport2::Clear");
const soft::FaultPoint getViewport2Fault("IDirect3DViewport2::GetViewport2");
const soft::FaultPoint queryInterfaceFault("IDirect3DViewport2::QueryInterface");
const soft::FaultPoint setBackgroundFault("IDirect3DViewport2::SetBackground");
const soft::FaultPoint setViewport2Fault("IDirect3DViewport2::SetViewport2");

}  // namespace

namespace soft::d3d {
namespace {

// The far end of the 16-bit depth range, where a cleared depth buffer stands.
constexpr uint16_t farDepth = 0xFFFF;

int channelByte(float value) { return int(std::clamp(value, 0.0f, 1.0f) * 255.0f); }

uint16_t backgroundPixel(D3DMATERIALHANDLE handle, PixelFormat format)
{
    // A background never set, or whose material is gone, is black.
    const Material* material = Material::byHandle(handle);
    if (!material)
        return 0;
    const D3DCOLORVALUE& c = material->values().diffuse;
    return packColour(format, uint8_t(channelByte(c.r)), uint8_t(channelByte(c.g)), uint8_t(channelByte(c.b)));
}

void fillRect(SurfaceMemory& surface, const RasterRect& rect, uint16_t value)
{
    // A value of two equal bytes, as black and the far depth are, is a byte fill, which
    // the C library does in the widest registers the processor has.
    const bool bytewise = (value >> 8) == (value & 0xFF);
    if (rect.right <= rect.left)
        return;
    for (int y = rect.top; y < rect.bottom; ++y) {
        uint16_t* row = surface.row(y);
        if (bytewise)
            std::memset(row + rect.left, value & 0xFF, sizeof(uint16_t) * size_t(rect.right - rect.left));
        else
            std::fill(row + rect.left, row + rect.right, value);
    }
}

}  // namespace

Viewport::Viewport() : ComObject(queryInterfaceFault) { }

HRESULT Viewport::SetViewport2(LPD3DVIEWPORT2 viewport)
{
    if (long hr = setViewport2Fault.take())
        return hr;
    if (!viewport || viewport->dvClipWidth == 0 || viewport->dvClipHeight == 0)
        return DDERR_INVALIDPARAMS;
    values_ = *viewport;
    values_.dwSize = sizeof(D3DVIEWPORT2);
    valuesSet = true;
    return D3D_OK;
}

HRESULT Viewport::GetViewport2(LPD3DVIEWPORT2 viewport)
{
    if (long hr = getViewport2Fault.take())
        return hr;
    if (!viewport)
        return DDERR_INVALIDPARAMS;
    if (!valuesSet)
        return D3DERR_VIEWPORTDATANOTSET;
    *viewport = values_;
    return D3D_OK;
}

HRESULT Viewport::SetBackground(D3DMATERIALHANDLE material)
{
    if (long hr = setBackgroundFault.take())
        return hr;
    if (!Material::byHandle(material))
        return DDERR_INVALIDPARAMS;
    background_ = material;
    return D3D_OK;
}

HRESULT Viewport::Clear(DWORD count, LPD3DRECT rects, DWORD flags)
{
    if (long hr = clearFault.take())
        return hr;
    if (!device_)
        return D3DERR_VIEWPORTHASNODEVICE;
    if (count > 0 && !rects)
        return DDERR_INVALIDPARAMS;
    const TargetMemory memory = targetMemoryOf(device_->renderTarget());
    if (!memory.colour)
        return DDERR_INVALIDOBJECT;
    const uint16_t background = backgroundPixel(background_, memory.colour->format);
    for (DWORD i = 0; i < count; ++i) {
        const D3DRECT& r = rects[i];
        const RasterRect rect = clampedRect(r.x1, r.y1, int64_t(r.x2) - r.x1, int64_t(r.y2) - r.y1, *memory.colour);
        if (flags & D3DCLEAR_TARGET)
            fillRect(*memory.colour, rect, background);
        if ((flags & D3DCLEAR_ZBUFFER) && memory.depth)
            fillRect(*memory.depth, rect, farDepth);
    }
    return D3D_OK;
}

}  // namespace soft::d3d
