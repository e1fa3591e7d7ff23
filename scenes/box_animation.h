// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The box scene's per-frame decisions, each a function of the local time alone: where
// the camera and the two circling lights are, and the level of the white flash.
#pragma once

#include "scenes/scene_beat.h"

struct BoxPose {
    float camera[3];         // on the sphere of radius 50 about the origin
    float light0X, light0Z;  // light 0 circles the vertical axis at its loaded height
    float light1X, light1Y;  // light 1 circles the z axis at its loaded depth
};
BoxPose boxPose(float t);

// A flash a quarter of a beat after each beat, falling over 10 ticks, and a second one
// 24 ticks after the beat, falling over 6 ticks.
FlashLevel boxFlashLevel(float t);
