// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// How the program ends when the platform under it cannot go on: the platform has said
// why on standard error; the program picks the exit code.
#pragma once

#include "app/exit_codes.h"
#include "soft/failure.h"

#include <cstdlib>

inline int exitCodeOf(soft::Failure failure)
{
    switch (failure) {
    case soft::Failure::kernelFamilyRefused:
        return exitUsage;
    case soft::Failure::outputUnwritable:
    case soft::Failure::dialogUnanswered:
    case soft::Failure::showHeld:
        break;
    }
    return exitSetupFailed;
}

// The failure handler of every entry on the software platform.
[[noreturn]] inline void exitOnFailure(soft::Failure failure) { std::exit(exitCodeOf(failure)); }
