#include "effects/wave_field.h"

// Placeholder until this part of the show draws.
void computeWaveField(float time) {}
void drawWaveField(float time, DisplayContext* context) {}
