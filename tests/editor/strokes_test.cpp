// Recorded strokes (lines, arcs, arrow): the blue marks while dragging, the
// restore on release, the final shape in the colour chosen at release, the
// arc's control points and the fixed-size point buffer.
#include <QImage>
#include <array>
#include <vector>

#include "editor/rig/ArrowHead.h"
#include "strokes_support.h"

namespace {

using platform::Canvas;
using platform::TPoint;
namespace colors = platform::colors;
using namespace strokes_test;

constexpr QRgb kBlue = 0x0000FF;

enum class Shape { Line, Arc, Arrow };

struct RecordedCase {
    const char* what;
    int code;
    Shape shape;
    int width;
    TPoint s, e;
    std::array<TPoint, 4> curve;  // arcs: start, two control points, end
};

// Arc control points worked out by hand: h = |Ey - Sy| div 10 and
// d = (Ey - Sy) div 10, every division truncating toward zero (-58 div 3 is
// -19, -58 div 4 is -14, -63 div 10 is -6).
const RecordedCase kRecorded[] = {
    {"thin line", 15, Shape::Line, 1, {40, 60}, {300, 200}, {}},
    {"thick line, drawn up and left", 18, Shape::Line, 2, {300, 400}, {60, 90}, {}},
    {"thin upward arc pressed below", 16, Shape::Arc, 1, {100, 200}, {42, 137},
     {{{100, 200}, {86, 131}, {58, 149}, {42, 137}}}},
    {"thin downward arc pressed below", 17, Shape::Arc, 1, {100, 200}, {42, 137},
     {{{100, 200}, {81, 194}, {62, 212}, {42, 137}}}},
    {"thick upward arc pressed above", 19, Shape::Arc, 2, {100, 137}, {42, 200},
     {{{100, 137}, {81, 131}, {62, 125}, {42, 200}}}},
    {"thick downward arc pressed above", 20, Shape::Arc, 2, {100, 137}, {42, 200},
     {{{100, 137}, {86, 194}, {58, 188}, {42, 200}}}},
    {"long upward arc pressed above", 16, Shape::Arc, 1, {50, 100}, {400, 400},
     {{{50, 100}, {166, 70}, {282, 40}, {400, 400}}}},
    {"long downward arc pressed below", 20, Shape::Arc, 2, {400, 450}, {60, 220},
     {{{400, 450}, {287, 427}, {174, 496}, {60, 220}}}},
    {"arrow", 30, Shape::Arrow, 2, {60, 300}, {250, 180}, {}},
};

class RecordedStroke : public StrokesFixture {};

// On a patterned picture, drag along a path that crosses itself (one pixel
// is recorded twice) and leaves the shape; change the colour during the drag.
// Afterwards the picture is the old one plus the final shape in the colour
// chosen at release: every mark is gone, the twice-recorded pixel included.
TEST_F(RecordedStroke, FinalShapeOverTheRestoredPicture) {
    const QImage original = Patterned();
    for (const RecordedCase& c : kRecorded) {
        SCOPED_TRACE(c.what);
        SetSurface(original);
        Choose(c.code);
        Colour(colors::Black);
        const TPoint twice{c.s.X + 5, c.s.Y + 30};
        Press(c.s.X, c.s.Y);
        EXPECT_EQ(PixelAt(c.s.X, c.s.Y), long(kBlue)) << "the press point is marked";
        const std::vector<TPoint> path{twice, {c.s.X + 9, c.s.Y + 33}, twice, {c.e.X + 3, c.e.Y - 40}, c.e};
        for (const TPoint& p : path) Move(p.X, p.Y);
        EXPECT_EQ(PixelAt(twice.X, twice.Y), long(kBlue)) << "moves are marked while dragging";
        EXPECT_EQ(form->FStrokeCount, int(path.size()));
        Colour(colors::Red);
        Release(c.e.X, c.e.Y);

        EXPECT_EQ(form->FStrokeKind, 0);
        EXPECT_EQ(form->FStrokeStart, c.s);
        EXPECT_EQ(form->FStrokeEnd, c.e);
        EXPECT_EQ(form->FRigTool, c.code) << "the tool stays selected";
        if (c.shape == Shape::Arc) EXPECT_EQ(form->FCurvePts, c.curve);

        const QImage want = Drawn(original, [&](platform::Canvas& k) {
            k.SetPenWidth(c.width);
            k.SetPenColor(colors::Red);
            if (c.shape == Shape::Arc) {
                k.PolyBezier(c.curve);
            } else {
                k.MoveTo(c.s.X, c.s.Y);
                k.LineTo(c.e.X, c.e.Y);
                if (c.shape == Shape::Arrow) editor::DrawArrowHead(k, c.s.X, c.s.Y, c.e.X, c.e.Y);
            }
        });
        EXPECT_EQ(Differences(Picture(), want), "");
        // The twice-recorded pixel is off every final shape above.
        EXPECT_EQ(PixelAt(twice.X, twice.Y), long(original.pixel(twice.X, twice.Y) & 0xFFFFFF));
    }
}

// A line is drawn from the press point to the release point, and the head
// of the arrow sits at the release end, pointing away from the press point.
TEST_F(RecordedStroke, LinePixelsAndArrowHeadAtTheReleaseEnd) {
    Choose(15);
    Drag({{40, 100}, {60, 120}, {200, 100}});
    for (int x = 40; x < 200; ++x) ASSERT_EQ(PixelAt(x, 100), 0) << x;
    EXPECT_EQ(PixelAt(200, 100), 0xFFFFFF) << "the end pixel is left out";
    EXPECT_EQ(PixelAt(60, 120), 0xFFFFFF);

    SetSurface(Filled(Qt::white));
    Choose(30);
    Drag({{100, 300}, {150, 310}, {300, 300}});
    // Head: 12 pixels back from the tip, 3 to either side.
    EXPECT_EQ(PixelAt(289, 298), 0);
    EXPECT_EQ(PixelAt(289, 302), 0);
    EXPECT_EQ(PixelAt(110, 297), 0xFFFFFF) << "no head at the press end";
    EXPECT_EQ(PixelAt(110, 303), 0xFFFFFF);
    EXPECT_EQ(PixelAt(280, 296), 0xFFFFFF) << "the head is no wider than its base";
}

// Press and release at one point: the press pixel gets its colour back; the
// lines draw nothing; the arrow draws only its head, pointing to the left.
TEST_F(RecordedStroke, PressAndReleaseWithoutMoving) {
    const QImage original = Patterned();
    for (int code : {15, 16, 18, 20}) {
        SCOPED_TRACE(code);
        SetSurface(original);
        Choose(code);
        Press(250, 250);
        Release(250, 250);
        EXPECT_EQ(Differences(Picture(), original), "");
    }
    SetSurface(Filled(Qt::white));
    Choose(30);
    Press(250, 250);
    Release(250, 250);
    const QImage head = Picture();
    const QRect area = ChangedArea(head, Filled(Qt::white));
    EXPECT_GE(area.left(), 248) << "nothing left of the tip but the pen's edge";
    EXPECT_GE(area.right(), 261);
    EXPECT_EQ(head.pixel(258, 250) & 0xFFFFFF, 0u) << "the head opens to the right of its tip";
    EXPECT_EQ(head.pixel(245, 250) & 0xFFFFFF, 0xFFFFFFu);
}

// A level drag with an arc tool gives a straight line: nothing leaves the
// row of the press point (and the row below for the thick pen).
TEST_F(RecordedStroke, LevelArcIsStraight) {
    for (int code : {16, 17, 19, 20}) {
        SCOPED_TRACE(code);
        SetSurface(Filled(Qt::white));
        Choose(code);
        Drag({{50, 200}, {120, 150}, {250, 260}, {350, 200}});
        EXPECT_EQ(form->FCurvePts[1].Y, 200);
        EXPECT_EQ(form->FCurvePts[2].Y, 200);
        const QRect area = ChangedArea(Picture(), Filled(Qt::white));
        EXPECT_GE(area.top(), 199);
        EXPECT_LE(area.bottom(), 201);
        EXPECT_LE(area.left(), 51);
        EXPECT_GE(area.right(), 349);
    }
}

// A vertical drag with the upward arc, pressed above the release, first
// rises above the start.
TEST_F(RecordedStroke, VerticalUpwardArcRisesFirst) {
    Choose(16);
    Drag({{200, 100}, {200, 300}});
    EXPECT_EQ(form->FCurvePts, (std::array<TPoint, 4>{{{200, 100}, {200, 80}, {200, 60}, {200, 300}}}));
    const QRect area = ChangedArea(Picture(), Filled(Qt::white));
    EXPECT_LT(area.top(), 95);
    EXPECT_LE(area.right(), 200);
    EXPECT_GE(area.left(), 200);
}

// More moves than the buffer holds: nothing crashes, nothing is written past
// the 10,000 entries, and the release still leaves no mark behind.
TEST_F(RecordedStroke, LongerDragThanTheBufferHolds) {
    const QImage original = Patterned();
    SetSurface(original);
    Choose(18);
    Press(10, 10);
    const int moves = TForm_Main::kStrokeCapacity + 200;
    for (int i = 0; i < moves; ++i) Move(20 + i % 450, 20 + i / 450);
    EXPECT_EQ(form->FStrokeCount, TForm_Main::kStrokeCapacity - 1);
    EXPECT_EQ(form->FStrokePts[0].size(), size_t(TForm_Main::kStrokeCapacity));
    EXPECT_EQ(form->FStrokePts[1].size(), size_t(TForm_Main::kStrokeCapacity));
    EXPECT_EQ(form->FStrokeColors.size(), size_t(TForm_Main::kStrokeCapacity));
    Release(10, 300);
    const QImage want = Drawn(original, [](platform::Canvas& k) {
        k.SetPenWidth(2);
        k.MoveTo(10, 10);
        k.LineTo(10, 300);
    });
    EXPECT_EQ(Differences(Picture(), want), "");

    // The next stroke starts from an empty record again.
    Press(100, 100);
    EXPECT_EQ(form->FStrokeCount, 0);
    Move(110, 100);
    EXPECT_EQ(form->FStrokeCount, 1);
    Release(110, 100);
}

// A drag that leaves the surface: moves outside are recorded, nothing is
// read or written outside, and the final line is clipped.
TEST_F(RecordedStroke, DragEndingOutsideTheSurface) {
    const QImage original = Patterned();
    SetSurface(original);
    Choose(15);
    Drag({{400, 250}, {480, 250}, {560, 250}, {620, 250}});
    EXPECT_EQ(form->FStrokeCount, 3);
    const QImage want = Drawn(original, [](platform::Canvas& k) {
        k.MoveTo(400, 250);
        k.LineTo(620, 250);
    });
    EXPECT_EQ(Differences(Picture(), want), "");
}

// A right click during a left drag starts the stroke again and its release
// finishes it; the left button's release elsewhere afterwards draws a second
// line from the same start but must not put the saved colours back over the
// line already drawn.
TEST_F(RecordedStroke, SecondReleaseKeepsTheFinishedLine) {
    SetSurface(Patterned());
    Choose(15);
    Press(50, 100);
    Move(80, 100);
    Press(100, 100, Qt::RightButton);
    Move(150, 100);
    Move(200, 100);
    Release(200, 100, Qt::RightButton);
    Move(200, 160);
    Release(200, 160);
    for (int x = 100; x < 200; ++x) ASSERT_EQ(PixelAt(x, 100), 0) << x;
    EXPECT_EQ(PixelAt(150, 130), 0) << "the second line";
}

}  // namespace
