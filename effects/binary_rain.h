// The opening effect: columns of green binary digits scrolling up under the title overlay.
#pragma once

#include "display/display_context.h"

void initBinaryRain(DisplayContext* context);
void drawBinaryRain(float time, DisplayContext* context);
