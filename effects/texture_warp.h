// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// A full-screen texture scrolling diagonally while sine waves bend it, at half resolution.
#pragma once

#include "display/display_context.h"

void initTextureWarp();
void drawTextureWarp(float time, DisplayContext* context);
