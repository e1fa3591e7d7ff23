// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "scenes/box_animation.h"

#include <cmath>

namespace {

// The angles' common drift, t x 0.1 in single precision, and their wobbles.
constexpr float driftRate = 0.1f;
constexpr double wobbleRate = 0.1;
constexpr double cameraTiltWobble = 0.04;
constexpr double cameraTurnWobble = 0.05;
constexpr double cameraTurnWobbleRate = 0.08333333333333333;  // 1/12 per tick
constexpr float cameraTurnRate = 0.083333336f;                // 1/12 in single precision
constexpr double light0Wobble = 0.06;
constexpr double light1Wobble = 0.02;
constexpr double light1WobbleRate = 0.125;
constexpr double tiltStart = 0.02;  // radians at t = 0 of the camera tilt and both lights
constexpr double turnStart = 0.03;  // radians at t = 0 of the camera turn

constexpr double cameraDistance = 50.0;
constexpr double light0Radius = 40.0;  // each axis; 40 sqrt 2 about the vertical axis
constexpr double light1Near = 20.0;    // the two axes of light 1's circle about the z axis
constexpr double light1Far = 40.0;

// The two flashes of a beat.
constexpr int flashedBeats = 8;
constexpr float firstFlashDelay = 8.333333f;  // a quarter of a beat
constexpr float firstFlashEnd = 18.333332f;   // ticks after the beat
constexpr float firstFlashFall = 0.1f;        // per tick: 10 ticks long
constexpr double secondFlashDelay = 24.0;
constexpr double secondFlashEnd = 30.0;
constexpr float secondFlashFall = 0.16666667f;  // per tick: 6 ticks long

}  // namespace

BoxPose boxPose(float t)
{
    const float drift = t * driftRate;
    const double wobble = std::sin(t * wobbleRate);
    const double a1 = cameraTiltWobble * wobble + drift + tiltStart;
    const double a2 = cameraTurnWobble * std::sin(t * cameraTurnWobbleRate) + t * cameraTurnRate + turnStart;
    const double a3 = light0Wobble * wobble + drift + tiltStart;
    const double a4 = drift - light1Wobble * std::sin(t * light1WobbleRate) + tiltStart;

    BoxPose pose;
    const double e = -cameraDistance * std::sin(a1);
    pose.camera[2] = float(-cameraDistance * float(std::cos(a1)));
    pose.camera[0] = float(e * float(std::cos(a2)));
    pose.camera[1] = float(-(float(std::sin(a2)) * float(e)));

    const float cos3 = float(std::cos(a3));
    pose.light0X = float(light0Radius * cos3 + light0Radius * std::sin(a3));
    pose.light0Z = float(light0Radius * cos3 - light0Radius * std::sin(a3));

    const float cos4 = float(std::cos(a4));
    pose.light1X = float(light1Near * std::sin(a4) - light1Far * cos4);
    pose.light1Y = float(light1Near * cos4 + light1Far * std::sin(a4));
    return pose;
}

FlashLevel boxFlashLevel(float t)
{
    for (int b = 0; b < flashedBeats; ++b) {
        const double product = b * double(beat);  // kept unrounded for the first flash
        const float beatStart = float(product);
        const float firstStart = float(product + firstFlashDelay);
        if (firstStart < t && t < double(beatStart) + firstFlashEnd)
            return 1.0f - (t - firstStart) * firstFlashFall;
        const float secondStart = float(beatStart + secondFlashDelay);
        if (secondStart < t && t < beatStart + secondFlashEnd)
            return 1.0f - (t - secondStart) * secondFlashFall;
    }
    return std::nullopt;
}
