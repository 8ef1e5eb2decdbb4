// The arrow head: its corners for several directions and pen widths, the
// zero-length case, and the fill and brush it leaves.
#include <gtest/gtest.h>

#include <QImage>

#include "editor/rig/ArrowHead.h"
#include "platform/Canvas.h"

namespace {

using platform::Canvas;
using platform::Color;
using platform::TPoint;
namespace colors = platform::colors;

struct CornerCase {
    const char* what;
    int penWidth;
    int x1, y1, x2, y2;
    TPoint a, b;
};

// L = 3 x pen width + 6, half width w = L tan 15 deg (3.2154 for L = 12,
// 2.4115 for L = 9); theta points from the tip back to the start.
const CornerCase kCorners[] = {
    {"to the right", 2, 0, 100, 100, 100, {88, 97}, {88, 103}},
    {"to the left", 2, 200, 100, 100, 100, {112, 103}, {112, 97}},
    {"downwards", 2, 100, 0, 100, 100, {103, 88}, {97, 88}},
    {"upwards", 2, 100, 200, 100, 100, {97, 112}, {103, 112}},
    // theta = 45 deg: L cos = L sin = 8.485, w sin = w cos = 2.274.
    {"up and to the left", 2, 100, 100, 0, 0, {6, 11}, {11, 6}},
    // theta = atan2(3, 4): cos .8, sin .6 -> 9.6 -+ 1.929, 7.2 +- 2.572.
    {"shallow diagonal", 2, 40, 30, 0, 0, {8, 10}, {12, 5}},
    {"thin pen", 1, 0, 100, 100, 100, {91, 98}, {91, 102}},
    {"wide pen", 4, 0, 100, 100, 100, {82, 95}, {82, 105}},
    // Both points the same: atan2(0, 0) = 0, so the base lies to the right
    // and the head points to the left.
    {"zero length", 2, 50, 60, 50, 60, {62, 63}, {62, 57}},
};

TEST(ArrowHead, CornersForEachDirection) {
    for (const CornerCase& c : kCorners) {
        SCOPED_TRACE(c.what);
        const editor::ArrowHeadCorners got = editor::ArrowHeadBase(c.penWidth, c.x1, c.y1, c.x2, c.y2);
        EXPECT_EQ(got.A, c.a) << "A = (" << got.A.X << ", " << got.A.Y << ")";
        EXPECT_EQ(got.B, c.b) << "B = (" << got.B.X << ", " << got.B.Y << ")";
    }
}

struct Picture {
    QImage image{200, 200, QImage::Format_RGB32};
    Canvas canvas{&image};
    Picture() { image.fill(Qt::white); }
    Color At(int x, int y) const { return canvas.Pixel(x, y).value_or(Color{1, 2, 3}); }
};

// The head is filled in the pen colour from the tip to the base, with the
// size given by the canvas's pen width; the brush ends up solid white.
TEST(ArrowHead, FilledInPenColourWithTheCanvasPenWidth) {
    const Color green{0, 160, 0};
    for (int width : {1, 2}) {
        SCOPED_TRACE(width);
        Picture pic;
        pic.canvas.SetPenColor(green);
        pic.canvas.SetPenWidth(width);
        pic.canvas.SetBrushStyle(platform::BrushStyle::Clear);
        pic.canvas.SetBrushColor(colors::Red);
        editor::DrawArrowHead(pic.canvas, 0, 100, 100, 100);

        EXPECT_EQ(pic.At(100, 100), green);  // tip
        EXPECT_EQ(pic.At(95, 100), green);   // inside
        EXPECT_EQ(pic.At(93, 99), green);
        EXPECT_EQ(pic.At(93, 101), green);
        EXPECT_EQ(pic.At(103, 100), colors::White);  // nothing beyond the tip
        EXPECT_EQ(pic.At(95, 95), colors::White);    // nor beside the head
        // The base lies 9 pixels back for a 1-pixel pen, 12 for a 2-pixel pen.
        EXPECT_EQ(pic.At(89, 100), width == 2 ? green : colors::White);

        EXPECT_EQ(pic.canvas.GetBrushStyle(), platform::BrushStyle::Solid);
        EXPECT_EQ(pic.canvas.BrushColor(), colors::White);
        EXPECT_EQ(pic.canvas.PenColor(), green);
        EXPECT_EQ(pic.canvas.PenWidth(), width);
    }
}

TEST(ArrowHead, ZeroLengthPointsLeft) {
    Picture pic;
    pic.canvas.SetPenWidth(2);
    editor::DrawArrowHead(pic.canvas, 100, 100, 100, 100);
    EXPECT_EQ(pic.At(106, 100), colors::Black);
    EXPECT_EQ(pic.At(94, 100), colors::White);
}

}  // namespace
