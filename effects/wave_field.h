// A rippling field of blue shades from sums of sines, smoothed by halving interpolation.
#pragma once

#include "display/display_context.h"

void computeWaveField(float time);
void drawWaveField(float time, DisplayContext* context);
