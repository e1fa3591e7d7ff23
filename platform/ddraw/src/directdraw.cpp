// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// IDirectDraw, the enumeration of display devices and the creation of the object.
#include "soft_directdraw.h"

#include "host/host.h"
#include "soft/faults.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The calls made here that a test can make fail.
const soft::FaultPoint queryInterfaceFault("IDirectDraw::QueryInterface");
const soft::FaultPoint directDrawCreateFault("DirectDrawCreate");
const soft::FaultPoint createSurfaceFault("IDirectDraw::CreateSurface");
const soft::FaultPoint createSurfaceOffscreenFault("IDirectDraw::CreateSurface(offscreen)");
const soft::FaultPoint createSurfacePrimaryFault("IDirectDraw::CreateSurface(primary)");
const soft::FaultPoint createSurfaceZbufferFault("IDirectDraw::CreateSurface(zbuffer)");
const soft::FaultPoint setCooperativeLevelFault("IDirectDraw::SetCooperativeLevel");
const soft::FaultPoint setDisplayModeFault("IDirectDraw::SetDisplayMode");

}  // namespace

namespace {

// A surface bigger than this on a side is refused rather than allocated.
constexpr int largestSurfaceSide = 16384;

bool isNullGuid(const GUID* guid)
{
    static const GUID zero = {};
    return !guid || *guid == zero;
}

int deviceIndexOf(const GUID* guid, const std::vector<host::DisplayDevice>& devices)
{
    for (size_t i = 0; i < devices.size(); ++i) {
        if (isNullGuid(guid) ? !devices[i].hasGuid
                             : devices[i].hasGuid && std::memcmp(devices[i].guid, guid, sizeof(GUID)) == 0)
            return int(i);
    }
    return -1;
}

soft::ddraw::Direct3DFactory direct3DFactory = nullptr;

}  // namespace

void soft::ddraw::registerDirect3DFactory(Direct3DFactory factory) { direct3DFactory = factory; }

HRESULT WINAPI DirectDrawEnumerateExA(LPDDENUMCALLBACKEXA callback, LPVOID context, DWORD)
{
    if (!callback)
        return DDERR_INVALIDPARAMS;
    // Every device the host can show on is reported, whatever the flags ask for.
    for (const host::DisplayDevice& device : host::current().displays()) {
        GUID guid;
        std::memcpy(&guid, device.guid, sizeof guid);
        std::string description = device.description;
        std::string driver = device.driverName;
        if (!callback(device.hasGuid ? &guid : nullptr, description.data(), driver.data(), context, nullptr))
            break;
    }
    return DD_OK;
}

HRESULT WINAPI DirectDrawCreate(GUID* guid, LPDIRECTDRAW* directDraw, IUnknown* outer)
{
    if (long hr = directDrawCreateFault.take())
        return hr;
    if (!directDraw || outer)
        return DDERR_INVALIDPARAMS;
    *directDraw = nullptr;
    int device = deviceIndexOf(guid, host::current().displays());
    if (device < 0)
        return DDERR_INVALIDDIRECTDRAWGUID;
    *directDraw = new SoftDirectDraw(device);
    return DD_OK;
}

SoftDirectDraw::~SoftDirectDraw()
{
    if (modeSet)
        host::current().restoreMode();
}

SoftDirectDraw::SoftDirectDraw(int device) : ComObject(queryInterfaceFault), device(device) { }

HRESULT SoftDirectDraw::queryOther(REFIID, LPVOID* object)
{
    return direct3DFactory ? direct3DFactory(this, object) : E_NOINTERFACE;
}

HRESULT SoftDirectDraw::SetCooperativeLevel(HWND window, DWORD flags)
{
    if (long hr = setCooperativeLevelFault.take())
        return hr;
    // Exclusive access belongs to a window, and a window named must exist.
    if ((window || (flags & DDSCL_EXCLUSIVE)) && !IsWindow(window))
        return DDERR_INVALIDPARAMS;
    // Full screen needs exclusive access, as on the platform.
    if ((flags & DDSCL_FULLSCREEN) && !(flags & DDSCL_EXCLUSIVE))
        return DDERR_INVALIDPARAMS;
    cooperativeFlags = flags;
    return DD_OK;
}

