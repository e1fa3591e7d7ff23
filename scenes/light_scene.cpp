#include "scenes/light_scene.h"

// Placeholder until this part of the show draws.
void loadLightScene(DisplayContext* context) {}
void drawLightScene(float time, DisplayContext* context) {}
void releaseLightScene(DisplayContext* context) {}
