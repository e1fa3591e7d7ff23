// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// One reader per kind of file; each prints one JSON object on standard output and
// returns the process exit code (0 read, 1 refused, with one line on stderr).
#pragma once

int inspectScene(const char* path);   // .3ds
int inspectBitmap(const char* path);  // .bmp
int inspectSong(const char* path);    // .xm and every other song the player reads
