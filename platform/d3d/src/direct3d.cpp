#include "com_object.h"
#include "ddraw_soft.h"
#include "device.h"
#include "material.h"
#include "soft/faults.h"
#include "viewport.h"

namespace soft::d3d {
namespace {

class Direct3D final : public ComObject<IDirect3D2> {
public:
    Direct3D() : ComObject("IDirect3D2") { }

    HRESULT CreateDevice(REFCLSID deviceGuid, LPDIRECTDRAWSURFACE target, LPDIRECT3DDEVICE2* device) override
    {
        const bool hardware = deviceGuid == IID_IDirect3DHALDevice;
        const bool rgb = deviceGuid == IID_IDirect3DRGBDevice;
        const bool ramp = deviceGuid == IID_IDirect3DRampDevice;
        const char* call = hardware ? "IDirect3D2::CreateDevice(HAL)"
                           : rgb    ? "IDirect3D2::CreateDevice(RGB)"
                           : ramp   ? "IDirect3D2::CreateDevice(Ramp)"
                                    : "IDirect3D2::CreateDevice";
        if (long hr = soft::takeFault(call))
            return hr;
        if (!device)
            return DDERR_INVALIDPARAMS;
        *device = nullptr;
        // There is no 3D hardware; the RGB device is the software rasteriser, and the
        // Ramp device is the same rasteriser.
        if (!rgb && !ramp)
            return D3DERR_INVALID_DEVICE;
        if (!target || !surfaceMemoryOf(target))
            return DDERR_INVALIDPARAMS;
        *device = new Device(target);
        return D3D_OK;
    }

    HRESULT CreateViewport(LPDIRECT3DVIEWPORT2* viewport, IUnknown* outer) override
    {
        if (long hr = soft::takeFault("IDirect3D2::CreateViewport"))
            return hr;
        if (!viewport || outer)
            return DDERR_INVALIDPARAMS;
        *viewport = new Viewport;
        return D3D_OK;
    }

    HRESULT CreateMaterial(LPDIRECT3DMATERIAL2* material, IUnknown* outer) override
    {
        if (long hr = soft::takeFault("IDirect3D2::CreateMaterial"))
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

HRESULT createDirect3D2(IDirectDraw*, LPVOID* object)
{
    if (!object)
        return E_POINTER;
    *object = static_cast<IDirect3D2*>(new soft::d3d::Direct3D);
    return S_OK;
}
