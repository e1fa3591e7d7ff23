// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// One long line of greetings moving right to left across a black screen.
#pragma once

#include "display/display_context.h"

constexpr int greetingsWindowChars = 80;  // characters on screen at once

// The first character on screen at local time t: the window runs from the line's
// start to its last 80 characters over the eight beats of the span.
int greetingsScrollPosition(float time);

void drawGreetingsScroller(float time, DisplayContext* context);
