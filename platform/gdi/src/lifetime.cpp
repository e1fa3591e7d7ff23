// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "lifetime.h"

#include "device_context.h"
#include "gdi_soft.h"

#include <cstdlib>

namespace soft::gdi {
namespace {

// One thread uses GDI, so plain statics do.
struct Live {
    std::unordered_set<HGDIOBJ__*> objects;
    std::unordered_set<HDC__*> contexts;
};

Live& live()
{
    static Live sets;
    // Handlers run in the reverse order of registration: registered after the sets
    // were made, the reclaiming runs before they are destroyed.
    static const bool reclaimAtExit = std::atexit(soft::gdi::reclaimAll) == 0;
    (void)reclaimAtExit;
    return sets;
}

}  // namespace

std::unordered_set<HGDIOBJ__*>& liveObjects() { return live().objects; }

std::unordered_set<HDC__*>& liveContexts() { return live().contexts; }

}  // namespace soft::gdi

int soft::gdi::liveObjectCount()
{
    int count = int(soft::gdi::liveContexts().size());
    for (HGDIOBJ__* object : soft::gdi::liveObjects())
        count += object->stock ? 0 : 1;
    return count;
}

void soft::gdi::reclaimAll()
{
    // Contexts first: each gives back what is selected into it as it goes.
    auto& contexts = soft::gdi::liveContexts();
    for (HDC__* context : contexts)
        delete context;
    contexts.clear();
    auto& objects = soft::gdi::liveObjects();
    for (auto it = objects.begin(); it != objects.end();) {
        HGDIOBJ__* object = *it;
        if (object->stock) {
            ++it;
            continue;
        }
        it = objects.erase(it);
        delete object;
    }
}
