// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "soft/failure.h"

#include <cstdlib>

namespace soft {
namespace {
FailureHandler installedHandler = nullptr;
}

FailureHandler setFailureHandler(FailureHandler handler)
{
    FailureHandler before = installedHandler;
    installedHandler = handler;
    return before;
}

void reportFailure(Failure failure)
{
    if (installedHandler)
        installedHandler(failure);
    std::abort();
}

}  // namespace soft
