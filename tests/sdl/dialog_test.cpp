#include "dialog_paint.h"
#include "dialog_ui.h"
#include "gdi_canvas.h"
#include "gdi_soft.h"

#include <gtest/gtest.h>

using namespace host;
using namespace host::sdl;

namespace {

constexpr int comboId = 1001;

// The device dialog in pixels, as dialog units of an 8-point font come out.
DialogView deviceDialog(std::vector<std::string> items, int selection)
{
    DialogView view;
    view.caption = "Select Rendering Device";
    view.width = 390;
    view.height = 88;
    view.controls.push_back({1, "button", 206, 54, 75, 23, 0x50010001, "OK", {}, -1});
    view.controls.push_back({2, "button", 305, 54, 75, 23, 0x50010000, "Cancel", {}, -1});
    view.controls.push_back({comboId, "combobox", 138, 11, 242, 88, 0x50210003, "", items, selection});
    view.controls.push_back({-1, "static", 11, 11, 108, 13, 0x50020000, "Render device", {}, -1});
    return view;
}

DialogView twoDevices(int selection = 1)
{
    return deviceDialog({"Primary Display Driver", "Windowed 640 x 480"}, selection);
}

DialogAction key(uint32_t vk) { return DialogAction{DialogAction::key, vk, 0, 0}; }

DialogAction clickOn(const Rect& r)
{
    return DialogAction{DialogAction::click, 0, r.x + r.width / 2, r.y + r.height / 2};
}

const DialogControl& control(const DialogView& view, int id)
{
    for (const DialogControl& c : view.controls)
        if (c.id == id)
            return c;
    throw std::runtime_error("no such control");
}

void expectInput(const std::optional<DialogInput>& got, DialogInput::Kind kind, int controlId, int value)
{
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(got->kind, kind);
    EXPECT_EQ(got->control, controlId);
    EXPECT_EQ(got->value, value);
}

} // namespace

TEST(DialogKeys, UpAndDownSelectWithinTheListEnterConfirmsEscapeCloses)
{
    DialogView view = twoDevices(1);
    DialogGeometry g(view, dialogLineHeight());
    DialogUiState state;
    expectInput(reactToDialog(view, g, state, key(0x26)), DialogInput::select, comboId, 0);
    EXPECT_FALSE(reactToDialog(view, g, state, key(0x28)).has_value());   // already the last
    view.controls[2].selection = 0;
    EXPECT_FALSE(reactToDialog(view, g, state, key(0x26)).has_value());   // already the first
    expectInput(reactToDialog(view, g, state, key(0x28)), DialogInput::select, comboId, 1);
    expectInput(reactToDialog(view, g, state, key(0x0D)), DialogInput::command, 1, 0);
    expectInput(reactToDialog(view, g, state, key(0x1B)), DialogInput::close, 0, 0);
    EXPECT_FALSE(reactToDialog(view, g, state, key(0x41)).has_value());
}

TEST(DialogKeys, WithNothingSelectedEitherArrowSelectsTheFirstEntry)
{
    DialogView view = deviceDialog({"Primary Display Driver"}, -1);
    DialogGeometry g(view, dialogLineHeight());
    DialogUiState state;
    expectInput(reactToDialog(view, g, state, key(0x28)), DialogInput::select, comboId, 0);
    expectInput(reactToDialog(view, g, state, key(0x26)), DialogInput::select, comboId, 0);
}

TEST(DialogClicks, ButtonsAndTheCloseBoxAnswerOthersDoNothing)
{
    DialogView view = twoDevices();
    DialogGeometry g(view, dialogLineHeight());
    DialogUiState state;
    expectInput(reactToDialog(view, g, state, clickOn(g.controlRect(control(view, 1)))), DialogInput::command, 1, 0);
    expectInput(reactToDialog(view, g, state, clickOn(g.controlRect(control(view, 2)))), DialogInput::command, 2, 0);
    expectInput(reactToDialog(view, g, state, clickOn(g.closeBox)), DialogInput::close, 0, 0);
    EXPECT_FALSE(reactToDialog(view, g, state, clickOn(g.controlRect(control(view, -1)))).has_value());
    EXPECT_FALSE(reactToDialog(view, g, state, DialogAction{DialogAction::click, 0, 3, 40}).has_value());
    EXPECT_FALSE(state.dropped);
    expectInput(reactToDialog(view, g, state, DialogAction{DialogAction::closeRequest, 0, 0, 0}),
                DialogInput::close, 0, 0);
}

