// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The answers a host gives a dialog by itself (the headless host, the browser's test
// mode), and the event that gives each: Enter, Escape or a close request.
#pragma once

#include "host/host.h"

namespace host {

enum class DialogAnswer { ok, cancel, close };
Event answeringEvent(DialogAnswer answer);

}  // namespace host
