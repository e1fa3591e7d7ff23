// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "song/song.h"

#include "song/arrangement.h"
#include "song/instruments.h"
#include "song/xm_writer.h"

#include <algorithm>

namespace {

using namespace song;

constexpr int speed = 6;         // ticks a row
constexpr int bpm = 144;         // 57.6 ticks a second: 9.6 rows a second, a 16-row bar each beat of the show
constexpr int restartOrder = 0;  // the closing bar fades to silence, so the loop returns to the quiet intro

// Cuts the song's grid into one pattern a bar, storing each distinct bar once.
void addPatterns(XmModule& module, const Arrangement& arrangement)
{
    for (int bar = 0; bar < showBars; ++bar) {
        XmPattern pattern(rowsPerBar, channelCount);
        for (int row = 0; row < rowsPerBar; ++row)
            for (int channel = 0; channel < channelCount; ++channel)
                pattern.at(row, channel) = arrangement.at(bar * rowsPerBar + row, channel);
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
    module.speed = speed;
    module.bpm = bpm;
    module.restartPosition = restartOrder;
    const Arrangement arrangement = arrangeSong();
    if (arrangement.rows == showBars * rowsPerBar)
        addPatterns(module, arrangement);
    module.instruments = buildInstruments();
    return writeXm(module);
}
