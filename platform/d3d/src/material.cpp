// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "material.h"

#include "d3d_soft.h"

#include "soft/faults.h"

#include <map>

namespace {

// The calls made here that a test can make fail.
const soft::FaultPoint getHandleFault("IDirect3DMaterial2::GetHandle");
const soft::FaultPoint getMaterialFault("IDirect3DMaterial2::GetMaterial");
const soft::FaultPoint queryInterfaceFault("IDirect3DMaterial2::QueryInterface");
const soft::FaultPoint setMaterialFault("IDirect3DMaterial2::SetMaterial");

}  // namespace

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

void startMaterialHandlesAfresh()
{
    if (handles().materials.empty())
        handles().next = 1;
}

Material::Material() : ComObject(queryInterfaceFault), handle_(handles().next++)
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
    if (long hr = setMaterialFault.take())
        return hr;
    if (!material)
        return DDERR_INVALIDPARAMS;
    values_ = *material;
    return D3D_OK;
}

HRESULT Material::GetMaterial(LPD3DMATERIAL material)
{
    if (long hr = getMaterialFault.take())
        return hr;
    if (!material)
        return DDERR_INVALIDPARAMS;
    *material = values_;
    return D3D_OK;
}

HRESULT Material::GetHandle(IDirect3DDevice2* device, D3DMATERIALHANDLE* handle)
{
    if (long hr = getHandleFault.take())
        return hr;
    if (!device || !handle)
        return DDERR_INVALIDPARAMS;
    *handle = handle_;  // one handle serves every device
    return D3D_OK;
}

}  // namespace soft::d3d
