// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "display/frame_presentation.h"

void presentFrame(DisplayContext* context)
{
    if (context->device)
        context->device->EndScene();
    if (context->primarySurface)
        context->primarySurface->Flip(nullptr, DDFLIP_WAIT);
    if (context->device)
        context->device->BeginScene();
    pumpMessages();
}

void pumpMessages()
{
    // Every window's messages are taken, WM_QUIT like any other; the loop never waits.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}
