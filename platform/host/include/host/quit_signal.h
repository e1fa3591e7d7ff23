// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Ending the show from outside: SIGINT and SIGTERM become a request to end it, which a
// host without a window of its own passes on as a quit event.
#pragma once

namespace host {

void catchQuitSignals();
// Whether a signal came since the last call; each is taken once.
bool takeQuitSignal();

}  // namespace host
