// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Starting the show afresh in the same process, for a seek back.
#pragma once

namespace program {

// After WinMain returned for a seek back: the demo's one-time state and every stand-in
// put back as at process start, and the host told, so that WinMain can run again.
void prepareRestart();

}  // namespace program
