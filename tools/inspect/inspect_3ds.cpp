#include "inspect.h"

#include <cstdio>

// Placeholder until this reader lands.
int inspectScene(const char* path)
{
    std::fprintf(stderr, "mornakle-inspect: %s: this kind of file is not supported yet\n", path);
    return 1;
}
