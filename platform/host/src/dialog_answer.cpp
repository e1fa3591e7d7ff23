// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "host/dialog_answer.h"

namespace host {

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
