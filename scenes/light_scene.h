// The light-beam scene: a wireframe lattice, a moving light and a bouncing swarm of tetrahedra.
#pragma once

#include "display/display_context.h"

void loadLightScene(DisplayContext* context);
void drawLightScene(float time, DisplayContext* context);
void releaseLightScene(DisplayContext* context);
