// Breakwater bands: the offsets for each drag direction and width, the
// rubber-band outlines of the nine tools and the painting on release.
#include <gtest/gtest.h>

#include <QImage>
#include <vector>

#include "editor/map/Breakwater.h"
#include "platform/Canvas.h"

namespace {

using editor::BandOffsets;
using editor::BandOutline;
using platform::Canvas;
using platform::Color;
using platform::TPoint;
namespace colors = platform::colors;

struct OffsetCase {
    const char* what;
    TPoint last;  // the drag starts at (100, 100)
    int width;
    BandOffsets want;
};

// The band lies to the right of the drag direction as seen on the screen:
// below a drag to the right, above one to the left, left of a drag downwards
// and right of one upwards. The dividers sit at the integer quarter.
const OffsetCase kOffsets[] = {
    {"right, 20", {150, 100}, 20, {{0, 20}, {0, 5}, {0, 15}}},
    {"right, 25", {150, 100}, 25, {{0, 25}, {0, 6}, {0, 18}}},
    {"right, 100", {150, 100}, 100, {{0, 100}, {0, 25}, {0, 75}}},
    {"left, 20", {40, 100}, 20, {{0, -20}, {0, -5}, {0, -15}}},
    {"left, 25", {40, 100}, 25, {{0, -25}, {0, -6}, {0, -18}}},
    {"left, 100", {40, 100}, 100, {{0, -100}, {0, -25}, {0, -75}}},
    {"down, 20", {100, 101}, 20, {{-20, 0}, {-5, 0}, {-15, 0}}},
    {"down, 25", {100, 101}, 25, {{-25, 0}, {-6, 0}, {-18, 0}}},
    {"down, 100", {100, 101}, 100, {{-100, 0}, {-25, 0}, {-75, 0}}},
    {"up, 20", {100, 0}, 20, {{20, 0}, {5, 0}, {15, 0}}},
    {"up, 25", {100, 0}, 25, {{25, 0}, {6, 0}, {18, 0}}},
    {"up, 100", {100, 0}, 100, {{100, 0}, {25, 0}, {75, 0}}},
    // (30, 40): sine .6, cosine .8; width 25 -> (-20, 15), quarter 6 ->
    // (-4.8, 3.6), three quarters 18 -> (-14.4, 10.8), each rounded.
    {"down and right, 25", {130, 140}, 25, {{-20, 15}, {-5, 4}, {-14, 11}}},
};

TEST(Breakwater, OffsetsForEachDirectionAndWidth) {
    const BandOffsets stale{{7, 7}, {8, 8}, {9, 9}};
    for (const OffsetCase& c : kOffsets) {
        SCOPED_TRACE(c.what);
        const BandOffsets got = editor::ComputeBandOffsets({100, 100}, c.last, c.width, stale);
        EXPECT_EQ(got.Band, c.want.Band) << got.Band.X << ", " << got.Band.Y;
        EXPECT_EQ(got.Quarter, c.want.Quarter) << got.Quarter.X << ", " << got.Quarter.Y;
        EXPECT_EQ(got.ThreeQuarter, c.want.ThreeQuarter) << got.ThreeQuarter.X << ", " << got.ThreeQuarter.Y;
    }
}

TEST(Breakwater, NoDirectionKeepsTheOffsets) {
    const BandOffsets current{{0, 25}, {0, 6}, {0, 18}};
    EXPECT_EQ(editor::ComputeBandOffsets({100, 100}, {100, 100}, 100, current), current);
}

// A picture with content everywhere, so that an inverted pixel never looks
// like its neighbour.
QImage Patterned(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb((x * 7) & 255, (y * 13) & 255, (x * y) & 255));
    return img;
}

// The drag as the window runs it: offsets from the previous end point, then
// the preview step, for every move.
struct Drag {
    QImage image;
    Canvas canvas;
    int code;
    int width;
    BandOffsets offsets{};
    BandOutline outline;

    Drag(QImage img, int code, int width, TPoint press)
        : image(std::move(img)), canvas(&image), code(code), width(width), outline(BandOutline::AtPress(press)) {}

    void MoveTo(TPoint p) {
        offsets = editor::ComputeBandOffsets(outline.Start, outline.End, width, offsets);
        outline = editor::DrawBandPreview(canvas, code, outline, p, offsets);
    }
};

