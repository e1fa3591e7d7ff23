// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The part of Direct3D immediate mode that the demo calls, with the platform's names
// and values, over our own software rasteriser.
#pragma once

#include "ddraw.h"

typedef float D3DVALUE;
typedef DWORD D3DCOLOR;
typedef DWORD D3DMATERIALHANDLE;
typedef DWORD D3DTEXTUREHANDLE;

#define D3D_OK                        DD_OK
#define D3DERR_INVALID_DEVICE         MAKE_DDHRESULT(705)
#define D3DERR_INITFAILED             MAKE_DDHRESULT(706)
#define D3DERR_SCENE_IN_SCENE         MAKE_DDHRESULT(730)
#define D3DERR_SCENE_NOT_IN_SCENE     MAKE_DDHRESULT(731)
#define D3DERR_SCENE_BEGIN_FAILED     MAKE_DDHRESULT(732)
#define D3DERR_SCENE_END_FAILED       MAKE_DDHRESULT(733)
#define D3DERR_INBEGIN                MAKE_DDHRESULT(734)
#define D3DERR_NOTINBEGIN             MAKE_DDHRESULT(735)
#define D3DERR_NOVIEWPORTS            MAKE_DDHRESULT(736)
#define D3DERR_VIEWPORTDATANOTSET     MAKE_DDHRESULT(737)
#define D3DERR_NOCURRENTVIEWPORT      MAKE_DDHRESULT(739)
#define D3DERR_INVALIDPRIMITIVETYPE   MAKE_DDHRESULT(741)
#define D3DERR_INVALIDVERTEXTYPE      MAKE_DDHRESULT(742)
#define D3DERR_MATERIAL_CREATE_FAILED MAKE_DDHRESULT(551)
#define D3DERR_VIEWPORTHASNODEVICE    MAKE_DDHRESULT(744)

#define D3DCLEAR_TARGET  0x00000001L
#define D3DCLEAR_ZBUFFER 0x00000002L

#define D3DDP_WAIT 0x00000001L

#define RGBA_MAKE(r, g, b, a) ((D3DCOLOR)(((DWORD)(a) << 24) | ((DWORD)(r) << 16) | ((DWORD)(g) << 8) | (DWORD)(b)))

struct D3DVECTOR {
    D3DVALUE x, y, z;
};

struct D3DCOLORVALUE {
    D3DVALUE r, g, b, a;
};

// Row-major, _rc the element of row r and column c; points are row vectors.
struct D3DMATRIX {
    D3DVALUE _11, _12, _13, _14;
    D3DVALUE _21, _22, _23, _24;
    D3DVALUE _31, _32, _33, _34;
    D3DVALUE _41, _42, _43, _44;
};
typedef D3DMATRIX* LPD3DMATRIX;

struct D3DRECT {
    LONG x1, y1, x2, y2;
};
typedef D3DRECT* LPD3DRECT;

struct D3DVIEWPORT2 {
    DWORD dwSize;
    DWORD dwX;
    DWORD dwY;
    DWORD dwWidth;
    DWORD dwHeight;
    D3DVALUE dvClipX;
    D3DVALUE dvClipY;
    D3DVALUE dvClipWidth;
    D3DVALUE dvClipHeight;
    D3DVALUE dvMinZ;
    D3DVALUE dvMaxZ;
};
typedef D3DVIEWPORT2* LPD3DVIEWPORT2;

struct D3DMATERIAL {
    DWORD dwSize;
    D3DCOLORVALUE diffuse;
    D3DCOLORVALUE ambient;
    D3DCOLORVALUE specular;
    D3DCOLORVALUE emissive;
    D3DVALUE power;
    D3DTEXTUREHANDLE hTexture;
    DWORD dwRampSize;
};
typedef D3DMATERIAL* LPD3DMATERIAL;

// An untransformed, pre-lit vertex.
struct D3DLVERTEX {
    D3DVALUE x, y, z;
    DWORD dwReserved;
    D3DCOLOR color;
    D3DCOLOR specular;
    D3DVALUE tu, tv;
};
typedef D3DLVERTEX* LPD3DLVERTEX;

// A vertex already in screen space.
struct D3DTLVERTEX {
    D3DVALUE sx, sy, sz;
    D3DVALUE rhw;
    D3DCOLOR color;
    D3DCOLOR specular;
    D3DVALUE tu, tv;
};
typedef D3DTLVERTEX* LPD3DTLVERTEX;

enum D3DPRIMITIVETYPE {
    D3DPT_POINTLIST = 1,
    D3DPT_LINELIST = 2,
    D3DPT_LINESTRIP = 3,
    D3DPT_TRIANGLELIST = 4,
    D3DPT_TRIANGLESTRIP = 5,
    D3DPT_TRIANGLEFAN = 6,
};

enum D3DVERTEXTYPE {
    D3DVT_VERTEX = 1,
    D3DVT_LVERTEX = 2,
    D3DVT_TLVERTEX = 3,
};

enum D3DTRANSFORMSTATETYPE {
    D3DTRANSFORMSTATE_WORLD = 1,
    D3DTRANSFORMSTATE_VIEW = 2,
    D3DTRANSFORMSTATE_PROJECTION = 3,
};

