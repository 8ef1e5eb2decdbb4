// Tools that draw while the pointer moves: free lines, vertical and
// horizontal lines fixed to the press point, and the eraser.
#include <QImage>
#include <vector>

#include "strokes_support.h"

namespace {

using platform::Canvas;
using platform::TPoint;
namespace colors = platform::colors;
using namespace strokes_test;

constexpr QRgb kRed = 0xFF0000, kWhite = 0xFFFFFF;
constexpr platform::Color kNavy{0, 0, 128};

class MovingTools : public StrokesFixture {};

// A free line follows the pointer in straight segments between the move
// positions, in the chosen colour and the tool's pen width.
TEST_F(MovingTools, FreeLineFollowsTheMoves) {
    const QImage original = Patterned();
    for (int code : {21, 22}) {
        SCOPED_TRACE(code);
        SetSurface(original);
        Choose(code);
        Colour(kNavy);
        const std::vector<TPoint> moves{{100, 80}, {150, 60}, {160, 160}, {30, 300}};
        Press(50, 50);
        for (const TPoint& p : moves) Move(p.X, p.Y);
        Release(30, 300);
        const QImage want = Drawn(original, [&](platform::Canvas& k) {
            k.SetPenWidth(code == 21 ? 1 : 2);
            k.SetPenColor(kNavy);
            k.MoveTo(50, 50);
            for (const TPoint& p : moves) k.LineTo(p.X, p.Y);
        });
        EXPECT_EQ(Differences(Picture(), want), "");
        EXPECT_EQ(form->FStrokeKind, 0);
        EXPECT_EQ(form->FRigTool, code);
    }
}

// Press and release without moving: a free line draws nothing at all.
TEST_F(MovingTools, FreeLineClickDrawsNothing) {
    const QImage original = Patterned();
    for (int code : {21, 22}) {
        SCOPED_TRACE(code);
        SetSurface(original);
        Choose(code);
        Move(200, 200, Qt::NoButton);
        Press(120, 130);
        Release(120, 130);
        EXPECT_EQ(Differences(Picture(), original), "");
    }
}

struct AxisCase {
    int code;
    bool vertical;
    int width;
};

const AxisCase kAxes[] = {{23, true, 2}, {24, false, 2}, {27, true, 1}, {28, false, 1}};

// Pressed at (200, 200), the pointer goes sideways and up to 150, then down
// past the anchor to 260, then back to 220: the line lies on the anchor's
// column (row) and covers 150 .. 260, the farthest reach on both sides;
// the pointer's other coordinate is ignored.
TEST_F(MovingTools, ConstrainedLineCoversTheFarthestReach) {
    for (const AxisCase& c : kAxes) {
        SCOPED_TRACE(c.code);
        SetSurface(Filled(Qt::white));
        Choose(c.code);
        // (along, across) pairs, turned for the horizontal tools.
        auto at = [&](int along, int across) { return c.vertical ? TPoint{across, along} : TPoint{along, across}; };
        const TPoint press = at(200, 200);
        Press(press.X, press.Y);
        for (const TPoint& p : {at(150, 230), at(260, 180), at(220, 250)}) Move(p.X, p.Y);
        Release(at(220, 250).X, at(220, 250).Y);

        const QImage got = Picture();
        const QRect area = ChangedArea(got, Filled(Qt::white));
        const QRect along = c.vertical ? area : QRect(area.y(), area.x(), area.height(), area.width());
        const auto black = [&](int a, int b) {
            const TPoint p = at(a, b);
            return (got.pixel(p.X, p.Y) & 0xFFFFFF) == 0;
        };
        if (c.width == 1) {
            EXPECT_EQ(along, QRect(QPoint(200, 150), QPoint(200, 260)));
            for (int a = 150; a <= 260; ++a) EXPECT_TRUE(black(a, 200)) << a;
        } else {
            EXPECT_GE(along.left(), 199);
            EXPECT_LE(along.right(), 201);
            EXPECT_GE(along.top(), 149);
            EXPECT_LE(along.bottom(), 261);
            for (int a = 151; a <= 259; ++a) EXPECT_TRUE(black(a, 199) || black(a, 200) || black(a, 201)) << a;
            EXPECT_EQ(along.width(), 2);
        }
        EXPECT_EQ(form->FStrokeKind, 0);
    }
}

QImage Erased(const QImage& base, int r, const std::vector<TPoint>& centres) {
    return Drawn(base, [&](platform::Canvas& k) {
        k.SetPenColor(colors::White);
        for (const TPoint& p : centres) k.Ellipse(p.X - r, p.Y - r, p.X + r, p.Y + r);
    });
}

// While dragging, the eraser shows a red ring at the pointer; after the
// release at the last move position no red is left, and the erased area is
// the union of the discs at the press point, every move and the release.
TEST_F(MovingTools, EraserLeavesTheUnionOfItsDiscs) {
    const QImage black = Filled(Qt::black);
    for (int code : {25, 26}) {
        SCOPED_TRACE(code);
        const int r = code == 25 ? 15 : 10;
        SetSurface(black);
        Choose(code);
        Move(100, 100, Qt::NoButton);
        Press(100, 100);
        Move(112, 100);
        EXPECT_GT(CountColour(Picture(), kRed), 0) << "the ring shows the eraser's reach";
        EXPECT_EQ(PixelAt(112 + r - 1, 100), long(kRed));
        Move(130, 120);
        Move(160, 120);
        Release(160, 120);
        EXPECT_EQ(CountColour(Picture(), kRed), 0);
        EXPECT_EQ(Differences(Picture(), Erased(black, r, {{100, 100}, {112, 100}, {130, 120}, {160, 120}})), "");
        EXPECT_EQ(form->FStrokeKind, 0);
    }
}

// A release away from the last move leaves no red ring either, and erases
// no more than the discs of the drag.
TEST_F(MovingTools, EraserReleaseElsewhereLeavesNoRing) {
    const QImage black = Filled(Qt::black);
    SetSurface(black);
    Choose(25);
    Press(100, 100);
    Move(140, 100);
    Release(300, 300);
    EXPECT_EQ(CountColour(Picture(), kRed), 0);
    EXPECT_EQ(Differences(Picture(), Erased(black, 15, {{100, 100}, {140, 100}, {300, 300}})), "");
}

// A press and release without moving erases one disc at the release point,
// nothing at earlier pointer positions.
TEST_F(MovingTools, EraserClickErasesOneDisc) {
    const QImage black = Filled(Qt::black);
    SetSurface(black);
    Choose(25);
    Press(300, 300);
    Release(300, 300);
    Move(60, 60, Qt::NoButton);
    Press(200, 250);
    Release(200, 250);
    EXPECT_EQ(Differences(Picture(), Erased(black, 15, {{300, 300}, {200, 250}})), "");
}

// The first eraser drag after the window opens: no move has been handled
// yet, so the last pointer position is still (0, 0). The drag erases around
// the press point only, never at the picture's top-left corner.
TEST_F(MovingTools, FirstEraserDragErasesOnlyWhereDragged) {
    const QImage black = Filled(Qt::black);
    SetSurface(black);
    Choose(26);
    Press(200, 200);
    Move(205, 200);
    Release(205, 200);
    EXPECT_EQ(PixelAt(2, 2), 0);
    EXPECT_EQ(Differences(Picture(), Erased(black, 10, {{200, 200}, {205, 200}})), "");
}

// The eraser wipes in copy mode and white, whatever the canvas was left with.
TEST_F(MovingTools, EraserReleaseIsWhiteInCopyMode) {
    const QImage black = Filled(Qt::black);
    SetSurface(black);
    Canvas().SetPenMode(platform::PenMode::NotXor);
    Canvas().SetBrushColor(colors::Red);
    Choose(26);
    Press(50, 50);
    Release(50, 50);
    EXPECT_EQ(PixelAt(50, 50), long(kWhite));
    EXPECT_EQ(Differences(Picture(), Erased(black, 10, {{50, 50}})), "");
}

}  // namespace
