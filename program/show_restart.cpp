// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "show_restart.h"

#include "app/timeline.h"
#include "d3d_soft.h"
#include "gdi_soft.h"
#include "host/host.h"
#include "win32_soft.h"

namespace program {

// The demo ended as on Escape, so it gave back what it gives back then; what a process
// would have left to the system is freed here. The sound library starts afresh on its
// own at MIDASstartup, DirectDraw's surfaces and Direct3D's objects at their release.
void prepareRestart()
{
    resetShow();
    soft::gdi::reclaimAll();
    soft::win32::startAfresh();
    soft::d3d::startMaterialHandlesAfresh();
    host::current().restartShow();
}

}  // namespace program
