#include "scenes/box_scene.h"

// Placeholder until this part of the show draws.
void loadBoxScene(DisplayContext* context) {}
void drawBoxScene(float time, DisplayContext* context) {}
void releaseBoxScene(DisplayContext* context) {}
