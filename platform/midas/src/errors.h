// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The library's error codes and their texts, and the last error a call left behind.
#pragma once

#include "soft/faults.h"

namespace soft::midas {

enum class Error : int {
    ok = 0,
    undefined,
    outOfMemory,
    invalidArguments,
    fileNotFound,
    fileOpen,
    fileRead,
    invalidModule,
    invalidHandle,
    notInitialized,
    alreadyPlaying,
    configCancelled,
    soundDevice,
};

// One line describing `code`; an unknown code gets the text of `undefined`.
const char* errorText(int code);

void setLastError(Error error);
Error lastError();

// Takes an injected failure of `call`: when one is due, records `error` as the last
// error and returns true, and the call then fails.
bool injectedFailure(const soft::FaultPoint& call, Error error);

}  // namespace soft::midas
