#include "display/display_context.h"

int32_t is555 = 0;
