// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "scenes/scene_states.h"

void clearSceneRect(const D3DRECT& rect, DisplayContext* context)
{
    context->clearRect = rect;
    context->viewport->Clear(1, &context->clearRect, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER);
}
