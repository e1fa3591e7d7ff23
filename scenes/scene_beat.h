// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The beat the 3D scenes time their flashes by, the same as the timeline's.
#pragma once

#include <optional>

// The single-precision value nearest 100/3 ticks (bits 0x42055555).
constexpr float beatTicks = 33.333332f;

// The level of the white quad laid over a frame, or none.
using FlashLevel = std::optional<float>;
