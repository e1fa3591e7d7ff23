// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "display/display_setup.h"

#include "display/device_selection.h"
#include "display/main_window.h"

#include <cstring>

namespace {

constexpr DWORD exclusiveFullScreen = DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT | DDSCL_EXCLUSIVE;
constexpr DWORD rgb555Masks = 0x7FFF;

struct RenderState {
    D3DRENDERSTATETYPE state;
    DWORD value;
};

// The fixed render states, in the order they are set.
constexpr RenderState fixedRenderStates[] = {
    {D3DRENDERSTATE_DITHERENABLE, TRUE},     {D3DRENDERSTATE_ZENABLE, TRUE},
    {D3DRENDERSTATE_ZWRITEENABLE, TRUE},     {D3DRENDERSTATE_ZFUNC, D3DCMP_LESSEQUAL},
    {D3DRENDERSTATE_ALPHABLENDENABLE, TRUE}, {D3DRENDERSTATE_SRCBLEND, D3DBLEND_BOTHSRCALPHA},
    {D3DRENDERSTATE_CULLMODE, D3DCULL_CCW},
};

HRESULT createDepthBuffer(DisplayContext* context)
{
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_ZBUFFERBITDEPTH;
    desc.dwWidth = screenWidth;
    desc.dwHeight = screenHeight;
    desc.dwZBufferBitDepth = 16;
    desc.ddsCaps.dwCaps = DDSCAPS_ZBUFFER | DDSCAPS_VIDEOMEMORY;
    HRESULT hr = context->directDraw->CreateSurface(&desc, &context->depthSurface, nullptr);
    if (hr == DDERR_NOZBUFFERHW) {
        desc.ddsCaps.dwCaps = DDSCAPS_ZBUFFER | DDSCAPS_SYSTEMMEMORY;
        hr = context->directDraw->CreateSurface(&desc, &context->depthSurface, nullptr);
    }
    return hr;
}

// The hardware device first, then the two software ones.
HRESULT createDevice(DisplayContext* context)
{
    HRESULT hr = context->direct3D->CreateDevice(IID_IDirect3DHALDevice, context->backSurface, &context->device);
    if (hr != D3D_OK)
        hr = context->direct3D->CreateDevice(IID_IDirect3DRGBDevice, context->backSurface, &context->device);
    if (hr != D3D_OK)
        hr = context->direct3D->CreateDevice(IID_IDirect3DRampDevice, context->backSurface, &context->device);
    return hr;
}

HRESULT setUpDirect3D(DisplayContext* context)
{
    HRESULT hr;
    if ((hr = createDepthBuffer(context)) != DD_OK)
        return hr;
    if ((hr = context->backSurface->AddAttachedSurface(context->depthSurface)) != DD_OK)
        return hr;
    if ((hr = createDevice(context)) != D3D_OK)
        return hr;
    if ((hr = context->direct3D->CreateViewport(&context->viewport, nullptr)) != D3D_OK)
        return hr;
    if ((hr = context->device->AddViewport(context->viewport)) != D3D_OK)
        return hr;
    D3DVIEWPORT2 viewport = fullScreenViewport();
    if ((hr = context->viewport->SetViewport2(&viewport)) != D3D_OK)
        return hr;
    if ((hr = context->device->SetCurrentViewport(context->viewport)) != D3D_OK)
        return hr;
    if ((hr = context->direct3D->CreateMaterial(&context->backgroundMaterial, nullptr)) != D3D_OK)
        return hr;

    D3DMATERIAL black;
    std::memset(&black, 0, sizeof black);
    black.dwSize = sizeof black;
    black.dwRampSize = 1;
    if ((hr = context->backgroundMaterial->SetMaterial(&black)) != D3D_OK)
        return hr;
    D3DMATERIALHANDLE handle = 0;
    if ((hr = context->backgroundMaterial->GetHandle(context->device, &handle)) != D3D_OK)
        return hr;
    if ((hr = context->viewport->SetBackground(handle)) != D3D_OK)
        return hr;

    return setFixedRenderStates(context->device);
}

}  // namespace

