// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The program's icon for desktops: a rounded tile of night sky with ripples and a
// chrome M, painted at 256 x 256 and reduced by area averaging.
#pragma once

#include <cstdint>
#include <vector>

struct IconImage {
    int size = 0;
    std::vector<uint8_t> rgba;  // size x size pixels, straight (not premultiplied) alpha
};

IconImage paintIcon(int size);  // size divides 256
