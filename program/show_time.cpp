// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "show_time.h"

#include <cstdio>

namespace program {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Digits only, at most `maxDigits` of them (enough to refuse overflow), at least one.
std::optional<uint64_t> readWhole(std::string_view digits, size_t maxDigits)
{
    if (digits.empty() || digits.size() > maxDigits)
        return std::nullopt;
    uint64_t value = 0;
    for (char c : digits) {
        if (!isDigit(c))
            return std::nullopt;
        value = value * 10 + uint64_t(c - '0');
    }
    return value;
}

// "SS", "SS." or "SS.fff" in milliseconds.
std::optional<uint64_t> readSeconds(std::string_view text)
{
    size_t dot = text.find('.');
    std::optional<uint64_t> whole = readWhole(text.substr(0, dot), 9);
    if (!whole)
        return std::nullopt;
    uint64_t ms = *whole * 1000;
    if (dot == std::string_view::npos)
        return ms;
    std::string_view fraction = text.substr(dot + 1);
    if (fraction.size() > 3)
        return std::nullopt;
    uint64_t scale = 100;
    for (char c : fraction) {
        if (!isDigit(c))
            return std::nullopt;
        ms += uint64_t(c - '0') * scale;
        scale /= 10;
    }
    return ms;
}

}  // namespace

std::optional<uint32_t> parseShowTime(std::string_view text)
{
    size_t colon = text.find(':');
    std::optional<uint64_t> ms;
    if (colon == std::string_view::npos) {
        ms = readSeconds(text);
    } else {
        std::optional<uint64_t> minutes = readWhole(text.substr(0, colon), 9);
        std::string_view rest = text.substr(colon + 1);
        // Two digits of seconds under 60 after the minutes, as a clock writes them.
        std::optional<uint64_t> seconds = readSeconds(rest);
        if (!minutes || !seconds || rest.size() < 2 || !isDigit(rest[0]) || !isDigit(rest[1]) ||
            (rest.size() > 2 && rest[2] != '.') || *seconds >= 60000)
            return std::nullopt;
        ms = *minutes * 60000 + *seconds;
    }
    if (!ms || *ms >= showLengthMs)
        return std::nullopt;
    return uint32_t(*ms);
}

std::string formatSeconds(uint32_t ms)
{
    char text[32];
    std::snprintf(text, sizeof text, "%u.%03u", ms / 1000, ms % 1000);
    std::string result = text;
    while (result.back() == '0')
        result.pop_back();
    if (result.back() == '.')
        result.pop_back();
    return result;
}

std::string formatClock(uint32_t ms)
{
    char text[32];
    std::snprintf(text, sizeof text, "%u:%02u.%u", ms / 60000, ms / 1000 % 60, ms / 100 % 10);
    return text;
}

}  // namespace program
