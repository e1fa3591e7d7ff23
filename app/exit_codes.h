// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The codes the program ends with, the same on every platform and from every entry.
#pragma once

constexpr int exitNormal = 0;       // the show ran to its end, or Escape was pressed
constexpr int exitSoundFailed = 1;  // the sound library failed, after its message box
constexpr int exitSetupFailed = 2;  // set-up failed or was cancelled: dialog, display, data, output
constexpr int exitUsage = 64;       // a bad command line or MORNAKLE_SIMD
