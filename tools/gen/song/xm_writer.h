// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#pragma once
// Serialises an XmModule into the bytes of an Extended Module file (format version 1.04,
// linear frequency table, packed patterns, delta-encoded 16-bit samples).

#include "song/xm_module.h"

#include <cstdint>
#include <vector>

namespace song {

std::vector<uint8_t> writeXm(const XmModule& module);

}  // namespace song
