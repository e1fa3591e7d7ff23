// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The end of every frame: close the 3D scene, flip, open the next scene, and empty
// the thread's message queue so that the window sees the keyboard.
#pragma once

#include "display/display_context.h"

void presentFrame(DisplayContext* context);
void pumpMessages();
