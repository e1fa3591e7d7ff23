// Two sets of dashed rings drifting over each other into a moire.
#pragma once

#include "display/display_context.h"

void drawCircleInterference(float time, DisplayContext* context);
