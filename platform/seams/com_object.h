// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Reference counting and interface lookup shared by every DirectDraw and Direct3D object.
#pragma once

#include "d3d.h"

#include "soft/faults.h"

#include <atomic>

namespace soft {

template <typename Interface>
class ComObject : public Interface {
public:
    // `queryFault` is the interface's QueryInterface, as fault injection knows it.
    explicit ComObject(const FaultPoint& queryFault) : queryFault(queryFault) { }

    HRESULT QueryInterface(REFIID iid, LPVOID* object) override
    {
        if (long hr = queryFault.take())
            return hr;
        if (!object)
            return E_POINTER;
        if (iid == IID_IUnknown || answers(iid)) {
            *object = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return queryOther(iid, object);
    }
    ULONG AddRef() override { return ++references; }
    ULONG Release() override
    {
        ULONG left = --references;
        if (left == 0)
            delete this;
        return left;
    }

protected:
    ~ComObject() override = default;
    // Interfaces besides IUnknown that the object hands out as itself.
    virtual bool answers(REFIID) const { return false; }
    // An interface another object answers for this one, or E_NOINTERFACE.
    virtual HRESULT queryOther(REFIID, LPVOID*) { return E_NOINTERFACE; }

private:
    const FaultPoint& queryFault;
    std::atomic<ULONG> references{1};
};

}  // namespace soft
