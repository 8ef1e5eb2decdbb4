// Breakwaters on the real surface: the band offsets, the rubber-band outline
// that leaves no trace, and the painted band with its open edges and
// dividers.
#include <QLineEdit>
#include <array>

#include "editor/map/Breakwater.h"
#include "map_fixture.h"

namespace {

using platform::Color;
using platform::TPoint;
namespace colors = platform::colors;

class BreakwaterTest : public MapFixture {
protected:
    void SetUp() override {
        MapFixture::SetUp();
        ChooseSet(0);
    }
    void SetWidth(int w) {
        form->UpDown1->setPosition(w);
        ASSERT_EQ(form->Edit_Haba->text(), QString::number(w));
    }
    editor::BandOffsets Offsets() const {
        return {form->FBandOffset, form->FQuarterOffset, form->FThreeQuarterOffset};
    }
    editor::BandOutline Shown() const {
        return {form->FStartPt,        form->FLastPt,   form->FBandEndCorner,
                form->FBandStartCorner, form->FDividerEnd, form->FDividerStart};
    }
    // Whether any pixel within `r` of (x, y) has colour `c`.
    bool Near(int x, int y, Color c, int r = 1) const {
        for (int dy = -r; dy <= r; ++dy)
            for (int dx = -r; dx <= r; ++dx)
                if (PixelAt(x + dx, y + dy) == Rgb(c)) return true;
        return false;
    }
};

TEST_F(BreakwaterTest, OffsetsTurnTheDragDirectionByARightAngle) {
    struct Case {
        TPoint d;  // drag direction
        int W;
        TPoint band, quarter, three;
    };
    const Case cases[] = {
        {{10, 0}, 20, {0, 20}, {0, 5}, {0, 15}},        // right: below the drag line
        {{-10, 0}, 20, {0, -20}, {0, -5}, {0, -15}},    // left: above it
        {{0, 10}, 20, {-20, 0}, {-5, 0}, {-15, 0}},     // down: to its left
        {{0, -10}, 20, {20, 0}, {5, 0}, {15, 0}},       // up: to its right
        {{10, 0}, 25, {0, 25}, {0, 6}, {0, 18}},        // integer quarter of 25
        {{-7, 0}, 25, {0, -25}, {0, -6}, {0, -18}},
        {{0, 3}, 25, {-25, 0}, {-6, 0}, {-18, 0}},
        {{0, -1}, 25, {25, 0}, {6, 0}, {18, 0}},
        {{40, 0}, 100, {0, 100}, {0, 25}, {0, 75}},
        {{-40, 0}, 100, {0, -100}, {0, -25}, {0, -75}},
        {{0, 40}, 100, {-100, 0}, {-25, 0}, {-75, 0}},
        {{0, -40}, 100, {100, 0}, {25, 0}, {75, 0}},
        {{3, 4}, 20, {-16, 12}, {-4, 3}, {-12, 9}},     // slanting: rounded per axis
        {{3, 4}, 25, {-20, 15}, {-5, 4}, {-14, 11}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.d.X << "," << c.d.Y << " W " << c.W);
        form->FStartPt = {200, 200};
        form->FLastPt = {200 + c.d.X, 200 + c.d.Y};
        form->ComputeBandOffsets(c.W);
        EXPECT_EQ(form->FBandOffset, c.band);
        EXPECT_EQ(form->FQuarterOffset, c.quarter);
        EXPECT_EQ(form->FThreeQuarterOffset, c.three);
    }
    // Without a direction the offsets stay as they were.
    form->FLastPt = form->FStartPt;
    form->ComputeBandOffsets(100);
    EXPECT_EQ(form->FBandOffset, (TPoint{-20, 15}));
    EXPECT_EQ(form->FThreeQuarterOffset, (TPoint{-14, 11}));
}

TEST_F(BreakwaterTest, TheFirstOutlineOfADragLiesOnTheDragLine) {
    ChooseTool(4);
    SetWidth(40);
    FillGrey();
    Press(100, 200);
    Move(200, 200);
    // The offsets come from the previous move: still none. The outline
    // runs out along the drag line and back, so it shows at most at its
    // two ends.
    EXPECT_EQ(form->FBandOffset, (TPoint{0, 0}));
    const QImage first = Picture();
    for (int y = 0; y < 500; ++y)
        for (int x = 0; x < 500; ++x)
            if (first.pixel(x, y) != qRgb(kGrey.r, kGrey.g, kGrey.b))
                EXPECT_TRUE(y == 200 && (x == 100 || x == 200)) << x << "," << y;
    Move(300, 200);
    EXPECT_EQ(form->FBandOffset, (TPoint{0, 40}));
    EXPECT_NE(PixelAt(150, 240), Rgb(kGrey));  // the far side shows now
    EXPECT_EQ(PixelAt(150, 220), Rgb(kGrey));
    EXPECT_EQ(Canvas().GetPenMode(), platform::PenMode::Copy);
    Release(300, 200);
}

TEST_F(BreakwaterTest, TheRubberBandLeavesNoTraceForEveryBand) {
    SetWidth(45);
    const std::array<QPoint, 7> path{{{230, 210}, {260, 260}, {240, 330}, {150, 280}, {120, 190}, {210, 150}, {205, 152}}};
    for (int k = 1; k <= 9; ++k) {
        SCOPED_TRACE(100 + k);
        ChooseTool(k);
        FillWithPattern();
        const QImage original = Picture();
        Press(200, 200);
        for (const QPoint& p : path) {
            Move(p.x(), p.y());
            // Taking away the outline now on the picture gives the picture back.
            QImage now = Picture();
            platform::Canvas probe(&now);
            probe.SetPenMode(platform::PenMode::NotXor);
            editor::DrawBandOutline(probe, form->FMapTool, Shown());
            ASSERT_EQ(DiffCount(now, original), 0) << p.x() << "," << p.y();
        }
        EXPECT_EQ(form->FLastPt, (TPoint{205, 152}));

        // The release paints the band on the picture as it was, whether or
        // not it comes where the pointer last moved.
        const editor::BandOffsets offsets = Offsets();
        const QPoint end = k % 2 ? QPoint(205, 152) : QPoint(215, 160);
        Release(end.x(), end.y());
        platform::Bitmap want(original);
        editor::PaintBand(want.GetCanvas(), {100 + k, {200, 200}, {end.x(), end.y()}, offsets, colors::Black});
        EXPECT_EQ(DiffCount(Picture(), want.Image()), 0);
    }
}

TEST_F(BreakwaterTest, ReleasePaintsTheBandWithItsOpenEdgesAndDivider) {
    struct Case {
        int k;
        bool startClosed, endClosed, quarter, threeQuarter;
    };
    const Case cases[] = {
        {1, false, true, false, false}, {2, false, true, true, false}, {3, false, true, false, true},
        {4, true, true, false, false},  {5, true, true, true, false},  {6, true, true, false, true},
        {7, false, false, false, false}, {8, false, false, true, false}, {9, false, false, false, true},
    };
    SetWidth(40);
    ASSERT_TRUE(form->ColorBox1->SelectColor(colors::Red));
    const Color red = colors::Red;
    for (const Case& c : cases) {
        SCOPED_TRACE(100 + c.k);
        ChooseTool(c.k);
        FillGrey();
        const int stateBefore = form->FUndoState;
        // A drag to the right: the band lies below, 40 pixels wide, its
        // dividers 10 and 30 pixels from the drag line.
        Drag({{100, 200}, {200, 200}, {300, 200}});
        EXPECT_EQ(form->FBandOffset, (TPoint{0, 40}));
        EXPECT_TRUE(Near(200, 200, red));  // drag line
        EXPECT_TRUE(Near(200, 240, red));  // far side
        EXPECT_EQ(Near(100, 220, red, 2), c.startClosed);
        EXPECT_EQ(Near(300, 220, red, 2), c.endClosed);
        if (!c.startClosed) EXPECT_EQ(PixelAt(100, 220), Rgb(colors::White));
        if (!c.endClosed) EXPECT_EQ(PixelAt(300, 220), Rgb(colors::White));
        EXPECT_EQ(Near(200, 210, red), c.quarter);
        EXPECT_EQ(Near(200, 230, red), c.threeQuarter);
        // White inside, covering the grey; grey outside.
        for (const QPoint p : {QPoint(200, 205), QPoint(200, 220), QPoint(150, 235), QPoint(250, 215)})
            EXPECT_EQ(PixelAt(p.x(), p.y()), Rgb(colors::White)) << p.x() << "," << p.y();
        for (const QPoint p : {QPoint(200, 195), QPoint(200, 245), QPoint(95, 220), QPoint(305, 220)})
            EXPECT_EQ(PixelAt(p.x(), p.y()), Rgb(kGrey)) << p.x() << "," << p.y();
        // The preview was black; nothing of it is left.
        EXPECT_EQ(CountOf(Picture(), colors::Black), 0);
        EXPECT_NE(form->FUndoState, 0);
        if (stateBefore == 2) EXPECT_TRUE(form->Btn_Undo_2->isEnabled());
        // Pen and brush as the release leaves them.
        EXPECT_EQ(Canvas().GetPenMode(), platform::PenMode::Copy);
        EXPECT_EQ(Canvas().PenWidth(), 2);
        EXPECT_EQ(Canvas().GetBrushStyle(), platform::BrushStyle::Solid);
        EXPECT_EQ(Canvas().PenColor(), c.startClosed ? red : colors::Black);
    }
}

TEST_F(BreakwaterTest, TheBandLiesToTheRightOfTheDragDirection) {
    struct Case {
        QPoint from, to;
        QPoint inside, outside;
    };
    const Case cases[] = {
        {{100, 200}, {300, 200}, {200, 215}, {200, 185}},  // right: below
        {{300, 200}, {100, 200}, {200, 185}, {200, 215}},  // left: above
        {{200, 100}, {200, 300}, {185, 200}, {215, 200}},  // down: to the left
        {{200, 300}, {200, 100}, {215, 200}, {185, 200}},  // up: to the right
    };
    ChooseTool(4);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from.x() << "," << c.from.y() << " -> " << c.to.x() << "," << c.to.y());
        FillGrey();
        Drag({c.from, (c.from + c.to) / 2, c.to});
        EXPECT_EQ(PixelAt(c.inside.x(), c.inside.y()), Rgb(colors::White));
        EXPECT_EQ(PixelAt(c.outside.x(), c.outside.y()), Rgb(kGrey));
    }
}

TEST_F(BreakwaterTest, AClickPaintsACollapsedBandAndIsAnEdit) {
    ChooseTool(5);
    FillGrey();
    const QImage before = Picture();
    Press(250, 250);
    Release(250, 250);
    EXPECT_NE(form->FUndoState, 0);
    const QImage after = Picture();
    for (int y = 0; y < 500; ++y)
        for (int x = 0; x < 500; ++x)
            if (std::abs(x - 250) > 2 || std::abs(y - 250) > 2) ASSERT_EQ(after.pixel(x, y), before.pixel(x, y));
}

TEST_F(BreakwaterTest, WithoutABandToolADragDrawsNothingAndIsNoEdit) {
    ChooseTool(0);
    FillWithPattern();
    const QImage before = Picture();
    Drag({{100, 100}, {200, 150}, {250, 300}});
    EXPECT_EQ(Picture(), before);
    EXPECT_EQ(form->FUndoState, 0);
}

}  // namespace
