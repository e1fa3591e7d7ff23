#include "effects/binary_rain.h"

// Placeholder until this part of the show draws.
void initBinaryRain(DisplayContext* context) {}
void drawBinaryRain(float time, DisplayContext* context) {}
