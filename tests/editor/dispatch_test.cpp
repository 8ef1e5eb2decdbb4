// The surface's pointer handlers: what each (mode, tool, event) calls and
// which fields change.
#include <QLineEdit>
#include <QPushButton>

#include "FormFixture.h"

namespace {

class DispatchTest : public FormFixture {
protected:
    void ChooseRigTool(int code) {
        form->FRigTool = code;
        if (code >= 0 && code <= 34) form->SelectRigTool();
    }
    int NonWhiteCount() const {
        const QImage& img = Surface()->Picture().Image();
        int n = 0;
        for (int y = 0; y < img.height(); ++y) {
            const QRgb* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
            for (int x = 0; x < img.width(); ++x) n += (row[x] & 0xFFFFFF) != 0xFFFFFF;
        }
        return n;
    }
    void EnterPointMapMode() { form->Btn_Shikake_Or_Point->setText(QStringLiteral("ポイント図へ")); }
};

struct PressCase {
    int code;
    int strokeKind;     // after the press
    int rigToolAfter;
    bool anchorSet;     // FAnchor = press point
    bool draws;         // the press itself changes the picture
    bool snapshot;      // FUndoState leaves 0
    bool textBox;       // Edit_X opened
};

const PressCase kPress[] = {
    {0, 0, 0, false, false, false, false},
    {1, 0, 0, false, true, true, false},
    {12, 0, 0, false, true, true, false},
    {31, 0, 0, false, true, true, false},
    {34, 0, 0, false, true, true, false},
    {13, 0, 0, false, false, true, false},
    {14, 0, 0, false, false, true, false},
    {15, 1, 15, false, true, false, false},   // the blue mark at the press point
    {20, 1, 20, false, true, false, false},
    {30, 1, 30, false, true, false, false},
    {21, 1, 21, true, false, false, false},
    {22, 1, 22, true, false, false, false},
    {23, 2, 23, true, false, false, false},
    {24, 3, 24, true, false, false, false},
    {27, 4, 27, true, false, false, false},
    {28, 5, 28, true, false, false, false},
    {25, 1, 25, false, false, false, false},
    {26, 1, 26, false, false, false, false},
    {29, 0, 29, true, false, false, true},
    {35, 0, 35, false, false, false, false},
    {99, 0, 99, false, false, false, false},
};

TEST_F(DispatchTest, RigPressByToolCode) {
    for (const PressCase& c : kPress) {
        SCOPED_TRACE(c.code);
        form->Button_ClearClick();
        form->FStrokeKind = 0;
        form->FAnchor = {0, 0};
        form->Edit_X->setGeometry(0, 0, 0, 0);
        ChooseRigTool(c.code);
        const int before = NonWhiteCount();
        Press(120, 140);
        EXPECT_EQ(form->FDownPos, (TPoint{120, 140}));
        EXPECT_EQ(form->FStrokeKind, c.strokeKind);
        EXPECT_EQ(form->FRigTool, c.rigToolAfter);
        if (c.anchorSet) EXPECT_EQ(form->FAnchor, (TPoint{120, 140}));
        EXPECT_EQ(NonWhiteCount() != before, c.draws);
        EXPECT_EQ(form->FUndoState != 0, c.snapshot);
        EXPECT_EQ(form->Edit_X->width() > 0, c.textBox);
        if (c.code >= 1 && c.code <= 12) EXPECT_EQ(platform::Screen::Cursor(), platform::crDefault);
        Release(120, 140);
        EXPECT_EQ(form->FStrokeKind, 0);
    }
}

TEST_F(DispatchTest, SecondPressAfterAStampDrawsNothing) {
    Click(form->RigButton(3));
    Press(100, 100);
    Release(100, 100);
    const int after = NonWhiteCount();
    EXPECT_GT(after, 0);
    Press(300, 300);
    Release(300, 300);
    EXPECT_EQ(NonWhiteCount(), after);
    EXPECT_TRUE(form->RigButton(3)->isChecked());
    EXPECT_EQ(form->Label_Buhin->text(), QStringLiteral("大　ヨリモドシ"));
}

TEST_F(DispatchTest, StampUsesTheScreenCursorNotTheEventPosition) {
    Click(form->RigButton(7));
    // Cursor at (200, 200) while the event claims (50, 50).
    QCursor::setPos(Surface()->mapToGlobal(QPoint(200, 200)));
    QMouseEvent e(QEvent::MouseButtonPress, QPointF(50, 50), Surface()->mapToGlobal(QPointF(50, 50)),
                  Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Surface(), &e);
    EXPECT_EQ(form->FDownPos, (TPoint{200, 200}));
    int near200 = 0, near50 = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = -15; x < 15; ++x) {
            near200 += PixelAt(200 + x, 200 + y) == 0;
            near50 += PixelAt(50 + x, 50 + y) == 0;
        }
    EXPECT_GT(near200, 0);
    EXPECT_EQ(near50, 0);
}

