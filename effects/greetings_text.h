// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The greetings line: 124 blanks, the message with its letters spread out (one space
// between letters, three between words), then 124 blanks, so that the scroller starts
// and ends on an empty screen.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace greetings {

constexpr std::string_view message =
    "Greetings to all sceners, coders, musicians and pixel artists who keep old demos alive, "
    "to the archivists who save every disk and to the emulator writers who make 1 more "
    "machine live again. Thank You!";

constexpr size_t blankMargin = 124;  // more than the 80 characters on screen
constexpr size_t letterGap = 1;
constexpr size_t wordGap = 3;

constexpr bool isLetterOrDigit(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Writes the spread-out message through `put` and returns its length. Punctuation
// sits right after the letter before it, unspaced, and that is what makes the length
// fit: spread out evenly, a word of m characters takes 2m - 1 and a gap between words
// 3, so any text comes out odd, and the scroller's 394 is reachable only with some
// marks left unspaced.
template <typename Put>
constexpr size_t spreadMessage(Put put)
{
    size_t n = 0;
    bool wordStarted = false;
    for (char c : message) {
        if (c == ' ') {
            for (size_t i = 0; i < wordGap; ++i)
                put(n++, ' ');
            wordStarted = false;
            continue;
        }
        if (wordStarted && isLetterOrDigit(c))
            for (size_t i = 0; i < letterGap; ++i)
                put(n++, ' ');
        put(n++, c);
        wordStarted = true;
    }
    return n;
}

constexpr size_t spreadLength = spreadMessage([](size_t, char) {});
static_assert(spreadLength == 394, "the scroller's timing is tuned to a 394-character message");

constexpr size_t lineLength = blankMargin + spreadLength + blankMargin;

constexpr std::array<char, lineLength + 1> buildLine()
{
    std::array<char, lineLength + 1> line{};
    for (size_t i = 0; i < lineLength; ++i)
        line[i] = ' ';
    spreadMessage([&line](size_t i, char c) { line[blankMargin + i] = c; });
    line[lineLength] = '\0';
    return line;
}

}  // namespace greetings

// The whole line, zero-terminated: 642 characters.
inline constexpr std::array<char, greetings::lineLength + 1> GreetingsText = greetings::buildLine();
