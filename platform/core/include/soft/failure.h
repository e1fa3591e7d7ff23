// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// What a stand-in or a host cannot go on from. It says why on standard error, then
// reports the failure to the handler the program installed: how the process ends (its
// exit code, or a report to a page first) is the program's decision, not the platform's.
#pragma once

namespace soft {

enum class Failure {
    kernelFamilyRefused,  // MORNAKLE_SIMD names a span kernel family unknown here or missing
    outputUnwritable,     // a captured frame, the dialog's picture or the sound cannot be written
    dialogUnanswered,     // a dialog keeps asking after every answer it was given
    showHeld,             // a headless show is paused and nothing is left to resume it
};

using FailureHandler = void (*)(Failure failure);

// Installs the program's handler and returns the one before it (null: none).
FailureHandler setFailureHandler(FailureHandler handler);

// Calls the handler, which ends the process. With no handler, or one that returns,
// the process aborts: nothing can go on after a failure.
[[noreturn]] void reportFailure(Failure failure);

}  // namespace soft
