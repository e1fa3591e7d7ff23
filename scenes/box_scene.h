// The second 3D scene: boxes in a window over a picture, with circling lights.
#pragma once

#include "display/display_context.h"

void loadBoxScene(DisplayContext* context);
void drawBoxScene(float time, DisplayContext* context);
void releaseBoxScene(DisplayContext* context);
