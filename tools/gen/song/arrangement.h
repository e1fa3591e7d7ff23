// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#pragma once
// The running order of the soundtrack: one sixteen-row bar per beat of the show, the sections
// following the scenes, and every part (drums, bass, lead and its echo, arpeggio, pads, stabs)
// written into one grid of rows by channels.

#include "song/xm_module.h"

#include <vector>

namespace song {

inline constexpr int rowsPerBar = 16;
inline constexpr int showBars = 66;  // one bar for each beat of the show

enum Channel : int {
    kickChannel,
    snareChannel,
    hatChannel,
    bassChannel,
    leadChannel,
    echoChannel,
    arpChannel,
    padChannelA,
    padChannelB,
    stabChannel,
    channelCount
};

struct Arrangement {
    int rows = 0;               // showBars * rowsPerBar
    std::vector<XmCell> cells;  // rows * channelCount, row by row
    XmCell& at(int row, int channel) { return cells[size_t(row) * channelCount + size_t(channel)]; }
    const XmCell& at(int row, int channel) const { return cells[size_t(row) * channelCount + size_t(channel)]; }
};

Arrangement arrangeSong();

}  // namespace song
