// Reference counting and interface lookup shared by every Direct3D object.
#pragma once

#include "d3d.h"
#include "soft/faults.h"

#include <string>

namespace soft::d3d {

template <typename Interface>
class ComObject : public Interface {
public:
    // `name` is the interface's name, as fault injection knows its calls.
    explicit ComObject(const char* name) : queryCall_(std::string(name) + "::QueryInterface") { }

    HRESULT QueryInterface(REFIID iid, LPVOID* object) override
    {
        if (long hr = soft::takeFault(queryCall_))
            return hr;
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
    std::string queryCall_;
    ULONG references_ = 1;
};

}  // namespace soft::d3d
