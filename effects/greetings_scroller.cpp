#include "effects/greetings_scroller.h"

// Placeholder until this part of the show draws.
void drawGreetingsScroller(float time, DisplayContext* context) {}
