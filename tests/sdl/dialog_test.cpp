#include "dialog_paint.h"
#include "dialog_ui.h"
#include "soft_canvas.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>

using namespace host;
using namespace host::sdl;

namespace {

constexpr int comboId = 1001;
constexpr int fontHeight = 13;

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
    DialogGeometry g(view, fontHeight);
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
    DialogGeometry g(view, fontHeight);
    DialogUiState state;
    expectInput(reactToDialog(view, g, state, key(0x28)), DialogInput::select, comboId, 0);
    expectInput(reactToDialog(view, g, state, key(0x26)), DialogInput::select, comboId, 0);
}

TEST(DialogClicks, ButtonsAndTheCloseBoxAnswerOthersDoNothing)
{
    DialogView view = twoDevices();
    DialogGeometry g(view, fontHeight);
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
    DialogGeometry g(view, fontHeight);
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

TEST(DialogDropDown, KeysMoveTheHighlightEnterPicksEscapeOnlyFolds)
{
    DialogView view = twoDevices(1);
    DialogGeometry g(view, fontHeight);
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
    DialogGeometry g(view, fontHeight);
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
    explicit RecordingCanvas(soft::SurfaceMemory& m) : soft_(m, font_) {}
    void fill(const Rect& r, soft::Rgb8 c) override { soft_.fill(r, c); }
    void text(int x, int y, const std::string& s, soft::Rgb8 c) override
    {
        texts.push_back(s);
        soft_.text(x, y, s, c);
    }
    int textWidth(const std::string& s) override { return soft_.textWidth(s); }
    int lineHeight() override { return soft_.lineHeight(); }
    std::vector<std::string> texts;

private:
    BitmapFont font_;
    SoftCanvas soft_;
};

uint16_t pixelOf(const soft::SurfaceMemory& m, soft::Rgb8 c) { return soft::packColour(m.format, c.r, c.g, c.b); }

} // namespace

TEST(DialogPaint, CaptionLabelSelectionAndButtonsAreDrawnWhereTheLayoutSays)
{
    DialogView view = twoDevices(1);
    DialogGeometry g(view, fontHeight);
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
    DialogGeometry g(view, fontHeight);
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

namespace {

// A PSF 1 font of 256 glyphs, `height` rows, glyph 1 a full block mapped to 'A'.
std::string writeTestFont(bool compressed, int height)
{
    std::vector<uint8_t> bytes{0x36, 0x04, 0x02, uint8_t(height)};
    for (int glyph = 0; glyph < 256; ++glyph)
        for (int row = 0; row < height; ++row)
            bytes.push_back(glyph == 1 ? 0xFF : 0x00);
    for (int glyph = 0; glyph < 256; ++glyph) {
        uint16_t code = glyph == 1 ? uint16_t('A') : glyph == 0 ? 0x2588 : uint16_t(0x100 + glyph);
        for (uint16_t v : {code, uint16_t(0xFFFF)}) {
            bytes.push_back(uint8_t(v));
            bytes.push_back(uint8_t(v >> 8));
        }
    }
    std::string path = (std::filesystem::temp_directory_path() /
                        (compressed ? "sdl_host_font.psf.gz" : "sdl_host_font.psf")).string();
    if (compressed) {
        gzFile f = gzopen(path.c_str(), "wb");
        gzwrite(f, bytes.data(), unsigned(bytes.size()));
        gzclose(f);
    } else {
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), long(bytes.size()));
    }
    return path;
}

} // namespace

TEST(BitmapFontFile, GlyphsAreFoundThroughTheUnicodeTableCompressedOrNot)
{
    for (bool compressed : {false, true}) {
        BitmapFont font = readPsfFont(writeTestFont(compressed, 10));
        ASSERT_FALSE(font.empty());
        EXPECT_EQ(font.height, 10);
        ASSERT_NE(font.glyph('A'), nullptr);
        EXPECT_EQ(font.glyph('A')[0], 0xFF);
        EXPECT_EQ(font.glyph('B'), nullptr);
    }
    EXPECT_TRUE(readPsfFont("/nonexistent/font.psf").empty());
}

TEST(BitmapFontFile, TextPaintsSetBitsOnlyAndClipsAtTheEdges)
{
    BitmapFont font = readPsfFont(writeTestFont(false, 10));
    soft::SurfaceMemory m(12, 12, soft::PixelFormat::rgb565);
    SoftCanvas canvas(m, font);
    canvas.text(6, 4, "AB", {255, 255, 255});   // the A runs off the right edge; B has no glyph bits
    EXPECT_EQ(m.at(6, 4), 0xFFFF);
    EXPECT_EQ(m.at(11, 11), 0xFFFF);
    EXPECT_EQ(m.at(5, 4), 0);
    EXPECT_EQ(m.at(6, 3), 0);
    canvas.fill(Rect{-5, -5, 8, 8}, {255, 0, 0});
    EXPECT_EQ(m.at(2, 2), 0xF800);
    EXPECT_EQ(m.at(3, 3), 0);
}
