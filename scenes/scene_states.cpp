#include "scenes/scene_states.h"

namespace {

struct RenderState {
    D3DRENDERSTATETYPE state;
    DWORD value;
};

constexpr RenderState sceneRenderStates[] = {
    {D3DRENDERSTATE_DITHERENABLE, TRUE},
    {D3DRENDERSTATE_ZENABLE, TRUE},
    {D3DRENDERSTATE_ZWRITEENABLE, TRUE},
    {D3DRENDERSTATE_ZFUNC, D3DCMP_LESSEQUAL},
    {D3DRENDERSTATE_ALPHABLENDENABLE, TRUE},
    {D3DRENDERSTATE_SRCBLEND, D3DBLEND_BOTHSRCALPHA},
    {D3DRENDERSTATE_CULLMODE, D3DCULL_CCW},
};

}  // namespace

void applySceneRenderStates(IDirect3DDevice2* device)
{
    for (const RenderState& rs : sceneRenderStates)
        device->SetRenderState(rs.state, rs.value);
}

void clearSceneRect(const D3DRECT& rect, DisplayContext* context)
{
    context->clearRect = rect;
    context->viewport->Clear(1, &context->clearRect, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER);
}
