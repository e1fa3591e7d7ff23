// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// IDirect3DMaterial2: a colour record that viewports name by handle.
#pragma once

#include "com_object.h"

namespace soft::d3d {

class Material final : public ComObject<IDirect3DMaterial2> {
public:
    Material();
    HRESULT SetMaterial(LPD3DMATERIAL material) override;
    HRESULT GetMaterial(LPD3DMATERIAL material) override;
    HRESULT GetHandle(IDirect3DDevice2* device, D3DMATERIALHANDLE* handle) override;

    // The material a handle names, or null once it has been released.
    static const Material* byHandle(D3DMATERIALHANDLE handle);
    const D3DMATERIAL& values() const { return values_; }

private:
    ~Material() override;
    D3DMATERIALHANDLE handle_;
    D3DMATERIAL values_{};
};

}  // namespace soft::d3d
