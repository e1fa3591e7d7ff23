#include "effects/fades.h"

// Placeholder until the fades draw.
void drawWhiteFade(float, DisplayContext*) {}
void drawBlackFade(float, DisplayContext*) {}
