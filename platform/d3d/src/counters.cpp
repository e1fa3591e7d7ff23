#include "d3d_soft.h"

namespace soft {

Direct3DCounters& direct3DCounters()
{
    static Direct3DCounters counters;
    return counters;
}

void resetDirect3DCounters() { direct3DCounters() = Direct3DCounters{}; }

}  // namespace soft
