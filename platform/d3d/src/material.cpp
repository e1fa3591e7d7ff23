#include "material.h"

#include "soft/faults.h"

#include <string>

#include <map>

namespace soft::d3d {
namespace {

struct HandleTable {
    std::map<D3DMATERIALHANDLE, Material*> materials;
    D3DMATERIALHANDLE next = 1;  // 0 names no material
};

HandleTable& handles()
{
    static HandleTable table;
    return table;
}

}  // namespace

Material::Material() : ComObject("IDirect3DMaterial2"), handle_(handles().next++)
{
    values_.dwSize = sizeof(D3DMATERIAL);
    handles().materials[handle_] = this;
}

Material::~Material() { handles().materials.erase(handle_); }

const Material* Material::byHandle(D3DMATERIALHANDLE handle)
{
    auto found = handles().materials.find(handle);
    return found == handles().materials.end() ? nullptr : found->second;
}

HRESULT Material::SetMaterial(LPD3DMATERIAL material)
{
    static const std::string call = "IDirect3DMaterial2::SetMaterial";
    if (long hr = soft::takeFault(call))
        return hr;
    if (!material)
        return DDERR_INVALIDPARAMS;
    values_ = *material;
    return D3D_OK;
}

HRESULT Material::GetMaterial(LPD3DMATERIAL material)
{
    static const std::string call = "IDirect3DMaterial2::GetMaterial";
    if (long hr = soft::takeFault(call))
        return hr;
    if (!material)
        return DDERR_INVALIDPARAMS;
    *material = values_;
    return D3D_OK;
}

HRESULT Material::GetHandle(IDirect3DDevice2* device, D3DMATERIALHANDLE* handle)
{
    static const std::string call = "IDirect3DMaterial2::GetHandle";
    if (long hr = soft::takeFault(call))
        return hr;
    if (!device || !handle)
        return DDERR_INVALIDPARAMS;
    *handle = handle_;  // one handle serves every device
    return D3D_OK;
}

}  // namespace soft::d3d
