// The first 3D scene: an orbiting camera around a swelling house, with flashes on the beat.
#pragma once

#include "display/display_context.h"

void loadHouseScene(DisplayContext* context);
void drawHouseScene(float time, DisplayContext* context);
void releaseHouseScene(DisplayContext* context);
