// Map symbols on a bare canvas: known pixels, filled or outline-only by the
// brush style, the sand dots, clipping and the dispatcher.
#include <gtest/gtest.h>

#include <QImage>
#include <vector>

#include "editor/map/Symbols.h"
#include "grey_picture.h"
#include "platform/Canvas.h"

namespace {

using platform::BrushStyle;
using platform::Canvas;
using platform::Color;
namespace colors = platform::colors;


using SymbolFn = void (*)(Canvas&, int, int);

// A probe's expectation with a solid brush and with a clear one: the inside
// of an outlined figure is white or left as it was.
struct Probe {
    int dx, dy;
    char solid, clear;
};

struct SymbolCase {
    int code;
    SymbolFn fn;
    const char* name;
    std::vector<Probe> probes;
};

const std::vector<SymbolCase>& Cases() {
    static const std::vector<SymbolCase> cases = {
        {101, editor::DrawTetrapodUpright, "DrawTetrapodUpright",
         {{15, 35, 'B', 'B'},    // foot
          {15, 28, 'W', 'G'},    // inside the stem
          {15, 3, 'G', 'G'},     // between the arms
          {15, 38, 'G', 'G'},
          {-6, 5, 'G', 'G'}}},
        {102, editor::DrawTetrapodInverted, "DrawTetrapodInverted",
         {{3, 0, 'B', 'B'},      // top at the press point
          {3, 10, 'W', 'G'},     // inside the stem
          {3, 31, 'G', 'G'},     // between the legs
          {3, -3, 'G', 'G'},
          {-16, 20, 'G', 'G'}}},
        {103, editor::DrawTriangleWaveBreaker, "DrawTriangleWaveBreaker",
         {{0, 9, 'B', 'B'},      // outer base
          {0, 4, 'B', 'B'},      // inner base
          {0, -12, 'W', 'G'},    // between outer and inner triangle
          {0, 0, 'W', 'G'},      // inside the inner one
          {0, 12, 'G', 'G'},
          {14, -10, 'G', 'G'}}},
        {104, editor::DrawSquareWaveBreaker, "DrawSquareWaveBreaker",
         {{0, 12, 'B', 'B'}, {12, 0, 'B', 'B'},   // outer square
          {0, 5, 'B', 'B'}, {-5, 0, 'B', 'B'},    // inner square
          {0, -8, 'W', 'G'}, {8, 8, 'W', 'G'},    // between them
          {0, 0, 'W', 'G'},                       // inside the inner one
          {0, 15, 'G', 'G'}, {-15, 0, 'G', 'G'}}},
        // The rocky shore sets its brush solid and white itself.
        {106, editor::DrawRockyShore, "DrawRockyShore",
         {{-6, -5, 'W', 'W'},    // inside the first stone
          {9, -3, 'W', 'W'},     // inside the third
          {-8, 6, 'W', 'W'},     // inside the fourth
          {-14, -12, 'G', 'G'},
          {16, 10, 'G', 'G'}}},
        {107, editor::DrawParkingSign, "DrawParkingSign",
         {{11, 0, 'B', 'B'}, {10, 0, 'B', 'B'},   // frame, two pixels thick
          {0, -11, 'B', 'B'}, {0, -10, 'B', 'B'},
          {-11, 5, 'B', 'B'}, {0, 11, 'B', 'B'},
          {9, 0, 'W', 'G'}, {8, 6, 'W', 'G'},     // inside the frame
          {-4, 3, 'B', 'B'},                      // stem of the P
          {-1, -7, 'B', 'B'}, {-1, 0, 'B', 'B'},  // the bars joining the bowl
          {2, -4, 'W', 'G'},                      // inside the bowl
          {12, 0, 'G', 'G'}, {0, 12, 'G', 'G'}}},
    };
    return cases;
}

TEST(MapSymbols, KnownPixelsFilledOrOutlineOnly) {
    for (BrushStyle style : {BrushStyle::Solid, BrushStyle::Clear}) {
        for (const SymbolCase& sc : Cases()) {
            SCOPED_TRACE(std::string(sc.name) + (style == BrushStyle::Solid ? " solid" : " clear"));
            GreyPicture pic;
            pic.canvas.SetBrushStyle(style);
            const int x = 200, y = 200;
            sc.fn(pic.canvas, x, y);
            for (const Probe& p : sc.probes)
                EXPECT_EQ(pic.At(x + p.dx, y + p.dy), style == BrushStyle::Solid ? p.solid : p.clear)
                    << "at offset (" << p.dx << ", " << p.dy << ")";
        }
    }
}

// The chosen line colour and width left on the canvas do not reach the
// symbols: they set their own black pen. The brush colour is white after.
TEST(MapSymbols, DrawOnlyInBlackAndWhite) {
    for (const SymbolCase& sc : Cases()) {
        SCOPED_TRACE(sc.name);
        GreyPicture pic;
        pic.canvas.SetPenColor(colors::Red);
        pic.canvas.SetPenWidth(4);
        sc.fn(pic.canvas, 200, 200);
        EXPECT_EQ(pic.Count('?'), 0);
        EXPECT_GT(pic.Count('B'), 0);
        EXPECT_EQ(pic.canvas.PenColor(), colors::Black);
        EXPECT_EQ(pic.canvas.BrushColor(), colors::White);
    }
}

TEST(MapSymbols, PenWidthLeftBehind) {
    const struct {
        SymbolFn fn;
        int width;
    } cases[] = {{editor::DrawTetrapodUpright, 2}, {editor::DrawTetrapodInverted, 2},
                 {editor::DrawTriangleWaveBreaker, 2}, {editor::DrawSquareWaveBreaker, 2},
                 {editor::DrawRockyShore, 1}, {editor::DrawParkingSign, 2}};
    for (const auto& c : cases) {
        GreyPicture pic;
        pic.canvas.SetPenWidth(3);
        c.fn(pic.canvas, 100, 100);
        EXPECT_EQ(pic.canvas.PenWidth(), c.width);
    }
}

TEST(MapSymbols, RockyShoreMakesTheBrushSolid) {
    GreyPicture pic;
    pic.canvas.SetBrushStyle(BrushStyle::Clear);
    editor::DrawRockyShore(pic.canvas, 100, 100);
    EXPECT_EQ(pic.canvas.GetBrushStyle(), BrushStyle::Solid);
}

TEST(MapSymbols, TetrapodAtTheCornerLiesBelowRightAndIsClipped) {
    GreyPicture pic;
    editor::DrawTetrapodUpright(pic.canvas, 0, 0);
    EXPECT_EQ(pic.At(15, 35), 'B');
    EXPECT_EQ(pic.At(15, 28), 'W');
    EXPECT_EQ(pic.At(0, 5), 'W');  // the upper-left arm runs into the left edge
}

// 17 dots of 2 x 2 pixels, none overlapping: 68 black pixels whatever the
// pen and brush, which stay as they were.
TEST(MapSymbols, SandyBeachSetsExactly68BlackPixels) {
    GreyPicture pic;
    pic.canvas.SetPenColor(colors::Red);
    pic.canvas.SetPenWidth(3);
    pic.canvas.SetBrushStyle(BrushStyle::Clear);
    pic.canvas.SetBrushColor(colors::Blue);
    editor::DrawSandyBeach(pic.canvas, 100, 100);
    EXPECT_EQ(pic.Count('B'), 68);
    EXPECT_EQ(pic.Count('G'), 500 * 500 - 68);
    EXPECT_EQ(pic.At(100, 100), 'B');  // the dot at the press point
    EXPECT_EQ(pic.At(101, 101), 'B');
    EXPECT_EQ(pic.At(92, 89), 'B');    // the first dot, (x-8, y-11)
    EXPECT_EQ(pic.At(109, 109), 'B');  // the last one's far corner, (x+8, y+8) + (1, 1)
    EXPECT_EQ(pic.canvas.PenColor(), colors::Red);
    EXPECT_EQ(pic.canvas.PenWidth(), 3);
    EXPECT_EQ(pic.canvas.GetBrushStyle(), BrushStyle::Clear);
    EXPECT_EQ(pic.canvas.BrushColor(), colors::Blue);

    // At the corner only the five dots below and right of the press point stay.
    GreyPicture corner;
    editor::DrawSandyBeach(corner.canvas, 0, 0);
    EXPECT_EQ(corner.Count('B'), 20);
}

TEST(MapSymbols, SandDotIsTwoByTwo) {
    GreyPicture pic;
    editor::DrawSandDot(pic.canvas, 10, 20);
    EXPECT_EQ(pic.Count('B'), 4);
    for (auto [x, y] : {std::pair{10, 20}, {11, 20}, {10, 21}, {11, 21}}) EXPECT_EQ(pic.At(x, y), 'B');
    editor::DrawSandDot(pic.canvas, 499, 499);  // three of its pixels fall outside
    EXPECT_EQ(pic.Count('B'), 5);
}

TEST(MapSymbols, DispatcherDrawsTheSymbolOfEachCode) {
    std::vector<std::pair<int, SymbolFn>> all;
    for (const SymbolCase& sc : Cases()) all.emplace_back(sc.code, sc.fn);
    all.emplace_back(105, editor::DrawSandyBeach);
    for (auto [code, fn] : all) {
        SCOPED_TRACE(code);
        EXPECT_TRUE(editor::IsMapSymbolCode(code));
        GreyPicture direct, dispatched;
        fn(direct.canvas, 150, 150);
        editor::DrawMapSymbol(dispatched.canvas, code, 150, 150);
        EXPECT_TRUE(direct.image == dispatched.image);
    }
    for (int code : {0, 100, 108, 109}) {
        EXPECT_FALSE(editor::IsMapSymbolCode(code));
        GreyPicture pic;
        editor::DrawMapSymbol(pic.canvas, code, 150, 150);
        EXPECT_EQ(pic.Count('G'), 500 * 500);
    }
}

}  // namespace
