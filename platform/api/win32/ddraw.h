// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The part of DirectDraw that the demo calls, with the platform's names and values,
// over software surfaces in memory.
#pragma once

#include "windows.h"

#define MAKE_DDHRESULT(code) ((HRESULT)(0x88760000L | (code)))

#define DD_OK                        S_OK
#define DDERR_GENERIC                E_FAIL
#define DDERR_INVALIDPARAMS          E_INVALIDARG
#define DDERR_OUTOFMEMORY            E_OUTOFMEMORY
#define DDERR_UNSUPPORTED            E_NOTIMPL
#define DDERR_INVALIDOBJECT          MAKE_DDHRESULT(130)
#define DDERR_INVALIDRECT            MAKE_DDHRESULT(150)
#define DDERR_INVALIDCAPS            MAKE_DDHRESULT(100)
#define DDERR_INVALIDMODE            MAKE_DDHRESULT(160)
#define DDERR_NOCOOPERATIVELEVELSET  MAKE_DDHRESULT(212)
#define DDERR_NOEXCLUSIVEMODE        MAKE_DDHRESULT(225)
#define DDERR_NOTFOUND               MAKE_DDHRESULT(255)
#define DDERR_NOZBUFFERHW            MAKE_DDHRESULT(340)
#define DDERR_SURFACEBUSY            MAKE_DDHRESULT(430)
#define DDERR_SURFACELOST            MAKE_DDHRESULT(450)
#define DDERR_SURFACEALREADYATTACHED MAKE_DDHRESULT(410)
#define DDERR_NOTFLIPPABLE           MAKE_DDHRESULT(582)
#define DDERR_NOTLOCKED              MAKE_DDHRESULT(584)
#define DDERR_UNSUPPORTEDMODE        MAKE_DDHRESULT(590)
#define DDERR_DCALREADYCREATED       MAKE_DDHRESULT(620)
#define DDERR_NODC                   MAKE_DDHRESULT(586)
#define DDERR_CANTCREATEDC           MAKE_DDHRESULT(589)
#define DDERR_INVALIDDIRECTDRAWGUID  MAKE_DDHRESULT(561)
#define DDERR_NOTATTACHED            MAKE_DDHRESULT(595)
#define DDERR_CANNOTATTACHSURFACE    MAKE_DDHRESULT(110)

// DDSURFACEDESC.dwFlags
#define DDSD_CAPS            0x00000001L
#define DDSD_HEIGHT          0x00000002L
#define DDSD_WIDTH           0x00000004L
#define DDSD_PITCH           0x00000008L
#define DDSD_BACKBUFFERCOUNT 0x00000020L
#define DDSD_ZBUFFERBITDEPTH 0x00000040L
#define DDSD_LPSURFACE       0x00000800L
#define DDSD_PIXELFORMAT     0x00001000L

// DDSCAPS.dwCaps
#define DDSCAPS_BACKBUFFER     0x00000004L
#define DDSCAPS_COMPLEX        0x00000008L
#define DDSCAPS_FLIP           0x00000010L
#define DDSCAPS_FRONTBUFFER    0x00000020L
#define DDSCAPS_OFFSCREENPLAIN 0x00000040L
#define DDSCAPS_PRIMARYSURFACE 0x00000200L
#define DDSCAPS_SYSTEMMEMORY   0x00000800L
#define DDSCAPS_3DDEVICE       0x00002000L
#define DDSCAPS_VIDEOMEMORY    0x00004000L
#define DDSCAPS_ZBUFFER        0x00020000L

// DDPIXELFORMAT.dwFlags
#define DDPF_RGB     0x00000040L
#define DDPF_ZBUFFER 0x00000400L

// SetCooperativeLevel
#define DDSCL_FULLSCREEN      0x00000001L
#define DDSCL_ALLOWREBOOT     0x00000002L
#define DDSCL_NOWINDOWCHANGES 0x00000004L
#define DDSCL_NORMAL          0x00000008L
#define DDSCL_EXCLUSIVE       0x00000010L

// Blt, Flip, Lock
#define DDBLT_COLORFILL         0x00000400L
#define DDBLT_DDFX              0x00000800L
#define DDBLT_KEYSRC            0x00008000L
#define DDBLT_KEYSRCOVERRIDE    0x00010000L
#define DDBLT_WAIT              0x01000000L
#define DDFLIP_WAIT             0x00000001L
#define DDLOCK_SURFACEMEMORYPTR 0x00000000L
#define DDLOCK_WAIT             0x00000001L

// DirectDrawEnumerateEx
#define DDENUM_ATTACHEDSECONDARYDEVICES 0x00000001L
#define DDENUM_DETACHEDSECONDARYDEVICES 0x00000002L
#define DDENUM_NONDISPLAYDEVICES        0x00000004L

#define DDENUMRET_CANCEL 0
#define DDENUMRET_OK     1

struct DDCOLORKEY {
    DWORD dwColorSpaceLowValue;
    DWORD dwColorSpaceHighValue;
};

struct DDSCAPS {
    DWORD dwCaps;
};
typedef DDSCAPS* LPDDSCAPS;

