#include "dialog_ui.h"

#include <algorithm>
#include <strings.h>

namespace host::sdl {
namespace {

constexpr uint32_t vkReturn = 0x0D;
constexpr uint32_t vkEscape = 0x1B;
constexpr uint32_t vkUp = 0x26;
constexpr uint32_t vkDown = 0x28;
constexpr uint32_t vkF4 = 0x73;              // opens a drop-down list, as in Windows
constexpr int idOk = 1;                      // IDOK
constexpr uint32_t defaultPushButton = 0x1;  // BS_DEFPUSHBUTTON
constexpr uint32_t buttonTypeMask = 0xF;

bool contains(const Rect& r, int x, int y) { return x >= r.x && y >= r.y && x < r.x + r.width && y < r.y + r.height; }

bool isClass(const DialogControl& control, const char* name)
{
    return strcasecmp(control.className.c_str(), name) == 0;
}

int itemCount(const DialogControl& combo) { return int(combo.items.size()); }

// The button Enter presses: the default push button, else OK.
int defaultButton(const DialogView& view)
{
    for (const DialogControl& control : view.controls)
        if (isClass(control, "button") && (control.style & buttonTypeMask) == defaultPushButton)
            return control.id;
    return idOk;
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
    return std::clamp(from + (key == vkDown ? 1 : -1), 0, count - 1);
}

std::optional<DialogInput> keyInDroppedList(const DialogGeometry& geometry, const DialogControl& combo,
                                            DialogUiState& state, uint32_t key)
{
    if (key == vkUp || key == vkDown) {
        state.highlight = stepped(state.highlight, key, itemCount(combo));
        keepHighlightVisible(geometry, combo, state);
        return std::nullopt;
    }
    if (key == vkReturn || key == vkF4) {
        state.dropped = false;
        return choose(combo, state.highlight);
    }
    if (key == vkEscape)
        state.dropped = false;
    return std::nullopt;
}

std::optional<DialogInput> key(const DialogView& view, const DialogGeometry& geometry, DialogUiState& state,
                               uint32_t key)
{
    const DialogControl* combo = findCombo(view);
    if (combo && state.dropped)
        return keyInDroppedList(geometry, *combo, state, key);
    if (key == vkReturn)
        return DialogInput{DialogInput::command, defaultButton(view), 0};
    if (key == vkEscape)
        return DialogInput{DialogInput::close, 0, 0};
    if (!combo || combo->items.empty())
        return std::nullopt;
    if (key == vkUp || key == vkDown)
        return choose(*combo, stepped(combo->selection, key, itemCount(*combo)));
    if (key == vkF4)
        dropList(geometry, *combo, state);
    return std::nullopt;
}

std::optional<DialogInput> click(const DialogView& view, const DialogGeometry& geometry, DialogUiState& state, int x,
                                 int y)
{
    const DialogControl* combo = findCombo(view);
    if (combo && state.dropped) {
        // A click anywhere closes the list; on a row it also picks that row.
        state.dropped = false;
        int rows = geometry.listRows(*combo);
        for (int row = 0; row < rows && state.firstRow + row < itemCount(*combo); ++row)
            if (contains(geometry.listRow(*combo, row), x, y))
                return choose(*combo, state.firstRow + row);
        return std::nullopt;
    }
    if (contains(geometry.closeBox, x, y))
        return DialogInput{DialogInput::close, 0, 0};
    for (const DialogControl& control : view.controls) {
        if (isClass(control, "button") && contains(geometry.controlRect(control), x, y))
            return DialogInput{DialogInput::command, control.id, 0};
        if (&control == combo && contains(geometry.comboField(control), x, y)) {
            if (!control.items.empty())
                dropList(geometry, control, state);
            return std::nullopt;
        }
    }
    return std::nullopt;
}

// The row under the mouse of a dropped list is the highlighted one, as in Windows.
void hover(const DialogView& view, const DialogGeometry& geometry, DialogUiState& state, int x, int y)
{
    const DialogControl* combo = findCombo(view);
    if (!combo || !state.dropped)
        return;
    int rows = geometry.listRows(*combo);
    for (int row = 0; row < rows && state.firstRow + row < itemCount(*combo); ++row)
        if (contains(geometry.listRow(*combo, row), x, y))
            state.highlight = state.firstRow + row;
}

}  // namespace

DialogGeometry::DialogGeometry(const DialogView& view, int fontHeight_)
    : width(view.width + 2 * dialogFrame), height(view.height + captionHeight + 2 * dialogFrame), clientX(dialogFrame),
      clientY(dialogFrame + captionHeight),
      fontHeight(fontHeight_), caption{dialogFrame, dialogFrame, view.width, captionHeight - 1},
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

std::optional<DialogInput> reactToDialog(const DialogView& view, const DialogGeometry& geometry, DialogUiState& state,
                                         const DialogAction& action)
{
    switch (action.kind) {
    case DialogAction::key:
        return key(view, geometry, state, action.virtualKey);
    case DialogAction::click:
        return click(view, geometry, state, action.x, action.y);
    case DialogAction::hover:
        hover(view, geometry, state, action.x, action.y);
        return std::nullopt;
    case DialogAction::closeRequest:
        state.dropped = false;
        return DialogInput{DialogInput::close, 0, 0};
    }
    return std::nullopt;
}

}  // namespace host::sdl
