// Map lines and shapes on the real surface: the rubber band that leaves no
// trace, the final figures with their widths, arrow head, cross and fill,
// and the freehand line.
#include <QLineF>
#include <array>
#include <cmath>
#include <functional>

#include "map_fixture.h"

namespace {

using platform::Color;
using platform::TPoint;
namespace colors = platform::colors;

double DistToSegment(QPointF p, QPointF a, QPointF b) {
    const QPointF ab = b - a;
    const double len2 = QPointF::dotProduct(ab, ab);
    double t = len2 == 0 ? 0 : QPointF::dotProduct(p - a, ab) / len2;
    t = std::clamp(t, 0.0, 1.0);
    return QLineF(p, a + t * ab).length();
}

class LineSetTest : public MapFixture {
protected:
    void SetUp() override {
        MapFixture::SetUp();
        ChooseSet(1);
    }
    // Pixels of colour `c` in column x between rows y0 and y1.
    int RunInColumn(int x, int y0, int y1, Color c) const {
        int n = 0;
        for (int y = y0; y <= y1; ++y)
            if (PixelAt(x, y) == Rgb(c)) ++n;
        return n;
    }
    // Every changed pixel satisfies `allowed`; returns how many changed.
    int ChangedOnlyWhere(const QImage& before, const std::function<bool(int, int)>& allowed) const {
        const QImage now = Picture();
        int n = 0;
        for (int y = 0; y < 500; ++y)
            for (int x = 0; x < 500; ++x)
                if (now.pixel(x, y) != before.pixel(x, y)) {
                    ++n;
                    EXPECT_TRUE(allowed(x, y)) << "stray pixel at " << x << "," << y;
                    if (!allowed(x, y)) return n;
                }
        return n;
    }
};

// Moves that wander far from where the drag ends.
const std::array<QPoint, 6> kWander{{{320, 180}, {380, 330}, {150, 390}, {90, 120}, {260, 90}, {300, 260}}};

TEST_F(LineSetTest, TheRubberBandLeavesNoTraceForEveryCode) {
    for (int item = 0; item <= 2; ++item) {
        ChooseItem(form->R_Group_line, item);
        for (int k : {1, 2, 3, 5, 6, 7, 8, 9}) {
            SCOPED_TRACE(testing::Message() << "code " << 100 + k << " width item " << item);
            ChooseTool(k);
            FillWithPattern();
            const QImage original = Picture();
            Press(200, 200);
            for (const QPoint& p : kWander) Move(p.x(), p.y());
            EXPECT_NE(DiffCount(Picture(), original), 0);  // a figure shows
            EXPECT_EQ(Canvas().GetPenMode(), platform::PenMode::Copy);
            // Back at the press point the figure has no size: nothing shows.
            Move(200, 200);
            ASSERT_EQ(DiffCount(Picture(), original), 0);
            Release(200, 200);
        }
    }
}

TEST_F(LineSetTest, TheFinishedFigureHasNoTraceOfTheRubberBand) {
    ASSERT_TRUE(form->ColorBox1->SelectColor(colors::Blue));
    struct Case {
        int k;
        QPoint release;  // the last move is at (300, 260)
    };
    for (int item = 0; item <= 2; ++item) {
        ChooseItem(form->R_Group_line, item);
        const double reach = item == 2 ? 3.5 : 2.5;
        for (const Case& c : {Case{1, {300, 260}}, Case{2, {300, 260}}, Case{3, {300, 260}}, Case{3, {310, 275}},
                              Case{5, {300, 260}}, Case{6, {305, 250}}, Case{7, {300, 260}}, Case{8, {330, 300}},
                              Case{9, {300, 260}}}) {
            SCOPED_TRACE(testing::Message() << "code " << 100 + c.k << " width item " << item);
            ChooseTool(c.k);
            FillWithPattern();
            const QImage original = Picture();
            Press(200, 200);
            for (const QPoint& p : kWander) Move(p.x(), p.y());
            Release(c.release.x(), c.release.y());
            const QPointF S(200, 200);
            const QPointF P = c.k <= 6 ? QPointF(c.release) : QPointF(300, 260);
            std::function<bool(int, int)> allowed;
            switch (c.k) {
                case 1: allowed = [&](int x, int y) { return DistToSegment({double(x), double(y)}, S, {200, P.y()}) <= reach; }; break;
                case 2: allowed = [&](int x, int y) { return DistToSegment({double(x), double(y)}, S, {P.x(), 200}) <= reach; }; break;
                case 3: allowed = [&](int x, int y) { return DistToSegment({double(x), double(y)}, S, P) <= reach; }; break;
                case 5:
                case 6:
                    allowed = [&](int x, int y) {
                        return DistToSegment({double(x), double(y)}, S, P) <= reach || QLineF({double(x), double(y)}, P).length() <= 24;
                    };
                    break;
                default:
                    // Shapes: within their box, which ends at the last move.
                    allowed = [&](int x, int y) { return x >= 197 && x <= 303 && y >= 197 && y <= 263; };
            }
            EXPECT_GT(ChangedOnlyWhere(original, allowed), 50);
        }
    }
}

TEST_F(LineSetTest, FinalWidthsAreOneTwoFourAndPreviewWidthsOneTwoThree) {
    ASSERT_TRUE(form->ColorBox1->SelectColor(colors::Red));
    ChooseTool(2);  // horizontal line
    for (const auto& [item, preview, final] : {std::tuple{0, 1, 1}, std::tuple{1, 2, 2}, std::tuple{2, 3, 4}}) {
        SCOPED_TRACE(item);
        ChooseItem(form->R_Group_line, item);
        Click(form->Button_Clear);
        Press(100, 200);
        Move(250, 260);
        Move(300, 220);  // the line keeps the press point's y
        EXPECT_EQ(RunInColumn(200, 190, 210, colors::Red), preview);
        EXPECT_EQ(RunInColumn(200, 211, 270, colors::Red), 0);
        Release(300, 220);
        EXPECT_EQ(RunInColumn(200, 190, 210, colors::Red), final);
        EXPECT_EQ(RunInColumn(200, 211, 270, colors::Red), 0);
        EXPECT_EQ(Canvas().PenWidth(), final);
    }
}

TEST_F(LineSetTest, VerticalLineKeepsThePressPointsX) {
    ChooseTool(1);
    Drag({{150, 100}, {260, 180}, {320, 300}});
    int rows = 0;
    for (int y = 0; y < 500; ++y)
        for (int x = 0; x < 500; ++x)
            if (PixelAt(x, y) == Rgb(colors::Black)) {
                EXPECT_LE(std::abs(x - 150), 1) << x << "," << y;
                EXPECT_GE(y, 99);
                EXPECT_LE(y, 301);
                if (x == 150) ++rows;
            }
    EXPECT_GE(rows, 195);
}

TEST_F(LineSetTest, ArrowLineEndsInAFilledHeadAtTheReleasePoint) {
    // Width "太": the head reaches 12 pixels back and about 3 to each side.
    for (int k : {5, 3}) {
        SCOPED_TRACE(100 + k);
        ChooseTool(k);
        Click(form->Button_Clear);
        Drag({{100, 300}, {200, 300}, {300, 300}});
        const bool head = k == 5;
        EXPECT_EQ(PixelAt(299, 300) == Rgb(colors::Black), true);
        EXPECT_EQ(PixelAt(291, 302) == Rgb(colors::Black), head);
        EXPECT_EQ(PixelAt(291, 298) == Rgb(colors::Black), head);
        EXPECT_EQ(PixelAt(150, 303), Rgb(colors::White));
        EXPECT_EQ(PixelAt(303, 300), Rgb(colors::White));  // no farther than the tip
        EXPECT_EQ(Canvas().BrushColor(), colors::White);
    }
}

TEST_F(LineSetTest, CrossLineHasACrossOfHalfSizeThreeSixNine) {
    ChooseTool(6);
    for (int item = 0; item <= 2; ++item) {
        const int k = 3 * (item + 1);
        SCOPED_TRACE(k);
        ChooseItem(form->R_Group_line, item);
        Click(form->Button_Clear);
        Drag({{100, 250}, {300, 250}});
        const int X = 300, Y = 250;
        for (const QPoint d : {QPoint(-1, -1), QPoint(1, 1), QPoint(-1, 1), QPoint(1, -1)}) {
            const QPoint in(X + d.x() * (k - 1), Y + d.y() * (k - 1));
            const QPoint out(X + d.x() * (k + 4), Y + d.y() * (k + 4));
            EXPECT_EQ(PixelAt(in.x(), in.y()), Rgb(colors::Black)) << in.x() << "," << in.y();
            EXPECT_EQ(PixelAt(out.x(), out.y()), Rgb(colors::White)) << out.x() << "," << out.y();
        }
    }
}

TEST_F(LineSetTest, ShapesAreFilledWhiteOrLeftOpenAndEndAtTheLastMove) {
    for (int k : {7, 8, 9}) {
        for (int fill : {0, 1}) {
            SCOPED_TRACE(testing::Message() << "code " << 100 + k << " fill item " << fill);
            ChooseTool(k);
            ChooseItem(form->R_Group2, fill);
            FillGrey();
            // Dragged up and to the left; released beyond the last move.
            Press(300, 300);
            Move(250, 240);
            Move(200, 200);
            Release(150, 150);
            EXPECT_EQ(PixelAt(250, 250), Rgb(fill == 0 ? colors::White : kGrey));
            EXPECT_EQ(PixelAt(175, 175), Rgb(kGrey));  // the release point adds nothing
            EXPECT_EQ(PixelAt(250, 200), Rgb(colors::Black));  // top side, at the last move's y
            EXPECT_EQ(PixelAt(250, 305), Rgb(kGrey));
            EXPECT_EQ(Canvas().GetBrushStyle(),
                      fill == 0 ? platform::BrushStyle::Solid : platform::BrushStyle::Clear);
        }
    }
}

TEST_F(LineSetTest, TheFillDoesNotTouchLines) {
    ChooseTool(3);
    ChooseItem(form->R_Group2, 0);
    FillGrey();
    const QImage before = Picture();
    Drag({{100, 100}, {200, 200}});
    EXPECT_LT(DiffCount(Picture(), before), 400);
    EXPECT_EQ(PixelAt(120, 180), Rgb(kGrey));
}

TEST_F(LineSetTest, FreehandLineIsDrawnAsThePointerMovesAndEndsThere) {
    ASSERT_TRUE(form->ColorBox1->SelectColor(colors::Red));
    ChooseTool(4);
    ChooseItem(form->R_Group_line, 2);
    Press(100, 100);
    Move(200, 100);
    EXPECT_EQ(RunInColumn(150, 90, 110, colors::Red), 3);  // for good, 3 wide
    Move(200, 200);
    EXPECT_EQ(CountOf(Picture(), colors::Red) > 0, true);
    const QImage beforeRelease = Picture();
    Release(300, 300);
    EXPECT_EQ(Picture(), beforeRelease);
    EXPECT_NE(form->FUndoState, 0);
    EXPECT_EQ(PixelAt(250, 250), Rgb(colors::White));
}

TEST_F(LineSetTest, APressAndReleaseWithoutMovingIsAnEdit) {
    for (int k = 1; k <= 9; ++k) {
        SCOPED_TRACE(100 + k);
        ChooseTool(k);
        Click(form->Button_Clear);
        const QImage before = Picture();
        Press(250, 250);
        Release(250, 250);
        EXPECT_NE(form->FUndoState, 0);
        if (k != 5 && k != 6) EXPECT_EQ(Picture(), before);  // arrow head and cross still show
    }
    ChooseTool(0);
    Click(form->Button_Clear);
    Drag({{100, 100}, {200, 200}});
    EXPECT_EQ(form->FUndoState, 0);
}

}  // namespace
