// One long line of greetings moving right to left across a black screen.
#pragma once

#include "display/display_context.h"

void drawGreetingsScroller(float time, DisplayContext* context);
