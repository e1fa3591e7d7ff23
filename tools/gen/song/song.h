// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#pragma once
// The demo's soundtrack, composed and synthesised here: the complete bytes of back.xm.

#include <cstdint>
#include <vector>

std::vector<uint8_t> composeBackXm();
