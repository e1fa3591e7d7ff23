// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Draws a modal dialog with GDI: its controls in the dialog's font, its title bar in the
// font of captions.
#pragma once

#include "dialog_ui.h"
#include "soft/surface.h"

namespace soft::win32 {

// The dialog's whole picture: frame, title bar, controls and the dropped list.
void paintDialog(soft::SurfaceMemory& picture, const DialogView& view, const DialogGeometry& geometry,
                 const DialogUiState& state);

// The height of a line in a dialog's font.
int dialogLineHeight(HFONT font);

}  // namespace soft::win32
