// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "errors.h"

#include <atomic>
#include <iterator>

namespace soft::midas {
namespace {

// Indexed by Error.
constexpr const char* texts[] = {
    "OK",
    "Undefined error",
    "Out of memory",
    "Invalid function arguments",
    "File not found",
    "Unable to open file",
    "Unable to read file",
    "Invalid module file",
    "Invalid handle",
    "MIDAS is not initialized",
    "Module is already playing",
    "Configuration cancelled",
    "Sound device failure",
};
static_assert(std::size(texts) == static_cast<int>(Error::soundDevice) + 1);

std::atomic<Error> last{Error::ok};

}  // namespace

const char* errorText(int code)
{
    if (code < 0 || code >= static_cast<int>(std::size(texts)))
        return texts[static_cast<int>(Error::undefined)];
    return texts[code];
}

void setLastError(Error error) { last = error; }

Error lastError() { return last; }

bool injectedFailure(const soft::FaultPoint& call, Error error)
{
    if (call.take() == 0)
        return false;
    setLastError(error);
    return true;
}

}  // namespace soft::midas