HRESULT setFixedRenderStates(IDirect3DDevice2* device)
{
    for (const RenderState& rs : fixedRenderStates)
        if (HRESULT hr = device->SetRenderState(rs.state, rs.value); hr != D3D_OK)
            return hr;
    return D3D_OK;
}

void resendFixedRenderStates(IDirect3DDevice2* device)
{
    for (const RenderState& rs : fixedRenderStates)
        device->SetRenderState(rs.state, rs.value);
}

HRESULT setUpDisplay(HINSTANCE instance, int showCommand, DisplayContext* context, DWORD flags)
{
    if (flags & setupWindow)
        createMainWindow(instance, showCommand, context);
    if (!(flags & setupDirectDraw))
        return 0;
    if (chooseDevice(context->instance, context->window) != 1)
        return setupCancelled;

    HRESULT hr;
    // The pointer to the stored bytes is always passed; for the primary display driver
    // they are all zero.
    if ((hr = DirectDrawCreate(reinterpret_cast<GUID*>(chosenDevice), &context->directDraw, nullptr)) != DD_OK)
        return hr;
    if ((hr = context->directDraw->SetCooperativeLevel(context->window, exclusiveFullScreen)) != DD_OK)
        return hr;
    if ((hr = context->directDraw->SetDisplayMode(screenWidth, screenHeight, 16)) != DD_OK)
        return hr;

    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.dwBackBufferCount = 1;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    if (flags & setupDirect3D) {
        if ((hr = context->directDraw->QueryInterface(IID_IDirect3D2, reinterpret_cast<LPVOID*>(&context->direct3D))) !=
            DD_OK)
            return hr;
        desc.ddsCaps.dwCaps |= DDSCAPS_3DDEVICE;
    }
    if ((hr = context->directDraw->CreateSurface(&desc, &context->primarySurface, nullptr)) != DD_OK)
        return hr;
    DDSCAPS backCaps = {DDSCAPS_BACKBUFFER};
    if ((hr = context->primarySurface->GetAttachedSurface(&backCaps, &context->backSurface)) != DD_OK)
        return hr;

    DDPIXELFORMAT format;
    std::memset(&format, 0, sizeof format);
    format.dwSize = sizeof format;
    context->primarySurface->GetPixelFormat(&format);
    is555 = (format.dwRBitMask | format.dwGBitMask | format.dwBBitMask) == rgb555Masks ? 1 : 0;

    if (!(flags & setupDirect3D))
        return 0;
    return setUpDirect3D(context);
}

void tearDownDisplay(DisplayContext* context)
{
    // In reverse order of creation, each only when it exists.
    IUnknown* objects[] = {context->backgroundMaterial, context->viewport,    context->device,
                           context->depthSurface,       context->backSurface, context->primarySurface,
                           context->direct3D,           context->directDraw};
    for (IUnknown* object : objects)
        if (object)
            object->Release();
}

// The clip volume is 2 wide and 2 * (pixel height / pixel width) high.
D3DVIEWPORT2 fullScreenViewport()
{
    D3DVIEWPORT2 viewport = {};
    viewport.dwSize = sizeof viewport;
    viewport.dwX = 0;
    viewport.dwY = 0;
    viewport.dwWidth = screenWidth;
    viewport.dwHeight = screenHeight;
    viewport.dvClipX = -1.0f;
    viewport.dvClipY = 0.75f;
    viewport.dvClipWidth = 2.0f;
    viewport.dvClipHeight = 1.5f;
    viewport.dvMinZ = 0.0f;
    viewport.dvMaxZ = 1.0f;
    return viewport;
}

void setFullScreenViewport(DisplayContext* context)
{
    D3DVIEWPORT2 viewport = fullScreenViewport();
    context->viewport->SetViewport2(&viewport);
}