TEST(Breakwater, RubberBandLeavesNoTraceForEveryTool) {
    const QImage original = Patterned(400, 400);
    const std::vector<TPoint> moves = {{180, 210}, {260, 260}, {260, 260}, {300, 180}, {120, 330},
                                       {60, 90},   {-30, 120}, {150, 60},  {390, 399}};
    for (int code = 101; code <= 109; ++code) {
        SCOPED_TRACE(code);
        for (int width : {20, 25, 100}) {
            Drag drag(original, code, width, {150, 200});
            for (const TPoint& p : moves) {
                drag.MoveTo(p);
                ASSERT_FALSE(drag.image == original) << "no outline visible";
            }
            // What the next move would remove first.
            editor::DrawBandOutline(drag.canvas, code, drag.outline);
            EXPECT_TRUE(drag.image == original) << "width " << width;
        }
    }
}

TEST(Breakwater, FirstMoveShowsACollapsedOutline) {
    QImage white(300, 300, QImage::Format_RGB32);
    white.fill(Qt::white);
    Drag drag(white, 104, 20, {50, 50});
    drag.MoveTo({150, 50});
    // Offsets are still zero: the band lies on the drag line.
    EXPECT_EQ(drag.outline.EndCorner, (TPoint{150, 50}));
    EXPECT_EQ(drag.outline.StartCorner, (TPoint{50, 50}));
    EXPECT_EQ(drag.canvas.Pixel(100, 70), colors::White);
    drag.MoveTo({150, 50});
    EXPECT_EQ(drag.outline.EndCorner, (TPoint{150, 70}));
    EXPECT_EQ(drag.canvas.Pixel(100, 70), colors::Black);
    EXPECT_EQ(drag.canvas.Pixel(100, 50), colors::Black);
}

// Probe points of a band dragged from (100, 100) to the right to (300, 100)
// with width 20: the band reaches down to y = 120, the quarter divider lies
// at y = 105 and the three-quarter divider at y = 115.
struct BandLook {
    int code;
    bool startEdge, endEdge, quarter, threeQuarter;
};

const BandLook kLooks[] = {
    {101, false, true, false, false}, {102, false, true, true, false}, {103, false, true, false, true},
    {104, true, true, false, false},  {105, true, true, true, false},  {106, true, true, false, true},
    {107, false, false, false, false}, {108, false, false, true, false}, {109, false, false, false, true},
};

const TPoint kS{100, 100}, kE{300, 100};
const BandOffsets kRight20{{0, 20}, {0, 5}, {0, 15}};

TEST(Breakwater, OutlineOfEachTool) {
    for (const BandLook& look : kLooks) {
        SCOPED_TRACE(look.code);
        QImage white(400, 200, QImage::Format_RGB32);
        white.fill(Qt::white);
        Canvas c(&white);
        const BandOutline drawn = editor::DrawBandPreview(c, look.code, BandOutline::AtPress(kS), kE, kRight20);
        auto shown = [&](int x, int y) { return c.Pixel(x, y) == colors::Black; };
        EXPECT_TRUE(shown(200, 100));  // drag line
        EXPECT_TRUE(shown(200, 120));  // far side
        EXPECT_EQ(shown(100, 110), look.startEdge);
        EXPECT_EQ(shown(300, 110), look.endEdge);
        EXPECT_EQ(shown(200, 105), look.quarter);
        EXPECT_EQ(shown(200, 115), look.threeQuarter);
        EXPECT_FALSE(shown(200, 110));
        EXPECT_EQ(c.GetPenMode(), platform::PenMode::NotXor);
        EXPECT_EQ(c.PenWidth(), 1);

        EXPECT_EQ(drawn.End, kE);
        EXPECT_EQ(drawn.EndCorner, (TPoint{300, 120}));
        EXPECT_EQ(drawn.StartCorner, (TPoint{100, 120}));
        if (look.quarter || look.threeQuarter) {
            const int d = look.quarter ? 5 : 15;
            EXPECT_EQ(drawn.DividerEnd, (TPoint{300, 100 + d}));
            EXPECT_EQ(drawn.DividerStart, (TPoint{100, 100 + d}));
        } else {  // no divider: the stored divider points stay
            EXPECT_EQ(drawn.DividerEnd, kS);
            EXPECT_EQ(drawn.DividerStart, kS);
        }
    }
}

