// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "com_object.h"
#include "d3d_soft.h"
#include "ddraw_soft.h"
#include "device.h"
#include "material.h"
#include "soft/faults.h"
#include "viewport.h"

namespace {

// The calls made here that a test can make fail.
const soft::FaultPoint createDeviceFault("IDirect3D2::CreateDevice");
const soft::FaultPoint createDeviceHALFault("IDirect3D2::CreateDevice(HAL)");
const soft::FaultPoint createDeviceRGBFault("IDirect3D2::CreateDevice(RGB)");
const soft::FaultPoint createDeviceRampFault("IDirect3D2::CreateDevice(Ramp)");
const soft::FaultPoint createMaterialFault("IDirect3D2::CreateMaterial");
const soft::FaultPoint createViewportFault("IDirect3D2::CreateViewport");
const soft::FaultPoint queryInterfaceFault("IDirect3D2::QueryInterface");

}  // namespace

namespace soft::d3d {
namespace {

class Direct3D final : public ComObject<IDirect3D2> {
public:
    Direct3D() : ComObject(queryInterfaceFault) { }

    HRESULT CreateDevice(REFCLSID deviceGuid, LPDIRECTDRAWSURFACE target, LPDIRECT3DDEVICE2* device) override
    {
        const bool hardware = deviceGuid == IID_IDirect3DHALDevice;
        const bool rgb = deviceGuid == IID_IDirect3DRGBDevice;
        const bool ramp = deviceGuid == IID_IDirect3DRampDevice;
        const FaultPoint& fault = hardware ? createDeviceHALFault
                                  : rgb    ? createDeviceRGBFault
                                  : ramp   ? createDeviceRampFault
                                           : createDeviceFault;
        if (long hr = fault.take())
            return hr;
        if (!device)
            return DDERR_INVALIDPARAMS;
        *device = nullptr;
        // There is no 3D hardware; the RGB device is the software rasteriser, and the
        // Ramp device is the same rasteriser.
        if (!rgb && !ramp)
            return D3DERR_INVALID_DEVICE;
        if (!target || !soft::ddraw::surfaceMemoryOf(target))
            return DDERR_INVALIDPARAMS;
        *device = new Device(target);
        return D3D_OK;
    }

    HRESULT CreateViewport(LPDIRECT3DVIEWPORT2* viewport, IUnknown* outer) override
    {
        if (long hr = createViewportFault.take())
            return hr;
        if (!viewport || outer)
            return DDERR_INVALIDPARAMS;
        *viewport = new Viewport;
        return D3D_OK;
    }

    HRESULT CreateMaterial(LPDIRECT3DMATERIAL2* material, IUnknown* outer) override
    {
        if (long hr = createMaterialFault.take())
            return hr;
        if (!material || outer)
            return DDERR_INVALIDPARAMS;
        *material = new Material;
        return D3D_OK;
    }

private:
    ~Direct3D() override = default;
    bool answers(REFIID iid) const override { return iid == IID_IDirect3D2; }
};

}  // namespace
}  // namespace soft::d3d

HRESULT soft::d3d::createDirect3D2(IDirectDraw*, LPVOID* object)
{
    if (!object)
        return E_POINTER;
    *object = static_cast<IDirect3D2*>(new soft::d3d::Direct3D);
    return S_OK;
}
