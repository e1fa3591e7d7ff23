#include "pixel_reduction.h"

#include "d3d_raster.h"

namespace soft::d3d {
namespace {

constexpr int phaseCount = ditherSize * ditherSize;

struct ReductionTables {
    // [bits - 5][phase], and the plain drop of low bits after the phases.
    ReductionTable dithered[2][phaseCount];
    ReductionTable dropped[2];

    ReductionTables()
    {
        for (int bits = 5; bits <= 6; ++bits) {
            for (int value = 0; value < 256; ++value)
                dropped[bits - 5][value] = uint8_t(value >> (8 - bits));
            for (int phase = 0; phase < phaseCount; ++phase)
                fillDithered(dithered[bits - 5][phase], bits, phase);
        }
    }

    // A value lying a fraction f of the way from level k's 8-bit value to level k + 1's
    // becomes k + 1 when f passes the phase's threshold. Values that are exactly a
    // level stay that level, so an unchanged pixel survives a blend at alpha 0.
    static void fillDithered(ReductionTable& table, int bits, int phase)
    {
        const int top = (1 << bits) - 1;
        const double threshold = (phase + 0.5) / phaseCount;
        int level = 0;
        for (int value = 0; value < 256; ++value) {
            while (level < top && expandLevel(level + 1, bits) <= value)
                ++level;
            int result = level;
            if (level < top) {
                int low = expandLevel(level, bits);
                double fraction = double(value - low) / double(expandLevel(level + 1, bits) - low);
                if (fraction > threshold)
                    ++result;
            }
            table[value] = uint8_t(result);
        }
    }
};

const ReductionTables& tables()
{
    static const ReductionTables instance;
    return instance;
}

} // namespace

const ReductionTable& reductionTable(int bits, bool dither, int phase)
{
    return dither ? tables().dithered[bits - 5][phase] : tables().dropped[bits - 5];
}

} // namespace soft::d3d

namespace soft {

int reduceChannel(int value8, int bits, bool dither, int x, int y)
{
    int phase = d3d::bayerMatrix[y & 3][x & 3];
    return d3d::reductionTable(bits, dither, phase)[value8];
}

} // namespace soft
