#include "scenes/house_scene.h"

// Placeholder until this part of the show draws.
void loadHouseScene(DisplayContext* context) {}
void drawHouseScene(float time, DisplayContext* context) {}
void releaseHouseScene(DisplayContext* context) {}