enum D3DRENDERSTATETYPE {
    D3DRENDERSTATE_ZENABLE = 7,
    D3DRENDERSTATE_FILLMODE = 8,
    D3DRENDERSTATE_SHADEMODE = 9,
    D3DRENDERSTATE_ZWRITEENABLE = 14,
    D3DRENDERSTATE_SRCBLEND = 19,
    D3DRENDERSTATE_DESTBLEND = 20,
    D3DRENDERSTATE_CULLMODE = 22,
    D3DRENDERSTATE_ZFUNC = 23,
    D3DRENDERSTATE_DITHERENABLE = 26,
    D3DRENDERSTATE_ALPHABLENDENABLE = 27,
    D3DRENDERSTATE_SPECULARENABLE = 29,
    D3DRENDERSTATE_FORCE_DWORD = 0x7fffffff,  // any 32-bit value is a render state to check
};

enum D3DFILLMODE {
    D3DFILL_POINT = 1,
    D3DFILL_WIREFRAME = 2,
    D3DFILL_SOLID = 3,
};

enum D3DSHADEMODE {
    D3DSHADE_FLAT = 1,
    D3DSHADE_GOURAUD = 2,
};

enum D3DCULL {
    D3DCULL_NONE = 1,
    D3DCULL_CW = 2,
    D3DCULL_CCW = 3,
};

enum D3DCMPFUNC {
    D3DCMP_NEVER = 1,
    D3DCMP_LESS = 2,
    D3DCMP_EQUAL = 3,
    D3DCMP_LESSEQUAL = 4,
    D3DCMP_GREATER = 5,
    D3DCMP_NOTEQUAL = 6,
    D3DCMP_GREATEREQUAL = 7,
    D3DCMP_ALWAYS = 8,
};

enum D3DBLEND {
    D3DBLEND_ZERO = 1,
    D3DBLEND_ONE = 2,
    D3DBLEND_SRCCOLOR = 3,
    D3DBLEND_INVSRCCOLOR = 4,
    D3DBLEND_SRCALPHA = 5,
    D3DBLEND_INVSRCALPHA = 6,
    D3DBLEND_DESTALPHA = 7,
    D3DBLEND_INVDESTALPHA = 8,
    D3DBLEND_DESTCOLOR = 9,
    D3DBLEND_INVDESTCOLOR = 10,
    D3DBLEND_SRCALPHASAT = 11,
    D3DBLEND_BOTHSRCALPHA = 12,
    D3DBLEND_BOTHINVSRCALPHA = 13,
};

struct IDirect3DDevice2;

struct IDirect3DMaterial2 : IUnknown {
    virtual HRESULT SetMaterial(LPD3DMATERIAL material) = 0;
    virtual HRESULT GetMaterial(LPD3DMATERIAL material) = 0;
    virtual HRESULT GetHandle(IDirect3DDevice2* device, D3DMATERIALHANDLE* handle) = 0;
};
typedef IDirect3DMaterial2* LPDIRECT3DMATERIAL2;

struct IDirect3DViewport2 : IUnknown {
    virtual HRESULT SetViewport2(LPD3DVIEWPORT2 viewport) = 0;
    virtual HRESULT GetViewport2(LPD3DVIEWPORT2 viewport) = 0;
    virtual HRESULT SetBackground(D3DMATERIALHANDLE material) = 0;
    virtual HRESULT Clear(DWORD count, LPD3DRECT rects, DWORD flags) = 0;
};
typedef IDirect3DViewport2* LPDIRECT3DVIEWPORT2;

struct IDirect3DDevice2 : IUnknown {
    virtual HRESULT AddViewport(LPDIRECT3DVIEWPORT2 viewport) = 0;
    virtual HRESULT SetCurrentViewport(LPDIRECT3DVIEWPORT2 viewport) = 0;
    virtual HRESULT BeginScene() = 0;
    virtual HRESULT EndScene() = 0;
    virtual HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) = 0;
    virtual HRESULT GetRenderState(D3DRENDERSTATETYPE state, LPDWORD value) = 0;
    virtual HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, LPD3DMATRIX matrix) = 0;
    virtual HRESULT GetTransform(D3DTRANSFORMSTATETYPE state, LPD3DMATRIX matrix) = 0;
    virtual HRESULT Begin(D3DPRIMITIVETYPE primitive, D3DVERTEXTYPE vertexType, DWORD flags) = 0;
    virtual HRESULT Vertex(LPVOID vertex) = 0;
    virtual HRESULT End(DWORD flags) = 0;
};
typedef IDirect3DDevice2* LPDIRECT3DDEVICE2;

struct IDirect3D2 : IUnknown {
    virtual HRESULT CreateDevice(REFCLSID deviceGuid, LPDIRECTDRAWSURFACE target, LPDIRECT3DDEVICE2* device) = 0;
    virtual HRESULT CreateViewport(LPDIRECT3DVIEWPORT2* viewport, IUnknown* outer) = 0;
    virtual HRESULT CreateMaterial(LPDIRECT3DMATERIAL2* material, IUnknown* outer) = 0;
};
typedef IDirect3D2* LPDIRECT3D2;

extern const GUID IID_IDirect3D2;
extern const GUID IID_IDirect3DHALDevice;
extern const GUID IID_IDirect3DRGBDevice;
extern const GUID IID_IDirect3DRampDevice;