TEST_F(DispatchTest, MoveGuardIsStrictAndTestsThePressPosition) {
    struct GuardCase {
        int px, py;
        bool handled;
    };
    const GuardCase cases[] = {{0, 50, false}, {50, 0, false}, {1, 1, true}, {499, 499, true}, {498, 10, true}};
    for (const GuardCase& g : cases) {
        SCOPED_TRACE(testing::Message() << g.px << "," << g.py);
        form->Button_ClearClick();
        ChooseRigTool(21);
        Press(g.px, g.py);
        form->FLastPt = {-1, -1};
        Move(g.px + 30 > 499 ? g.px - 30 : g.px + 30, 200);
        EXPECT_EQ(form->FLastPt != (TPoint{-1, -1}), g.handled);
        EXPECT_EQ(NonWhiteCount() > 0, g.handled);
        Release(10, 10);
    }
}

TEST_F(DispatchTest, MoveWithoutStrokeOnlyUpdatesTheLastPoint) {
    Click(form->RigButton(15));
    Press(100, 100);
    Release(100, 100);
    const QImage before = Surface()->Picture().Image().copy();
    Move(150, 160, Qt::NoButton);
    EXPECT_EQ(form->FLastPt, (TPoint{150, 160}));
    EXPECT_EQ(Surface()->Picture().Image(), before);
}

TEST_F(DispatchTest, LeftDragLeavingTheSurfaceIsFinishedOutside) {
    Click(form->RigButton(18));
    Press(400, 250);
    Move(480, 250);
    Move(560, 250);   // outside the surface: still followed
    Release(600, 250);
    EXPECT_EQ(form->FStrokeKind, 0);
    EXPECT_EQ(PixelAt(499, 250), 0x000000);  // the line reaches the edge
}

TEST_F(DispatchTest, OnlyTheLeftButtonCapturesThePointer) {
    Click(form->RigButton(21));
    Press(100, 100, Qt::RightButton);
    EXPECT_EQ(form->FStrokeKind, 1);
    Move(600, 100, Qt::RightButton);   // outside: not delivered
    Release(600, 100, Qt::RightButton);
    EXPECT_EQ(form->FStrokeKind, 1);   // no release reached the surface
    // Later moves over the surface keep acting on the stroke.
    Move(150, 100, Qt::NoButton);
    EXPECT_EQ(PixelAt(120, 100), 0x000000);
    Press(200, 200);
    Release(200, 200);
    EXPECT_EQ(form->FStrokeKind, 0);
}

TEST_F(DispatchTest, PressOnTheWindowBackgroundGoesToThePressHandler) {
    Click(form->RigButton(21));
    QCursor::setPos(form->mapToGlobal(QPoint(2, 570)));
    QMouseEvent e(QEvent::MouseButtonPress, QPointF(2, 570), form->mapToGlobal(QPointF(2, 570)), Qt::LeftButton,
                  Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &e);
    EXPECT_EQ(form->FStrokeKind, 1);
    EXPECT_EQ(form->FAnchor, (TPoint{2, 570}));
    EXPECT_LT(form->FDownPos.X, 0);  // left of the surface: moves are ignored
}

TEST_F(DispatchTest, PointMapPressResetsTheDragState) {
    EnterPointMapMode();
    form->FBandOffset = form->FQuarterOffset = form->FThreeQuarterOffset = {9, 9};
    form->FMapTool = 0;
    Press(70, 80);
    EXPECT_TRUE(form->FMouseIsDown);
    EXPECT_EQ(form->FStartPt, (TPoint{70, 80}));
    EXPECT_EQ(form->FLastPt, (TPoint{70, 80}));
    for (TPoint p : {form->FBandEndCorner, form->FBandStartCorner, form->FDividerEnd, form->FDividerStart})
        EXPECT_EQ(p, (TPoint{70, 80}));
    for (TPoint p : {form->FBandOffset, form->FQuarterOffset, form->FThreeQuarterOffset}) EXPECT_EQ(p, (TPoint{0, 0}));
    EXPECT_EQ(Canvas().PenPos(), (TPoint{70, 80}));
    Release(90, 80);
    EXPECT_FALSE(form->FMouseIsDown);
}

TEST_F(DispatchTest, RigModeNeitherSetsNorReadsTheMapDragFlag) {
    Click(form->RigButton(21));
    Press(10, 10);
    EXPECT_FALSE(form->FMouseIsDown);
    Release(10, 10);
}

}  // namespace
