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

Event answeringEvent(DialogAnswer answer)
{
    constexpr uint32_t vkReturn = 0x0D, vkEscape = 0x1B;
    switch (answer) {
    case DialogAnswer::ok:
        return Event{EventKind::keyDown, vkReturn};
    case DialogAnswer::cancel:
        return Event{EventKind::keyDown, vkEscape};
    case DialogAnswer::close:
        break;
    }
    return Event{EventKind::quit};
}

}  // namespace host

#include <csignal>

namespace host {
namespace {
volatile std::sig_atomic_t quitSignalled = 0;

extern "C" void onQuitSignal(int) { quitSignalled = 1; }
}  // namespace

void catchQuitSignals()
{
    std::signal(SIGINT, onQuitSignal);
    std::signal(SIGTERM, onQuitSignal);
}

bool takeQuitSignal()
{
    if (!quitSignalled)
        return false;
    quitSignalled = 0;
    return true;
}

}  // namespace host
