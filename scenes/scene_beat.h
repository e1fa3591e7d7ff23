// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The show's beat: the timeline is laid out on it and the 3D scenes flash on it.
#pragma once

#include <optional>

// In ticks: the single-precision value nearest 100/3 (bits 0x42055555).
constexpr float beat = 100.0f / 3.0f;
static_assert(beat == 33.333332f);

// The level of the white quad laid over a frame, or none.
using FlashLevel = std::optional<float>;
