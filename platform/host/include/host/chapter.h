// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// A chapter of the show as a host offers it to the viewer: where it starts and what it
// shows. The program makes the table from the show's running order and hands it over
// as data; hosts know nothing else of the show.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace host {

struct Chapter {
    uint32_t startMs = 0;  // show time of its first frame's counter value, 0 at the show's start
    std::string name;
};

using Chapters = std::vector<Chapter>;

}  // namespace host
