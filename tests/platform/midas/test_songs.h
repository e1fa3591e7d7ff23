// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Small songs for the sound library's tests: Extended Modules written by the song
// generator's own writer, a few rows of a short arpeggio on a looped waveform.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TestSong {
    int orders = 2;           // order-list entries, each the one pattern
    int restartPosition = 0;  // where a looping song starts again
    int rows = 16;            // rows in the pattern
    int speed = 3;            // ticks per row
    int bpm = 125;
    bool notes = true;  // false leaves every row empty: the song is silence
};

std::vector<uint8_t> makeXm(const TestSong& song);

// The length of one pass through the song at 44.1 kHz: a tick lasts 2.5 / bpm seconds.
int songFrames(const TestSong& song);

// Where the running test keeps its files: a folder of its own in the build folder, made
// if missing (wherever the test was started, and however many run at once).
std::string testFilePath(const std::string& name);
// Writes `bytes` to a fresh file there and returns its path.
std::string writeTestFile(const std::string& name, const std::vector<uint8_t>& bytes);
