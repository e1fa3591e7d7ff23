#include "effects/texture_warp.h"

// Placeholder until this part of the show draws.
void initTextureWarp() {}
void drawTextureWarp(float time, DisplayContext* context) {}
