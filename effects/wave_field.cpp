// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "effects/wave_field.h"

#include "display/screen.h"

#include <cmath>
#include <cstring>

uint16_t waveField[waveFieldRows * waveFieldColumns];

namespace {

constexpr int sampleSpacing = 4;             // the wave is sampled on every fourth row and column
constexpr float driftPerTick = 0.05882353f;  // about 1/17: a drift common to every point
constexpr int waveLevels = 15;               // trunc(15 sin) + 15: 0..30

// The window on the back buffer: 213 rows from y 88, 253 values a row from x 365.
constexpr RECT waveWindowRows = {0, 88, screenWidth, 301};
constexpr int waveWindowLeft = 365;
constexpr int waveWindowWidth = 253;

uint16_t* fieldRow(int row) { return waveField + row * waveFieldColumns; }

// Each value is half of each neighbour, each half taken by a shift before the sum.
inline uint16_t halfAndHalf(uint16_t a, uint16_t b) { return uint16_t((a >> 1) + (b >> 1)); }

// The sampled value trunc(15 sin(R + X)), with R the row term and X the column's sum,
// comes from sin(R + X) = sin R cos X + cos R sin X, so that a frame takes sines only
// once per sampled row and column. That product differs from the sine of the summed
// angle by far less than 1e-12; where it lies that close to a whole number, the
// truncation could go either way and the sine of the angle itself decides.
constexpr double nearWhole = 1e-9;

int sampleValue(double product, double rowTerm, double fixedWave, double travellingWave, double drift)
{
    const double level = waveLevels * product;
    const double fraction = level - int(level);
    if (std::abs(fraction) < nearWhole || std::abs(fraction) > 1 - nearWhole)
        return int(waveLevels * std::sin(rowTerm + fixedWave + travellingWave + drift)) + waveLevels;
    return int(level) + waveLevels;
}

void sampleRows(double t)
{
    constexpr int sampledColumns = (waveFieldColumns - 1) / sampleSpacing + 1;  // 54
    double fixedWave[sampledColumns], travellingWave[sampledColumns];
    double sinColumn[sampledColumns], cosColumn[sampledColumns];
    const double drift = double(driftPerTick) * t;
    for (int c = 0; c < sampledColumns; ++c) {
        const int k = c * sampleSpacing;
        fixedWave[c] = 5 * std::sin(k / 15.0);
        travellingWave[c] = 4 * std::sin((k + 2 * t) / 9);
        const double columnSum = fixedWave[c] + travellingWave[c] + drift;
        sinColumn[c] = std::sin(columnSum);
        cosColumn[c] = std::cos(columnSum);
    }

    for (int b = 0; b < waveFieldRows; b += sampleSpacing) {
        const double rowTerm = 6 * (std::sin(b / 16.0) + std::sin((b + 1.8 * t) / 12));
        const double sinRow = std::sin(rowTerm), cosRow = std::cos(rowTerm);
        uint16_t* row = fieldRow(b);
        for (int c = 0; c < sampledColumns; ++c) {
            const double product = sinRow * cosColumn[c] + cosRow * sinColumn[c];
            row[c * sampleSpacing] = uint16_t(sampleValue(product, rowTerm, fixedWave[c], travellingWave[c], drift));
        }
        for (int k = 2; k < waveFieldColumns; k += sampleSpacing)
            row[k] = halfAndHalf(row[k - 2], row[k + 2]);
        for (int k = 1; k < waveFieldColumns; k += 2)
            row[k] = halfAndHalf(row[k - 1], row[k + 1]);
    }
}

void interpolateRows(int first, int distance)
{
    for (int b = first; b < waveFieldRows; b += 2 * distance) {
        const uint16_t* above = fieldRow(b - distance);
        const uint16_t* below = fieldRow(b + distance);
        uint16_t* row = fieldRow(b);
        for (int k = 0; k < waveFieldColumns; ++k)
            row[k] = halfAndHalf(above[k], below[k]);
    }
}

}  // namespace

void computeWaveField(float time)
{
    sampleRows(time);
    interpolateRows(2, 2);  // rows 2, 6, ..., 250 from the sampled rows
    interpolateRows(1, 1);  // the odd rows from their even neighbours
}

// Each screen row takes 253 consecutive values from the start of its field row, so
// its last 40 pixels show the beginning of the next field row.
void drawWaveField(float time, DisplayContext* context)
{
    computeWaveField(time);

    IDirectDrawSurface* back = context->backSurface;
    RECT window = waveWindowRows;
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(DDSURFACEDESC);
    if (back->Lock(&window, &desc, DDLOCK_WAIT, nullptr) != DD_OK)
        return;
    auto* pixels = static_cast<uint16_t*>(desc.lpSurface);
    const int pitchPixels = desc.lPitch / 2;
    const int windowRows = waveWindowRows.bottom - waveWindowRows.top;
    for (int i = 0; i < windowRows; ++i)
        std::memcpy(pixels + i * pitchPixels + waveWindowLeft, waveField + i * waveFieldColumns,
                    waveWindowWidth * sizeof(uint16_t));
    back->Unlock(desc.lpSurface);
}