TEST(DialogDropDown, AClickOnTheBoxDropsTheListAndAClickOnARowPicksIt)
{
    DialogView view = twoDevices(1);
    DialogGeometry g(view, dialogLineHeight());
    const DialogControl& combo = control(view, comboId);
    DialogUiState state;
    EXPECT_FALSE(reactToDialog(view, g, state, clickOn(g.comboArrow(combo))).has_value());
    ASSERT_TRUE(state.dropped);
    EXPECT_EQ(state.highlight, 1);
    EXPECT_EQ(g.listRows(combo), 2);
    // The list lies over the OK button: a click there picks the row, not the button.
    expectInput(reactToDialog(view, g, state, clickOn(g.listRow(combo, 0))), DialogInput::select, comboId, 0);
    EXPECT_FALSE(state.dropped);
    // A click beside the dropped list only closes it.
    reactToDialog(view, g, state, clickOn(g.comboField(combo)));
    ASSERT_TRUE(state.dropped);
    EXPECT_FALSE(reactToDialog(view, g, state, clickOn(g.controlRect(control(view, 2)))).has_value());
    EXPECT_FALSE(state.dropped);
}

TEST(DialogDropDown, TheMouseOverARowHighlightsItAndOnlyWhileDropped)
{
    DialogView view = twoDevices(1);
    DialogGeometry g(view, dialogLineHeight());
    const DialogControl& combo = control(view, comboId);
    DialogUiState state;
    Rect row0 = g.listRow(combo, 0);
    DialogAction over0{DialogAction::hover, 0, row0.x + 5, row0.y + 2};
    EXPECT_FALSE(reactToDialog(view, g, state, over0).has_value());
    EXPECT_FALSE(state.dropped);
    reactToDialog(view, g, state, key(0x73));
    EXPECT_EQ(state.highlight, 1);
    EXPECT_FALSE(reactToDialog(view, g, state, over0).has_value());
    EXPECT_EQ(state.highlight, 0);
    reactToDialog(view, g, state, DialogAction{DialogAction::hover, 0, 1, 1});   // off the list
    EXPECT_EQ(state.highlight, 0);
    expectInput(reactToDialog(view, g, state, key(0x0D)), DialogInput::select, comboId, 0);
}

TEST(DialogDropDown, KeysMoveTheHighlightEnterPicksEscapeOnlyFolds)
{
    DialogView view = twoDevices(1);
    DialogGeometry g(view, dialogLineHeight());
    DialogUiState state;
    reactToDialog(view, g, state, key(0x73));   // F4 drops the list
    ASSERT_TRUE(state.dropped);
    EXPECT_FALSE(reactToDialog(view, g, state, key(0x26)).has_value());
    EXPECT_EQ(state.highlight, 0);
    expectInput(reactToDialog(view, g, state, key(0x0D)), DialogInput::select, comboId, 0);
    EXPECT_FALSE(state.dropped);
    reactToDialog(view, g, state, key(0x73));
    EXPECT_FALSE(reactToDialog(view, g, state, key(0x1B)).has_value());
    EXPECT_FALSE(state.dropped);
    expectInput(reactToDialog(view, g, state, key(0x1B)), DialogInput::close, 0, 0);
}

TEST(DialogDropDown, ALongListShowsWhatFitsAndScrollsToTheHighlight)
{
    DialogView view = deviceDialog({"a", "b", "c", "d", "e"}, 0);
    DialogGeometry g(view, dialogLineHeight());
    const DialogControl& combo = control(view, comboId);
    int rows = g.listRows(combo);
    ASSERT_LT(rows, 5);
    ASSERT_GE(rows, 1);
    Rect list = g.listRect(combo);
    EXPECT_LE(list.y + list.height, g.height - dialogFrame);
    DialogUiState state;
    reactToDialog(view, g, state, key(0x73));
    for (int i = 0; i < 4; ++i)
        reactToDialog(view, g, state, key(0x28));
    EXPECT_EQ(state.highlight, 4);
    EXPECT_EQ(state.firstRow, 5 - rows);
    // The last visible row is the last item.
    expectInput(reactToDialog(view, g, state, clickOn(g.listRow(combo, rows - 1))), DialogInput::select, comboId, 4);
}

