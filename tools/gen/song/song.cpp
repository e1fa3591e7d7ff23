#include "song/song.h"

#include "song/xm_writer.h"

#include <cmath>

// First cut: one sine instrument and one bar, repeated for the whole show.
std::vector<uint8_t> composeBackXm()
{
    using namespace song;
    XmModule module;
    module.name = "back";
    module.tracker = "mornakle gen";
    module.channels = 8;
    module.speed = 6;
    module.bpm = 144;

    XmSample sine;
    sine.name = "sine";
    const int period = 128;
    for (int i = 0; i < period; ++i)
        sine.frames.push_back(int16_t(std::lround(8000 * std::sin(2 * M_PI * i / period))));
    sine.loop = XmLoop::forward;
    sine.loopLength = period;
    sine.relativeNote = 24;
    XmInstrument instrument;
    instrument.name = "sine";
    instrument.samples.push_back(sine);
    instrument.volumeEnvelope.points = {{0, 64}, {8, 0}};
    module.instruments.push_back(instrument);

    XmPattern bar(16, module.channels);
    for (int row = 0; row < 16; row += 4)
        bar.at(row, 0) = XmCell{49, 1, 0, 0, 0};
    module.patterns.push_back(bar);
    module.orders.assign(66, 0);
    return writeXm(module);
}
