#include "effects/circle_interference.h"

// Placeholder until this part of the show draws.
void drawCircleInterference(float time, DisplayContext* context) {}
