// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Show time as people write it: seconds ("61.2") or minutes and seconds ("1:01.2"),
// read to the millisecond. Show time 0 is the demo's first reading of the tick counter.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace program {

// The show lasts 110 s; no moment of it lies at or after this.
constexpr uint32_t showLengthMs = 110000;

// "61.2", "61", "61.234", "1:01.2" or "0:05" in milliseconds. Nothing is returned for
// what is not a time, a negative time, more than three decimals (finer than a
// millisecond), seconds of 60 or more after minutes, or a time of 110 s or more.
std::optional<uint32_t> parseShowTime(std::string_view text);

// "61.234" with trailing zeros dropped ("61.2", "61"): a time that parseShowTime reads
// back to the same millisecond, and that a file name can carry.
std::string formatSeconds(uint32_t ms);

// "1:01.2": minutes, seconds and tenths (truncated, as a clock shows them), for titles.
std::string formatClock(uint32_t ms);

}  // namespace program
