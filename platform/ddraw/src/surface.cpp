// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// IDirectDrawSurface over a block of memory.
#include "soft_directdraw.h"

#include "gdi_soft.h"
#include "host/host.h"
#include "soft/faults.h"

#include <cstring>
#include <mutex>
#include <set>
#include <utility>

namespace {

// The calls made here that a test can make fail.
const soft::FaultPoint queryInterfaceFault("IDirectDrawSurface::QueryInterface");
const soft::FaultPoint addAttachedSurfaceFault("IDirectDrawSurface::AddAttachedSurface");
const soft::FaultPoint bltFault("IDirectDrawSurface::Blt");
const soft::FaultPoint flipFault("IDirectDrawSurface::Flip");
const soft::FaultPoint getDCFault("IDirectDrawSurface::GetDC");
const soft::FaultPoint lockFault("IDirectDrawSurface::Lock");

// Every live surface of ours, so that a foreign pointer is never mistaken for one.
std::set<const IDirectDrawSurface*>& liveSurfaces()
{
    static std::set<const IDirectDrawSurface*> surfaces;
    return surfaces;
}

SoftSurface* ours(IDirectDrawSurface* surface)
{
    return surface && liveSurfaces().count(surface) ? static_cast<SoftSurface*>(surface) : nullptr;
}

void describeFormat(const soft::SurfaceMemory& memory, bool depth, DDPIXELFORMAT& format)
{
    std::memset(&format, 0, sizeof format);
    format.dwSize = sizeof format;
    if (depth) {
        format.dwFlags = DDPF_ZBUFFER;
        format.dwZBufferBitDepth = 16;
        return;
    }
    soft::ChannelMasks masks = soft::masksOf(memory.format);
    format.dwFlags = DDPF_RGB;
    format.dwRGBBitCount = 16;
    format.dwRBitMask = masks.red;
    format.dwGBitMask = masks.green;
    format.dwBBitMask = masks.blue;
}

}  // namespace

soft::SurfaceMemory* soft::ddraw::surfaceMemoryOf(IDirectDrawSurface* surface)
{
    SoftSurface* s = ours(surface);
    return s ? &s->memory : nullptr;
}

IDirectDrawSurface* soft::ddraw::attachedDepthSurfaceOf(IDirectDrawSurface* surface)
{
    SoftSurface* s = ours(surface);
    return s ? s->depthBuffer : nullptr;
}

SoftSurface::SoftSurface(DWORD caps, int width, int height)
    : ComObject(queryInterfaceFault),
      memory(width, height, soft::surfaceLayout().format, soft::surfaceLayout().extraPitchBytes), caps(caps)
{
    liveSurfaces().insert(this);
}

SoftSurface::~SoftSurface()
{
    liveSurfaces().erase(this);
    if (dc)
        soft::gdi::releaseSurfaceDC(dc);
    if (depthBuffer)
        depthBuffer->Release();
    if (backBuffer)
        backBuffer->Release();
}

HRESULT SoftSurface::AddAttachedSurface(IDirectDrawSurface* surface)
{
    if (long hr = addAttachedSurfaceFault.take())
        return hr;
    SoftSurface* attached = ours(surface);
    if (!attached || !attached->isDepth() || isDepth())
        return DDERR_CANNOTATTACHSURFACE;
    if (depthBuffer)
        return DDERR_SURFACEALREADYATTACHED;
    if (attached->memory.width != memory.width || attached->memory.height != memory.height)
        return DDERR_INVALIDPARAMS;
    attached->AddRef();
    depthBuffer = attached;
    return DD_OK;
}

HRESULT SoftSurface::Blt(LPRECT destRect, IDirectDrawSurface* source, LPRECT sourceRect, DWORD flags, LPDDBLTFX effects)
{
    if (long hr = bltFault.take())
        return hr;
    if (busy())
        return DDERR_SURFACEBUSY;
    soft::ddraw::Area to;
    if (!soft::ddraw::areaOf(destRect, memory, to))
        return DDERR_INVALIDRECT;

    if (flags & DDBLT_COLORFILL) {
        if (!effects)
            return DDERR_INVALIDPARAMS;
        soft::ddraw::fillArea(memory, to, uint16_t(effects->dwFillColor));
        return DD_OK;
    }

    SoftSurface* from = ours(source);
    if (!from)
        return DDERR_INVALIDPARAMS;
    if (from != this && from->busy())
        return DDERR_SURFACEBUSY;
    soft::ddraw::Area area;
    if (!soft::ddraw::areaOf(sourceRect, from->memory, area))
        return DDERR_INVALIDRECT;
    bool keyed = (flags & DDBLT_KEYSRCOVERRIDE) != 0;
    if (keyed && !effects)
        return DDERR_INVALIDPARAMS;
    uint32_t low = keyed ? effects->ddckSrcColorkey.dwColorSpaceLowValue : 0;
    uint32_t high = keyed ? effects->ddckSrcColorkey.dwColorSpaceHighValue : 0;
    soft::ddraw::copyArea(memory, to, from->memory, area, keyed, low, high);
    return DD_OK;
}

