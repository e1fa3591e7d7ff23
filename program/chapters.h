// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The show's chapters: one for each span of its running order, named for what it shows.
#pragma once

#include "host/chapter.h"

namespace program {

// Built once from the timeline: a chapter starts at the first millisecond of show time
// whose counter value the timeline puts in the chapter's span (show time 0 being the
// demo's first reading of the counter). In order, the first at 0.
const host::Chapters& showChapters();

}  // namespace program
