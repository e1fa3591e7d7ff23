// Reference counting and interface lookup shared by every Direct3D object.
#pragma once

#include "d3d.h"

namespace soft::d3d {

template <typename Interface>
class ComObject : public Interface {
public:
    HRESULT QueryInterface(REFIID iid, LPVOID* object) override
    {
        if (!object)
            return E_POINTER;
        if (iid == IID_IUnknown || answers(iid)) {
            *object = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++references_; }
    ULONG Release() override
    {
        ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }

protected:
    ~ComObject() override = default;
    // Interfaces besides IUnknown that the object hands out as itself.
    virtual bool answers(REFIID) const { return false; }

private:
    ULONG references_ = 1;
};

} // namespace soft::d3d