namespace {

class RecordingCanvas : public DialogCanvas {
public:
    explicit RecordingCanvas(soft::SurfaceMemory& m) : gdi_(m) {}
    void fill(const Rect& r, soft::Rgb8 c) override { gdi_.fill(r, c); }
    void text(int x, int y, const std::string& s, soft::Rgb8 c) override
    {
        texts.push_back(s);
        gdi_.text(x, y, s, c);
    }
    int textWidth(const std::string& s) override { return gdi_.textWidth(s); }
    int lineHeight() override { return gdi_.lineHeight(); }
    std::vector<std::string> texts;

private:
    GdiCanvas gdi_;
};

uint16_t pixelOf(const soft::SurfaceMemory& m, soft::Rgb8 c) { return soft::packColour(m.format, c.r, c.g, c.b); }

} // namespace

TEST(DialogPaint, CaptionLabelSelectionAndButtonsAreDrawnWhereTheLayoutSays)
{
    DialogView view = twoDevices(1);
    DialogGeometry g(view, dialogLineHeight());
    soft::SurfaceMemory m(g.width, g.height, soft::PixelFormat::rgb565);
    RecordingCanvas canvas(m);
    paintDialog(canvas, view, g, DialogUiState{});
    std::vector<std::string> expected{"Select Rendering Device", "OK", "Cancel", "Windowed 640 x 480",
                                      "Render device"};
    EXPECT_EQ(canvas.texts, expected);
    EXPECT_EQ(m.at(g.caption.x + g.caption.width / 2, g.caption.y + 1), pixelOf(m, {0, 0, 128}));
    Rect ok = g.controlRect(control(view, 1));
    EXPECT_EQ(m.at(ok.x, ok.y), pixelOf(m, {0, 0, 0}));   // the default button's dark frame
    Rect field = g.comboField(control(view, comboId));
    EXPECT_EQ(m.at(field.x + 3, field.y + 3), pixelOf(m, {255, 255, 255}));
}

TEST(DialogPaint, TheDroppedListCoversTheButtonsWithItsHighlightedRow)
{
    DialogView view = twoDevices(1);
    DialogGeometry g(view, dialogLineHeight());
    soft::SurfaceMemory m(g.width, g.height, soft::PixelFormat::rgb555);
    RecordingCanvas canvas(m);
    DialogUiState state{true, 0, 0};
    paintDialog(canvas, view, g, state);
    const DialogControl& combo = control(view, comboId);
    Rect row0 = g.listRow(combo, 0), row1 = g.listRow(combo, 1);
    EXPECT_EQ(m.at(row0.x + row0.width - 2, row0.y + 1), pixelOf(m, {0, 0, 128}));
    EXPECT_EQ(m.at(row1.x + row1.width - 2, row1.y + 1), pixelOf(m, {255, 255, 255}));
    EXPECT_EQ(canvas.texts.back(), "Windowed 640 x 480");
}

TEST(DialogGdiCanvas, TextLandsInsideItsExtentAndPaintingLeavesNoObjectBehind)
{
    int before = gdiLiveObjectCount();
    soft::SurfaceMemory m(120, 40, soft::PixelFormat::rgb565, 8);
    {
        GdiCanvas canvas(m);
        int height = canvas.lineHeight();
        int width = canvas.textWidth("Cancel");
        ASSERT_GT(height, 6);
        ASSERT_GT(width, 6 * 3);
        canvas.text(10, 5, "Cancel", {255, 255, 255});
        int lit = 0;
        for (int y = 0; y < m.height; ++y)
            for (int x = 0; x < m.width; ++x)
                if (m.at(x, y)) {
                    ++lit;
                    EXPECT_TRUE(x >= 10 && x < 10 + width && y >= 5 && y < 5 + height) << x << "," << y;
                }
        EXPECT_GT(lit, 20);
        canvas.fill(Rect{-5, -5, 8, 8}, {255, 0, 0});   // clipped at the corner
        EXPECT_EQ(m.at(2, 2), 0xF800);
        EXPECT_NE(m.at(3, 3), 0xF800);
    }
    DialogView view = twoDevices(1);
    DialogGeometry g(view, dialogLineHeight());
    soft::SurfaceMemory picture(g.width, g.height, soft::PixelFormat::rgb565);
    {
        GdiCanvas canvas(picture);
        paintDialog(canvas, view, g, DialogUiState{true, 1, 0});
    }
    EXPECT_EQ(gdiLiveObjectCount(), before);
}
