// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "dialog_ui.h"

#include "windows.h"

#include <algorithm>
#include <strings.h>

namespace soft::win32 {
namespace {

constexpr uint32_t vkF4 = 0x73;  // opens a drop-down list, as in Windows
constexpr uint32_t buttonTypeMask = 0xF;

int itemCount(const DialogControl& combo) { return int(combo.items.size()); }

bool isButton(const DialogControl& control) { return isClass(control, "button"); }

// The button Enter presses: the focused push button, else the default one, else OK.
int defaultButton(const DialogView& view, const DialogUiState& state)
{
    if (state.focus >= 0 && state.focus < int(view.controls.size()) && isButton(view.controls[state.focus]))
        return view.controls[state.focus].id;
    for (const DialogControl& control : view.controls)
        if (isButton(control) && (control.style & buttonTypeMask) == BS_DEFPUSHBUTTON)
            return control.id;
    return IDOK;
}

// The next control Tab stops at after the focused one (before it with Shift held).
int nextTabStop(const DialogView& view, int from, bool backwards)
{
    int count = int(view.controls.size());
    int at = from;
    for (int step = 0; step < count; ++step) {
        at = backwards ? (at <= 0 ? count - 1 : at - 1) : (at + 1) % count;
        if (view.controls[at].style & WS_TABSTOP)
            return at;
    }
    return from;
}

int indexOf(const DialogView& view, const DialogControl* control)
{
    return control ? int(control - view.controls.data()) : -1;
}

void keepHighlightVisible(const DialogGeometry& geometry, const DialogControl& combo, DialogUiState& state)
{
    int rows = geometry.listRows(combo);
    if (state.highlight < state.firstRow)
        state.firstRow = state.highlight;
    if (state.highlight >= state.firstRow + rows)
        state.firstRow = state.highlight - rows + 1;
    state.firstRow = std::clamp(state.firstRow, 0, std::max(0, itemCount(combo) - rows));
}

void dropList(const DialogGeometry& geometry, const DialogControl& combo, DialogUiState& state)
{
    state.dropped = true;
    state.highlight = std::clamp(combo.selection, 0, std::max(0, itemCount(combo) - 1));
    state.firstRow = 0;
    keepHighlightVisible(geometry, combo, state);
}

std::optional<DialogInput> choose(const DialogControl& combo, int item)
{
    if (item < 0 || item >= itemCount(combo) || item == combo.selection)
        return std::nullopt;
    return DialogInput{DialogInput::select, combo.id, item};
}

// Up and Down step through the items, from the first when nothing is selected.
int stepped(int from, uint32_t key, int count)
{
    if (from < 0 || from >= count)
        return 0;
    return std::clamp(from + (key == VK_DOWN ? 1 : -1), 0, count - 1);
}

std::optional<DialogInput> keyInDroppedList(const DialogGeometry& geometry, const DialogControl& combo,
                                            DialogUiState& state, uint32_t key)
{
    if (key == VK_UP || key == VK_DOWN) {
        state.highlight = stepped(state.highlight, key, itemCount(combo));
        keepHighlightVisible(geometry, combo, state);
        return std::nullopt;
    }
    if (key == VK_RETURN || key == vkF4) {
        state.dropped = false;
        return choose(combo, state.highlight);
    }
    if (key == VK_ESCAPE)
        state.dropped = false;
    return std::nullopt;
}

std::optional<DialogInput> key(const DialogView& view, const DialogGeometry& geometry, DialogUiState& state,
                               uint32_t key)
{
    const DialogControl* combo = findCombo(view);
    if (key == VK_SHIFT)
        state.shift = true;
    if (combo && state.dropped)
        return keyInDroppedList(geometry, *combo, state, key);
    if (key == VK_TAB)
        state.focus = nextTabStop(view, state.focus, state.shift);
    if (key == VK_RETURN)
        return DialogInput{DialogInput::command, defaultButton(view, state), 0};
    // Space pushes the focused button in; it acts when Space is let go.
    if (key == VK_SPACE && state.focus >= 0 && isButton(view.controls[state.focus]) &&
        state.held.part == HeldDown::nothing)
        state.held = HeldDown{HeldDown::button, state.focus, true, true};
    if (key == VK_ESCAPE)  // Cancel, whether or not the dialog has a Cancel button
        return DialogInput{DialogInput::command, IDCANCEL, 0};
    if (!combo || combo->items.empty())
        return std::nullopt;
    // Up and Down pick from the dialog's one list wherever the focus is.
    if (key == VK_UP || key == VK_DOWN)
        return choose(*combo, stepped(combo->selection, key, itemCount(*combo)));
    if (key == vkF4) {
        state.focus = indexOf(view, combo);
        dropList(geometry, *combo, state);
    }
    return std::nullopt;
}

std::optional<DialogInput> keyUp(const DialogView& view, DialogUiState& state, uint32_t key)
{
    if (key == VK_SHIFT)
        state.shift = false;
    if (key != VK_SPACE || !state.held.bySpace)
        return std::nullopt;
    int control = state.held.control;
    state.held = {};
    return DialogInput{DialogInput::command, view.controls[control].id, 0};
}

std::optional<DialogInput> press(const DialogView& view, const DialogGeometry& geometry, DialogUiState& state, int x,
                                 int y)
{
    const DialogControl* combo = findCombo(view);
    if (combo && state.dropped) {
        // A click anywhere closes the list; on a row it also picks that row.
        state.dropped = false;
        int rows = geometry.listRows(*combo);
        for (int row = 0; row < rows && state.firstRow + row < itemCount(*combo); ++row)
            if (geometry.listRow(*combo, row).contains(x, y))
                return choose(*combo, state.firstRow + row);
        return std::nullopt;
    }
    if (geometry.closeBox.contains(x, y)) {
        state.held = HeldDown{HeldDown::closeBox, -1, false, true};
        return std::nullopt;
    }
    for (const DialogControl& control : view.controls) {
        if (isButton(control) && geometry.controlRect(control).contains(x, y)) {
            state.focus = indexOf(view, &control);
            state.held = HeldDown{HeldDown::button, state.focus, false, true};
            return std::nullopt;
        }
        if (&control == combo && geometry.comboField(control).contains(x, y)) {
            state.focus = indexOf(view, &control);
            if (!control.items.empty())
                dropList(geometry, control, state);
            return std::nullopt;
        }
    }
    return std::nullopt;
}

// Where the mouse holds a button or the close box down, the area that pushes it in.
Rect heldArea(const DialogView& view, const DialogGeometry& geometry, const HeldDown& held)
{
    return held.part == HeldDown::closeBox ? geometry.closeBox : geometry.controlRect(view.controls[held.control]);
}

// Letting go of the mouse's button over what it holds down is what clicks it.
std::optional<DialogInput> release(const DialogView& view, const DialogGeometry& geometry, DialogUiState& state, int x,
                                   int y)
{
    if (state.held.part == HeldDown::nothing || state.held.bySpace)
        return std::nullopt;
    HeldDown held = state.held;
    state.held = {};
    if (!heldArea(view, geometry, held).contains(x, y))
        return std::nullopt;
    if (held.part == HeldDown::closeBox)
        return DialogInput{DialogInput::close, 0, 0};
    return DialogInput{DialogInput::command, view.controls[held.control].id, 0};
}

// A button held by the mouse looks pushed in while the mouse is over it; the row under
// the mouse of a dropped list is the highlighted one, as in Windows.
void hover(const DialogView& view, const DialogGeometry& geometry, DialogUiState& state, int x, int y)
{
    if (state.held.part != HeldDown::nothing && !state.held.bySpace)
        state.held.pushedIn = heldArea(view, geometry, state.held).contains(x, y);
    const DialogControl* combo = findCombo(view);
    if (!combo || !state.dropped)
        return;
    int rows = geometry.listRows(*combo);
    for (int row = 0; row < rows && state.firstRow + row < itemCount(*combo); ++row)
        if (geometry.listRow(*combo, row).contains(x, y))
            state.highlight = state.firstRow + row;
}

std::optional<DialogInput> takeAction(const DialogView& view, const DialogGeometry& geometry, DialogUiState& state,
                                      const DialogAction& action)
{
    switch (action.kind) {
    case DialogAction::keyDown:
        return key(view, geometry, state, action.virtualKey);
    case DialogAction::keyUp:
        return keyUp(view, state, action.virtualKey);
    case DialogAction::press:
        return press(view, geometry, state, action.x, action.y);
    case DialogAction::release:
        return release(view, geometry, state, action.x, action.y);
    case DialogAction::hover:
        hover(view, geometry, state, action.x, action.y);
        return std::nullopt;
    case DialogAction::closeRequest:
        state.dropped = false;
        state.held = {};
        return DialogInput{DialogInput::close, 0, 0};
    }
    return std::nullopt;
}

}  // namespace

DialogGeometry::DialogGeometry(const DialogView& view, int lineHeight)
    : width(view.width + 2 * dialogFrame), height(view.height + captionHeight + 2 * dialogFrame), clientX(dialogFrame),
      clientY(dialogFrame + captionHeight),
      fontHeight(lineHeight), caption{dialogFrame, dialogFrame, view.width, captionHeight - 1},
      closeBox{dialogFrame + view.width - closeBoxSize - 2, dialogFrame + (captionHeight - 1 - closeBoxSize) / 2,
               closeBoxSize, closeBoxSize}
{ }

Rect DialogGeometry::controlRect(const DialogControl& control) const
{
    return Rect{clientX + control.x, clientY + control.y, control.width, control.height};
}

// The template's height of a drop-down combo box is that of its dropped list; the
// closed box is one line of text with a border.
Rect DialogGeometry::comboField(const DialogControl& combo) const
{
    Rect r = controlRect(combo);
    r.height = std::min(r.height, fontHeight + 8);
    return r;
}

Rect DialogGeometry::comboArrow(const DialogControl& combo) const
{
    Rect field = comboField(combo);
    return Rect{field.x + field.width - 2 - comboArrowWidth, field.y + 2, comboArrowWidth, field.height - 4};
}

int DialogGeometry::listRows(const DialogControl& combo) const
{
    Rect field = comboField(combo);
    int below = height - dialogFrame - (field.y + field.height) - 2;  // 2: the list's border
    int fitting = std::max(1, below / listRowHeight());
    return std::max(1, std::min(int(combo.items.size()), fitting));
}

Rect DialogGeometry::listRect(const DialogControl& combo) const
{
    Rect field = comboField(combo);
    return Rect{field.x, field.y + field.height, field.width, listRows(combo) * listRowHeight() + 2};
}

Rect DialogGeometry::listRow(const DialogControl& combo, int row) const
{
    Rect list = listRect(combo);
    return Rect{list.x + 1, list.y + 1 + row * listRowHeight(), list.width - 2, listRowHeight()};
}

const DialogControl* findCombo(const DialogView& view)
{
    for (const DialogControl& control : view.controls)
        if (isClass(control, "combobox"))
            return &control;
    return nullptr;
}

bool isClass(const DialogControl& control, const char* name)
{
    return strcasecmp(control.className.c_str(), name) == 0;
}

int firstTabStop(const DialogView& view) { return nextTabStop(view, -1, false); }

std::optional<DialogInput> reactToDialog(const DialogView& view, const DialogGeometry& geometry, DialogUiState& state,
                                         const DialogAction& action)
{
    std::optional<DialogInput> input = takeAction(view, geometry, state, action);
    // A button Space holds down lets go without acting when it loses the focus.
    if (state.held.bySpace && state.held.control != state.focus)
        state.held = {};
    return input;
}

}  // namespace soft::win32
