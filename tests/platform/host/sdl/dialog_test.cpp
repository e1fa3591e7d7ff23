#include "device_dialog.h"
#include "dialog_paint.h"
#include "dialog_ui.h"
#include "gdi_canvas.h"
#include "gdi_soft.h"

#include <gtest/gtest.h>

using namespace host;
using namespace host::sdl;

namespace {

constexpr uint32_t up = 0x26, down = 0x28, enter = 0x0D, escape = 0x1B, f4 = 0x73;

// The two-device dialog, and what each action answers, as "select 1001 0", "command 1", "close" or "-".
class Dialog : public ::testing::Test {
protected:
    DialogView view = deviceDialog({"Primary Display Driver", "Windowed 640 x 480"}, 1);
    DialogGeometry g{view, dialogLineHeight()};
    DialogUiState state;
    const DialogControl& combo() const { return view.controls[2]; }

    std::string send(DialogAction action)
    {
        const std::optional<DialogInput> in = reactToDialog(view, g, state, action);
        if (!in)
            return "-";
        if (in->kind == DialogInput::select)
            return "select " + std::to_string(in->control) + " " + std::to_string(in->value);
        return in->kind == DialogInput::command ? "command " + std::to_string(in->control) : "close";
    }
    std::string key(uint32_t vk) { return send({DialogAction::key, vk, 0, 0}); }
    std::string click(const Rect& r) { return send({DialogAction::click, 0, r.x + r.width / 2, r.y + r.height / 2}); }
    std::string clickControl(int index) { return click(g.controlRect(view.controls[index])); }
};

TEST_F(Dialog, UpAndDownSelectWithinTheListEnterConfirmsEscapeCloses)
{
    EXPECT_EQ(key(up), "select 1001 0");
    EXPECT_EQ(key(down), "-");  // the view still shows the last entry selected
    view.controls[2].selection = 0;
    EXPECT_EQ(key(up), "-");
    EXPECT_EQ(key(down), "select 1001 1");
    EXPECT_EQ(key(enter), "command 1");
    EXPECT_EQ(key(escape), "close");
    EXPECT_EQ(key(0x41), "-");
    view.controls[2].selection = -1;  // with nothing selected either arrow selects the first entry
    EXPECT_EQ(key(down), "select 1001 0");
    EXPECT_EQ(key(up), "select 1001 0");
}

TEST_F(Dialog, ButtonsAndTheCloseBoxAnswerOthersDoNothing)
{
    EXPECT_EQ(clickControl(0), "command 1");
    EXPECT_EQ(clickControl(1), "command 2");
    EXPECT_EQ(click(g.closeBox), "close");
    EXPECT_EQ(clickControl(3), "-");  // the label
    EXPECT_EQ(send({DialogAction::click, 0, 3, 40}), "-");
    EXPECT_FALSE(state.dropped);
    EXPECT_EQ(send({DialogAction::closeRequest, 0, 0, 0}), "close");
}

TEST_F(Dialog, TheDroppedListTakesClicksHoverAndKeys)
{
    const Rect row0 = g.listRow(combo(), 0);
    const DialogAction over0{DialogAction::hover, 0, row0.x + 5, row0.y + 2};
    EXPECT_EQ(send(over0), "-");  // no highlight while folded
    EXPECT_FALSE(state.dropped);
    EXPECT_EQ(click(g.comboArrow(combo())), "-");
    ASSERT_TRUE(state.dropped);
    EXPECT_EQ(state.highlight, 1);
    EXPECT_EQ(g.listRows(combo()), 2);
    EXPECT_EQ(click(row0), "select 1001 0");  // the list lies over the OK button: the row wins
    EXPECT_FALSE(state.dropped);
    click(g.comboField(combo()));
    ASSERT_TRUE(state.dropped);
    EXPECT_EQ(clickControl(1), "-");  // a click beside the dropped list only folds it
    EXPECT_FALSE(state.dropped);

    key(f4);
    EXPECT_EQ(state.highlight, 1);
    EXPECT_EQ(send(over0), "-");
    EXPECT_EQ(state.highlight, 0);
    send({DialogAction::hover, 0, 1, 1});  // off the list
    EXPECT_EQ(state.highlight, 0);
    EXPECT_EQ(key(down), "-");
    EXPECT_EQ(key(up), "-");
    EXPECT_EQ(state.highlight, 0);
    EXPECT_EQ(key(enter), "select 1001 0");
    EXPECT_FALSE(state.dropped);
    key(f4);
    EXPECT_EQ(key(escape), "-");  // escape only folds the list
    EXPECT_FALSE(state.dropped);
    EXPECT_EQ(key(escape), "close");
}

TEST_F(Dialog, ALongListShowsWhatFitsAndScrollsToTheHighlight)
{
    view = deviceDialog({"a", "b", "c", "d", "e"}, 0);
    g = DialogGeometry(view, dialogLineHeight());
    const int rows = g.listRows(combo());
    ASSERT_TRUE(rows >= 1 && rows < 5) << rows;
    const Rect list = g.listRect(combo());
    EXPECT_LE(list.y + list.height, g.height - dialogFrame);
    key(f4);
    for (int i = 0; i < 4; ++i)
        key(down);
    EXPECT_EQ(state.highlight, 4);
    EXPECT_EQ(state.firstRow, 5 - rows);
    EXPECT_EQ(click(g.listRow(combo(), rows - 1)), "select 1001 4");  // the last visible row is the last item
}

class RecordingCanvas : public GdiCanvas {
public:
    using GdiCanvas::GdiCanvas;
    void text(int x, int y, const std::string& s, soft::Rgb8 c) override
    {
        texts.push_back(s), GdiCanvas::text(x, y, s, c);
    }
    std::vector<std::string> texts;
};

uint16_t pixelOf(const soft::SurfaceMemory& m, soft::Rgb8 c) { return soft::packColour(m.format, c.r, c.g, c.b); }

// Caption, label, selection and buttons where the layout says, then the dropped list over the
// buttons with its highlighted row; painting leaves no GDI object behind.
TEST_F(Dialog, PaintsWhereTheLayoutSaysAndLeavesNoGdiObjectBehind)
{
    const int objects = gdiLiveObjectCount();
    soft::SurfaceMemory m(g.width, g.height, soft::PixelFormat::rgb565);
    {
        RecordingCanvas canvas(m);
        paintDialog(canvas, view, g, DialogUiState{});
        EXPECT_EQ(canvas.texts, (std::vector<std::string>{"Select Rendering Device", "OK", "Cancel",
                                                          "Windowed 640 x 480", "Render device"}));
    }
    EXPECT_EQ(m.at(g.caption.x + g.caption.width / 2, g.caption.y + 1), pixelOf(m, {0, 0, 128}));
    const Rect ok = g.controlRect(view.controls[0]), field = g.comboField(combo());
    EXPECT_EQ(m.at(ok.x, ok.y), pixelOf(m, {0, 0, 0}));  // the default button's dark frame
    EXPECT_EQ(m.at(field.x + 3, field.y + 3), pixelOf(m, {255, 255, 255}));

    soft::SurfaceMemory dropped(g.width, g.height, soft::PixelFormat::rgb555);
    {
        RecordingCanvas canvas(dropped);
        paintDialog(canvas, view, g, DialogUiState{true, 0, 0});
        EXPECT_EQ(canvas.texts.back(), "Windowed 640 x 480");
    }
    const Rect row0 = g.listRow(combo(), 0), row1 = g.listRow(combo(), 1);
    EXPECT_EQ(dropped.at(row0.x + row0.width - 2, row0.y + 1), pixelOf(dropped, {0, 0, 128}));
    EXPECT_EQ(dropped.at(row1.x + row1.width - 2, row1.y + 1), pixelOf(dropped, {255, 255, 255}));
    EXPECT_EQ(gdiLiveObjectCount(), objects);
}

TEST(DialogGdiCanvas, TextLandsInsideItsExtentAndFillsClip)
{
    soft::SurfaceMemory m(120, 40, soft::PixelFormat::rgb565, 8);
    GdiCanvas canvas(m);
    const int height = canvas.lineHeight(), width = canvas.textWidth("Cancel");
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
    canvas.fill(Rect{-5, -5, 8, 8}, {255, 0, 0});  // clipped at the corner
    EXPECT_EQ(m.at(2, 2), 0xF800);
    EXPECT_NE(m.at(3, 3), 0xF800);
}

}  // namespace
