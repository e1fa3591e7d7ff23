// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// IDirect3DViewport2: the rectangle and clip volume a device draws through, and the
// background it clears to.
#pragma once

#include "com_object.h"

namespace soft::d3d {

class Device;

class Viewport final : public ComObject<IDirect3DViewport2> {
public:
    Viewport();
    HRESULT SetViewport2(LPD3DVIEWPORT2 viewport) override;
    HRESULT GetViewport2(LPD3DVIEWPORT2 viewport) override;
    HRESULT SetBackground(D3DMATERIALHANDLE material) override;
    HRESULT Clear(DWORD count, LPD3DRECT rects, DWORD flags) override;

    // AddViewport ties the viewport to its device; the device unties it when it goes.
    void attach(Device* device) { device_ = device; }
    void detach() { device_ = nullptr; }
    Device* device() const { return device_; }
    // The values last set, or null before the first SetViewport2.
    const D3DVIEWPORT2* values() const { return valuesSet ? &values_ : nullptr; }

private:
    ~Viewport() override = default;
    Device* device_ = nullptr;
    D3DVIEWPORT2 values_{};
    bool valuesSet = false;
    D3DMATERIALHANDLE background_ = 0;
};

}  // namespace soft::d3d
