// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The display mode the demo sets: 640 x 480 pixels, 16 bits each.
#pragma once

constexpr int screenWidth = 640;
constexpr int screenHeight = 480;
