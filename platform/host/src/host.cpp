// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "host/host.h"

#include <cstdio>
#include <cstdlib>

namespace host {
namespace {
Host* installedHost = nullptr;
}

Host& current()
{
    if (!installedHost) {
        std::fprintf(stderr, "mornakle: no host installed\n");
        std::abort();
    }
    return *installedHost;
}

void install(Host* h) { installedHost = h; }

bool installed() { return installedHost != nullptr; }

}  // namespace host