struct DDPIXELFORMAT {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwFourCC;
    union {
        DWORD dwRGBBitCount;
        DWORD dwZBufferBitDepth;
    };
    union {
        DWORD dwRBitMask;
    };
    union {
        DWORD dwGBitMask;
    };
    union {
        DWORD dwBBitMask;
    };
    union {
        DWORD dwRGBAlphaBitMask;
    };
};
typedef DDPIXELFORMAT* LPDDPIXELFORMAT;

struct DDSURFACEDESC {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwHeight;
    DWORD dwWidth;
    union {
        LONG lPitch;
        DWORD dwLinearSize;
    };
    DWORD dwBackBufferCount;
    union {
        DWORD dwMipMapCount;
        DWORD dwZBufferBitDepth;
        DWORD dwRefreshRate;
    };
    DWORD dwAlphaBitDepth;
    DWORD dwReserved;
    LPVOID lpSurface;
    DDCOLORKEY ddckCKDestOverlay;
    DDCOLORKEY ddckCKDestBlt;
    DDCOLORKEY ddckCKSrcOverlay;
    DDCOLORKEY ddckCKSrcBlt;
    DDPIXELFORMAT ddpfPixelFormat;
    DDSCAPS ddsCaps;
};
typedef DDSURFACEDESC* LPDDSURFACEDESC;

struct IDirectDrawSurface;

struct DDBLTFX {
    DWORD dwSize;
    DWORD dwDDFX;
    DWORD dwROP;
    DWORD dwDDROP;
    DWORD dwRotationAngle;
    DWORD dwZBufferOpCode;
    DWORD dwZBufferLow;
    DWORD dwZBufferHigh;
    DWORD dwZBufferBaseDest;
    DWORD dwZDestConstBitDepth;
    union {
        DWORD dwZDestConst;
        IDirectDrawSurface* lpDDSZBufferDest;
    };
    DWORD dwZSrcConstBitDepth;
    union {
        DWORD dwZSrcConst;
        IDirectDrawSurface* lpDDSZBufferSrc;
    };
    DWORD dwAlphaEdgeBlendBitDepth;
    DWORD dwAlphaEdgeBlend;
    DWORD dwReserved;
    DWORD dwAlphaDestConstBitDepth;
    union {
        DWORD dwAlphaDestConst;
        IDirectDrawSurface* lpDDSAlphaDest;
    };
    DWORD dwAlphaSrcConstBitDepth;
    union {
        DWORD dwAlphaSrcConst;
        IDirectDrawSurface* lpDDSAlphaSrc;
    };
    union {
        DWORD dwFillColor;
        DWORD dwFillDepth;
        DWORD dwFillPixel;
        IDirectDrawSurface* lpDDSPattern;
    };
    DDCOLORKEY ddckDestColorkey;
    DDCOLORKEY ddckSrcColorkey;
};
typedef DDBLTFX* LPDDBLTFX;

struct IUnknown {
    virtual HRESULT QueryInterface(REFIID riid, LPVOID* object) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    virtual ~IUnknown() = default;
};
typedef IUnknown* LPUNKNOWN;

struct IDirectDrawSurface : IUnknown {
    virtual HRESULT AddAttachedSurface(IDirectDrawSurface* surface) = 0;
    virtual HRESULT Blt(LPRECT destRect, IDirectDrawSurface* source, LPRECT sourceRect, DWORD flags,
                        LPDDBLTFX effects) = 0;
    virtual HRESULT Flip(IDirectDrawSurface* targetOverride, DWORD flags) = 0;
    virtual HRESULT GetAttachedSurface(LPDDSCAPS caps, IDirectDrawSurface** surface) = 0;
    virtual HRESULT GetDC(HDC* dc) = 0;
    virtual HRESULT GetPixelFormat(LPDDPIXELFORMAT format) = 0;
    virtual HRESULT GetSurfaceDesc(LPDDSURFACEDESC desc) = 0;
    virtual HRESULT IsLost() = 0;
    virtual HRESULT Lock(LPRECT rect, LPDDSURFACEDESC desc, DWORD flags, HANDLE event) = 0;
    virtual HRESULT ReleaseDC(HDC dc) = 0;
    virtual HRESULT Restore() = 0;
    virtual HRESULT Unlock(LPVOID surfaceData) = 0;
};
typedef IDirectDrawSurface* LPDIRECTDRAWSURFACE;

struct IDirectDraw : IUnknown {
    virtual HRESULT CreateSurface(LPDDSURFACEDESC desc, LPDIRECTDRAWSURFACE* surface, IUnknown* outer) = 0;
    virtual HRESULT RestoreDisplayMode() = 0;
    virtual HRESULT SetCooperativeLevel(HWND window, DWORD flags) = 0;
    virtual HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel) = 0;
};
typedef IDirectDraw* LPDIRECTDRAW;

typedef BOOL(WINAPI* LPDDENUMCALLBACKEXA)(GUID* guid, LPSTR description, LPSTR driverName, LPVOID context,
                                          HMONITOR monitor);

extern const GUID IID_IUnknown;
extern const GUID IID_IDirectDraw;
extern const GUID IID_IDirectDrawSurface;

HRESULT WINAPI DirectDrawEnumerateExA(LPDDENUMCALLBACKEXA callback, LPVOID context, DWORD flags);
HRESULT WINAPI DirectDrawCreate(GUID* guid, LPDIRECTDRAW* directDraw, IUnknown* outer);
