#include "ddraw_soft.h"

// Placeholder until the Direct3D stand-in exists: no Direct3D on this DirectDraw.
HRESULT createDirect3D2(IDirectDraw*, LPVOID* object)
{
    if (object)
        *object = nullptr;
    return E_NOINTERFACE;
}