HRESULT SoftDirectDraw::SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel)
{
    if (long hr = setDisplayModeFault.take())
        return hr;
    if (!(cooperativeFlags & DDSCL_EXCLUSIVE))
        return DDERR_NOEXCLUSIVEMODE;
    if (bitsPerPixel != 16 || width == 0 || height == 0 || width > 4096 || height > 4096)
        return DDERR_UNSUPPORTEDMODE;
    if (!host::current().setMode(device, int(width), int(height)))
        return DDERR_UNSUPPORTEDMODE;
    modeWidth = int(width);
    modeHeight = int(height);
    modeSet = true;
    return DD_OK;
}

HRESULT SoftDirectDraw::RestoreDisplayMode()
{
    if (modeSet)
        host::current().restoreMode();
    modeSet = false;
    return DD_OK;
}

HRESULT SoftDirectDraw::CreateSurface(LPDDSURFACEDESC desc, LPDIRECTDRAWSURFACE* surface, IUnknown* outer)
{
    if (long hr = createSurfaceFault.take())
        return hr;
    if (!desc || !surface || outer || !(desc->dwFlags & DDSD_CAPS))
        return DDERR_INVALIDPARAMS;
    *surface = nullptr;
    DWORD caps = desc->ddsCaps.dwCaps;

    if (caps & DDSCAPS_PRIMARYSURFACE) {
        if (long hr = createSurfacePrimaryFault.take())
            return hr;
        bool chain = (caps & DDSCAPS_FLIP) != 0;
        DWORD backBuffers = (desc->dwFlags & DDSD_BACKBUFFERCOUNT) ? desc->dwBackBufferCount : 0;
        if (chain != (backBuffers > 0) || backBuffers > 1 || (chain && !(caps & DDSCAPS_COMPLEX)))
            return DDERR_INVALIDCAPS;
        auto* front = new SoftSurface(caps | DDSCAPS_FRONTBUFFER, modeWidth, modeHeight);
        if (chain) {
            DWORD backCaps = (caps & ~(DDSCAPS_PRIMARYSURFACE | DDSCAPS_FRONTBUFFER)) | DDSCAPS_BACKBUFFER;
            front->backBuffer = new SoftSurface(backCaps, modeWidth, modeHeight);
        }
        *surface = front;
        return DD_OK;
    }

    if (!(desc->dwFlags & DDSD_WIDTH) || !(desc->dwFlags & DDSD_HEIGHT) || desc->dwWidth == 0 || desc->dwHeight == 0 ||
        desc->dwWidth > largestSurfaceSide || desc->dwHeight > largestSurfaceSide)
        return DDERR_INVALIDPARAMS;

    if (caps & DDSCAPS_ZBUFFER) {
        if (long hr = createSurfaceZbufferFault.take())
            return hr;
        // There is no 3D hardware, so there is no depth buffer in video memory either;
        // the software device keeps its depth in system memory.
        if (caps & DDSCAPS_VIDEOMEMORY)
            return DDERR_NOZBUFFERHW;
        if ((desc->dwFlags & DDSD_ZBUFFERBITDEPTH) && desc->dwZBufferBitDepth != 16)
            return DDERR_INVALIDPARAMS;
        auto* depth = new SoftSurface(caps, int(desc->dwWidth), int(desc->dwHeight));
        std::fill(depth->memory.bytes.begin(), depth->memory.bytes.end(), uint8_t(0xFF));
        *surface = depth;
        return DD_OK;
    }

    if (long hr = createSurfaceOffscreenFault.take())
        return hr;
    *surface = new SoftSurface(caps | DDSCAPS_OFFSCREENPLAIN, int(desc->dwWidth), int(desc->dwHeight));
    return DD_OK;
}