TEST(Breakwater, PreviewWithoutABandToolDrawsNothing) {
    QImage white(200, 200, QImage::Format_RGB32);
    white.fill(Qt::white);
    const QImage before = white;
    Canvas c(&white);
    c.SetPenColor(colors::Red);
    const BandOutline previous = BandOutline::AtPress({20, 20});
    EXPECT_EQ(editor::DrawBandPreview(c, 0, previous, {150, 150}, kRight20), previous);
    EXPECT_TRUE(white == before);
    EXPECT_EQ(c.GetPenMode(), platform::PenMode::NotXor);
    EXPECT_EQ(c.PenColor(), colors::Black);
}

constexpr Color kGrey{128, 128, 128};

TEST(Breakwater, ReleasePaintsBandInChosenColourWithWhiteOpenEdges) {
    for (const BandLook& look : kLooks) {
        SCOPED_TRACE(look.code);
        QImage grey(400, 200, QImage::Format_RGB32);
        grey.fill(QColor(kGrey.r, kGrey.g, kGrey.b));
        Canvas c(&grey);
        // Left over from the rubber band and from a line drawn without fill.
        c.SetPenMode(platform::PenMode::NotXor);
        c.SetBrushStyle(platform::BrushStyle::Clear);
        EXPECT_TRUE(editor::PaintBand(c, {look.code, kS, kE, kRight20, colors::Red}));

        auto at = [&](int x, int y) { return c.Pixel(x, y).value(); };
        EXPECT_EQ(at(200, 100), colors::Red);    // drag line
        EXPECT_EQ(at(200, 120), colors::Red);    // far side
        EXPECT_EQ(at(200, 110), colors::White);  // interior covers what was there
        EXPECT_EQ(at(100, 110), look.startEdge ? colors::Red : colors::White);
        EXPECT_EQ(at(300, 110), look.endEdge ? colors::Red : colors::White);
        EXPECT_EQ(at(200, 105), look.quarter ? colors::Red : colors::White);
        EXPECT_EQ(at(200, 115), look.threeQuarter ? colors::Red : colors::White);
        EXPECT_EQ(at(200, 124), kGrey);
        EXPECT_EQ(at(200, 96), kGrey);
        EXPECT_EQ(at(96, 110), kGrey);
        EXPECT_EQ(at(304, 110), kGrey);

        EXPECT_EQ(c.GetPenMode(), platform::PenMode::Copy);
        EXPECT_EQ(c.PenWidth(), 2);
        EXPECT_EQ(c.GetBrushStyle(), platform::BrushStyle::Solid);
        EXPECT_EQ(c.PenColor(), look.startEdge ? colors::Red : colors::Black);
    }
}

TEST(Breakwater, ReleaseWithoutABandToolOnlySetsThePen) {
    QImage grey(200, 200, QImage::Format_RGB32);
    grey.fill(QColor(kGrey.r, kGrey.g, kGrey.b));
    const QImage before = grey;
    Canvas c(&grey);
    c.SetPenMode(platform::PenMode::NotXor);
    c.SetBrushStyle(platform::BrushStyle::Clear);
    EXPECT_FALSE(editor::PaintBand(c, {0, {10, 10}, {150, 10}, kRight20, colors::Blue}));
    EXPECT_TRUE(grey == before);
    EXPECT_EQ(c.GetPenMode(), platform::PenMode::Copy);
    EXPECT_EQ(c.PenColor(), colors::Blue);
    EXPECT_EQ(c.PenWidth(), 2);
    EXPECT_EQ(c.GetBrushStyle(), platform::BrushStyle::Solid);
}

// A press and release on one spot without a move paints a band collapsed
// onto the press point; it still counts as a painted band.
TEST(Breakwater, ReleaseWithoutMoveStillPaints) {
    QImage grey(100, 100, QImage::Format_RGB32);
    grey.fill(QColor(kGrey.r, kGrey.g, kGrey.b));
    Canvas c(&grey);
    EXPECT_TRUE(editor::PaintBand(c, {105, {50, 50}, {50, 50}, BandOffsets{}, colors::Red}));
    EXPECT_EQ(c.Pixel(60, 50), kGrey);
    EXPECT_EQ(c.Pixel(50, 60), kGrey);
}

}  // namespace
