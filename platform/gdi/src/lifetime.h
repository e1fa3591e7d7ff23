// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The lifetime of GDI's objects and device contexts: the sets that tell live handles
// from stale ones, their counts, and the reclaiming at exit of what the program left
// alive. Objects and contexts are made and freed in objects.cpp and
// device_context.cpp; both enter and leave these sets, which know only their types.
#pragma once

#include <unordered_set>

struct HGDIOBJ__;
struct HDC__;

namespace soft::gdi {

// Every registered object, stock ones included. The first use of either set arranges
// for soft::gdi::reclaimAll to run at exit, before the sets themselves go.
std::unordered_set<HGDIOBJ__*>& liveObjects();
std::unordered_set<HDC__*>& liveContexts();

}  // namespace soft::gdi
