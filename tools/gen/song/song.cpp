#include "song/song.h"

#include "song/arrangement.h"
#include "song/instruments.h"
#include "song/xm_writer.h"

#include <algorithm>

namespace {

using namespace song;

constexpr int kSpeed = 6;         // ticks a row
constexpr int kBpm = 144;         // 57.6 ticks a second: 9.6 rows a second, a 16-row bar each beat of the show
constexpr int kRestartOrder = 0;  // the closing bar fades to silence, so the loop returns to the quiet intro

// Cuts the song's grid into one pattern a bar, storing each distinct bar once.
void addPatterns(XmModule& module, const Arrangement& arrangement)
{
    for (int bar = 0; bar < kBars; ++bar) {
        XmPattern pattern(kRowsPerBar, channelCount);
        for (int row = 0; row < kRowsPerBar; ++row)
            for (int channel = 0; channel < channelCount; ++channel)
                pattern.at(row, channel) = arrangement.at(bar * kRowsPerBar + row, channel);
        const auto known = std::find(module.patterns.begin(), module.patterns.end(), pattern);
        module.orders.push_back(uint8_t(known - module.patterns.begin()));
        if (known == module.patterns.end())
            module.patterns.push_back(std::move(pattern));
    }
}

}  // namespace

std::vector<uint8_t> composeBackXm()
{
    XmModule module;
    module.name = "back";
    module.tracker = "mornakle gen";
    module.channels = channelCount;
    module.speed = kSpeed;
    module.bpm = kBpm;
    module.restartPosition = kRestartOrder;
    const Arrangement arrangement = arrangeSong();
    if (arrangement.rows == kBars * kRowsPerBar)
        addPatterns(module, arrangement);
    module.instruments = buildInstruments();
    return writeXm(module);
}
