// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// A modal dialog as the window manager shows it: where its parts lie on its picture,
// where the keyboard focus is, and what a key press or a click on them means.
#pragma once

#include "host/host.h"
#include "windows.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace soft::win32 {

using Rect = host::Area;

// A dialog and its controls as laid out from the template, in pixels.
struct DialogControl {
    int id = 0;
    std::string className;  // "button", "combobox", "static"
    int x = 0, y = 0, width = 0, height = 0;
    uint32_t style = 0;
    std::string text;
    std::vector<std::string> items;  // combo box entries
    int selection = -1;              // combo box selection, -1 for none
};

struct DialogView {
    std::string caption;
    int width = 0, height = 0;  // client area in pixels
    HFONT font = nullptr;       // the font of the controls' text, as the template names it
    std::vector<DialogControl> controls;
};

// Sizes of the parts the dialog template does not give, in pixels.
constexpr int dialogFrame = 2;       // raised border around the whole dialog
constexpr int captionHeight = 18;    // title bar above the client area
constexpr int closeBoxSize = 14;     // the title bar's close box, square
constexpr int comboArrowWidth = 16;  // the drop-down button at the combo box's right

// Where everything lies on the dialog's picture (the frame, the title bar and the
// client area below it). `fontHeight` is the height of a line of text.
struct DialogGeometry {
    int width = 0, height = 0;     // the whole picture
    int clientX = 0, clientY = 0;  // where client coordinate (0, 0) lies
    int fontHeight = 13;
    Rect caption, closeBox;

    DialogGeometry(const DialogView& view, int fontHeight);
    Rect controlRect(const DialogControl& control) const;  // as the template places it
    Rect comboField(const DialogControl& combo) const;     // the closed combo box
    Rect comboArrow(const DialogControl& combo) const;
    int listRowHeight() const { return fontHeight + 2; }
    // How many rows of the dropped list fit above the dialog's bottom edge.
    int listRows(const DialogControl& combo) const;
    Rect listRect(const DialogControl& combo) const;
    Rect listRow(const DialogControl& combo, int row) const;
};

const DialogControl* findCombo(const DialogView& view);
bool isClass(const DialogControl& control, const char* name);

// What the user does, in picture coordinates for the mouse: a key pressed or let go,
// the left button pressed or let go, the mouse moved, or the window asked to close.
struct DialogAction {
    enum Kind { keyDown, keyUp, press, release, hover, closeRequest } kind = keyDown;
    uint32_t virtualKey = 0;
    int x = 0, y = 0;
};

// A push button or the close box held down, by the mouse or by Space. It looks pushed
// in while held (and, for the mouse, while the mouse is over it) and acts only when let
// go: the mouse's button released over it, or Space released.
struct HeldDown {
    enum Part { nothing, button, closeBox } part = nothing;
    int control = -1;      // a button's index into the view's controls
    bool bySpace = false;  // else by the mouse
    bool pushedIn = false;

    bool operator==(const HeldDown&) const = default;
};

// The dialog's own state between two actions: the control with the keyboard focus,
// whether Shift is held, whether the combo box's list is dropped, which row is
// highlighted and which one is the top visible row, and what is held down.
struct DialogUiState {
    int focus = -1;  // index into the view's controls
    bool shift = false;
    bool dropped = false;
    int highlight = 0;
    int firstRow = 0;
    HeldDown held;

    bool operator==(const DialogUiState&) const = default;
};

// What the dialog's owner hears of an action: a new selection in the list, a button's
// command (Enter, Escape as Cancel, Space or a click) or WM_CLOSE (the close box, or
// the window asked to close).
struct DialogInput {
    enum Kind { select, command, close } kind = command;
    int control = 0;  // select: the combo box; command: the button pressed
    int value = 0;    // select: the new selection
};

// The first control Tab stops at: where the focus starts.
int firstTabStop(const DialogView& view);

// What `action` does to the dialog: at most one input for the dialog's owner, and
// whatever it changes of the dialog's own state.
std::optional<DialogInput> reactToDialog(const DialogView& view, const DialogGeometry& geometry, DialogUiState& state,
                                         const DialogAction& action);

}  // namespace soft::win32
