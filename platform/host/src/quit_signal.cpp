// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "host/quit_signal.h"

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
