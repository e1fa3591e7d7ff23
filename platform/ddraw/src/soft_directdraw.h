// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The DirectDraw objects over software memory. Internal to the stand-in.
#pragma once

#include "com_object.h"
#include "ddraw_soft.h"

class SoftDirectDraw;

class SoftSurface final : public soft::ComObject<IDirectDrawSurface> {
public:
    SoftSurface(DWORD caps, int width, int height);

    HRESULT AddAttachedSurface(IDirectDrawSurface* surface) override;
    HRESULT Blt(LPRECT destRect, IDirectDrawSurface* source, LPRECT sourceRect, DWORD flags,
                LPDDBLTFX effects) override;
    HRESULT Flip(IDirectDrawSurface* targetOverride, DWORD flags) override;
    HRESULT GetAttachedSurface(LPDDSCAPS caps, IDirectDrawSurface** surface) override;
    HRESULT GetDC(HDC* dc) override;
    HRESULT GetPixelFormat(LPDDPIXELFORMAT format) override;
    HRESULT GetSurfaceDesc(LPDDSURFACEDESC desc) override;
    HRESULT IsLost() override;
    HRESULT Lock(LPRECT rect, LPDDSURFACEDESC desc, DWORD flags, HANDLE event) override;
    HRESULT ReleaseDC(HDC dc) override;
    HRESULT Restore() override;
    HRESULT Unlock(LPVOID surfaceData) override;

    soft::SurfaceMemory memory;
    DWORD caps;
    SoftSurface* backBuffer = nullptr;   // the primary's flipping partner, owned by it
    SoftSurface* depthBuffer = nullptr;  // attached with AddAttachedSurface; one reference
    bool isDepth() const { return (caps & DDSCAPS_ZBUFFER) != 0; }

private:
    ~SoftSurface() override;
    bool answers(REFIID riid) const override { return riid == IID_IDirectDrawSurface; }
    void describe(DDSURFACEDESC& desc) const;
    bool busy() const { return lockCount > 0 || dc != nullptr; }

    int lockCount = 0;
    HDC dc = nullptr;
};

class SoftDirectDraw final : public soft::ComObject<IDirectDraw> {
public:
    explicit SoftDirectDraw(int device);

    HRESULT CreateSurface(LPDDSURFACEDESC desc, LPDIRECTDRAWSURFACE* surface, IUnknown* outer) override;
    HRESULT RestoreDisplayMode() override;
    HRESULT SetCooperativeLevel(HWND window, DWORD flags) override;
    HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel) override;

    int modeWidth = 640;
    int modeHeight = 480;

private:
    ~SoftDirectDraw() override;
    bool answers(REFIID riid) const override { return riid == IID_IDirectDraw; }
    // Direct3D, when a Direct3D is registered.
    HRESULT queryOther(REFIID riid, LPVOID* object) override;

    int device;
    DWORD cooperativeFlags = 0;
    bool modeSet = false;
};

namespace soft::ddraw {

// A rectangle inside a width x height surface, from an optional RECT (null = all).
struct Area {
    int left, top, width, height;
};
bool areaOf(const RECT* rect, const SurfaceMemory& memory, Area& area);

void fillArea(SurfaceMemory& target, const Area& area, uint16_t value);
// Copies `from` of `source` onto `to` of `target`, stretching by nearest neighbour.
// With a key range, source pixels within [keyLow, keyHigh] are skipped.
void copyArea(SurfaceMemory& target, const Area& to, const SurfaceMemory& source, const Area& from, bool keyed,
              uint32_t keyLow, uint32_t keyHigh);

}  // namespace soft::ddraw