HRESULT SoftSurface::Flip(IDirectDrawSurface*, DWORD)
{
    if (long hr = flipFault.take())
        return hr;
    if (!backBuffer)
        return DDERR_NOTFLIPPABLE;
    if (busy() || backBuffer->busy())
        return DDERR_SURFACEBUSY;
    // The two buffers exchange their memory: this surface stays the front, its partner
    // the back.
    std::swap(memory, backBuffer->memory);
    host::Frame frame;
    frame.pixels = memory.bytes.data();
    frame.width = memory.width;
    frame.height = memory.height;
    frame.pitch = memory.pitch;
    frame.format = memory.format;
    host::current().present(frame);
    return DD_OK;
}

HRESULT SoftSurface::GetAttachedSurface(LPDDSCAPS wanted, IDirectDrawSurface** surface)
{
    if (!wanted || !surface)
        return DDERR_INVALIDPARAMS;
    *surface = nullptr;
    SoftSurface* found = nullptr;
    if ((wanted->dwCaps & DDSCAPS_BACKBUFFER) && backBuffer)
        found = backBuffer;
    else if ((wanted->dwCaps & DDSCAPS_ZBUFFER) && depthBuffer)
        found = depthBuffer;
    if (!found)
        return DDERR_NOTFOUND;
    found->AddRef();
    *surface = found;
    return DD_OK;
}

HRESULT SoftSurface::GetDC(HDC* out)
{
    if (long hr = getDCFault.take())
        return hr;
    if (!out)
        return DDERR_INVALIDPARAMS;
    if (lockCount > 0)
        return DDERR_SURFACEBUSY;
    if (dc)
        return DDERR_DCALREADYCREATED;
    dc = soft::gdi::createSurfaceDC(&memory);
    if (!dc)
        return DDERR_CANTCREATEDC;
    *out = dc;
    return DD_OK;
}

HRESULT SoftSurface::ReleaseDC(HDC released)
{
    if (!dc || released != dc)
        return DDERR_NODC;
    soft::gdi::releaseSurfaceDC(dc);
    dc = nullptr;
    return DD_OK;
}

HRESULT SoftSurface::GetPixelFormat(LPDDPIXELFORMAT format)
{
    if (!format)
        return DDERR_INVALIDPARAMS;
    describeFormat(memory, isDepth(), *format);
    return DD_OK;
}

void SoftSurface::describe(DDSURFACEDESC& desc) const
{
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT;
    desc.dwWidth = DWORD(memory.width);
    desc.dwHeight = DWORD(memory.height);
    desc.lPitch = memory.pitch;
    desc.ddsCaps.dwCaps = caps;
    if (isDepth()) {
        desc.dwFlags |= DDSD_ZBUFFERBITDEPTH;
        desc.dwZBufferBitDepth = 16;
    }
    describeFormat(memory, isDepth(), desc.ddpfPixelFormat);
}

HRESULT SoftSurface::GetSurfaceDesc(LPDDSURFACEDESC desc)
{
    if (!desc)
        return DDERR_INVALIDPARAMS;
    describe(*desc);
    return DD_OK;
}

HRESULT SoftSurface::IsLost() { return DD_OK; }

HRESULT SoftSurface::Lock(LPRECT rect, LPDDSURFACEDESC desc, DWORD, HANDLE)
{
    if (long hr = lockFault.take())
        return hr;
    if (!desc)
        return DDERR_INVALIDPARAMS;
    if (dc)
        return DDERR_SURFACEBUSY;
    soft::ddraw::Area area;
    if (!soft::ddraw::areaOf(rect, memory, area))
        return DDERR_INVALIDRECT;
    describe(*desc);
    desc->dwFlags |= DDSD_LPSURFACE;
    desc->lpSurface = memory.bytes.data() + size_t(area.top) * memory.pitch + size_t(area.left) * 2;
    ++lockCount;
    return DD_OK;
}

HRESULT SoftSurface::Unlock(LPVOID)
{
    if (lockCount == 0)
        return DDERR_NOTLOCKED;
    --lockCount;
    return DD_OK;
}

HRESULT SoftSurface::Restore() { return DD_OK; }
