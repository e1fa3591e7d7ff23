#include "soft/surface.h"

namespace soft {

SurfaceLayout& surfaceLayout()
{
    static SurfaceLayout layout;
    return layout;
}

}  // namespace soft
