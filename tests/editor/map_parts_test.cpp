// The parts set on the real surface: symbols placed with one press, the map
// text box, and the eraser with its red ring.
#include <QLineEdit>
#include <QTest>

#include "editor/map/Symbols.h"
#include "map_fixture.h"

namespace {

using platform::Color;
namespace colors = platform::colors;

// The eraser's red ring drawn in not-xor mode over the grey picture.
constexpr Color kRingOnGrey{128, 127, 127};

class PartsSetTest : public MapFixture {
protected:
    void SetUp() override {
        MapFixture::SetUp();
        ChooseSet(2);
    }
    // A line-set rectangle in the top-left corner, with the fill item given:
    // it leaves the brush solid ("有") or clear ("無").
    void DrawRectangleWithFill(int fill) {
        ChooseSet(1);
        ChooseTool(7);
        ChooseItem(form->R_Group2, fill);
        Drag({{5, 5}, {30, 30}});
        ChooseSet(2);
    }
    void PressEnterInTextBox() {
        QTest::keyClick(form->Edit_Y, Qt::Key_Return);
        QApplication::processEvents();
    }
};

TEST_F(PartsSetTest, EachSymbolIsPlacedAtThePressAndIsAnEdit) {
    for (int k = 1; k <= 7; ++k) {
        SCOPED_TRACE(100 + k);
        ChooseTool(k);
        FillGrey();
        platform::Bitmap want(Picture());
        editor::DrawMapSymbol(want.GetCanvas(), 100 + k, 230, 210);
        const int stateBefore = form->FUndoState;
        Press(230, 210);
        EXPECT_EQ(form->FDownPos, (platform::TPoint{230, 210}));
        Release(230, 210);
        EXPECT_EQ(DiffCount(Picture(), want.Image()), 0);
        EXPECT_NE(form->FUndoState, 0);
        if (stateBefore != 0) EXPECT_TRUE(form->Btn_Undo_2->isEnabled());
        EXPECT_EQ(form->FMapTool, 100 + k);  // the tool stays chosen
    }
}

TEST_F(PartsSetTest, SandyBeachSetsSixtyEightBlackPixels) {
    ChooseTool(5);
    Press(250, 250);
    Release(250, 250);
    EXPECT_EQ(CountOf(Picture(), colors::Black), 68);
    Press(20, 20);  // a second press, another beach
    Release(20, 20);
    EXPECT_EQ(CountOf(Picture(), colors::Black), 136);
}

TEST_F(PartsSetTest, SymbolsAreOutlinesAfterAnUnfilledShapeAndFilledAfterABreakwater) {
    FillGrey();
    DrawRectangleWithFill(1);  // "無": the brush is left clear
    ChooseTool(4);
    Press(200, 200);
    Release(200, 200);
    EXPECT_EQ(PixelAt(208, 200), Rgb(kGrey));  // between the two squares
    EXPECT_EQ(PixelAt(200, 200), Rgb(kGrey));

    ChooseSet(0);
    ChooseTool(1);
    Drag({{300, 400}, {350, 400}, {400, 400}});  // a breakwater makes it solid again
    ChooseSet(2);
    ChooseTool(4);
    Press(300, 200);
    Release(300, 200);
    EXPECT_EQ(PixelAt(308, 200), Rgb(colors::White));
    EXPECT_EQ(PixelAt(300, 200), Rgb(colors::White));

    DrawRectangleWithFill(0);  // "有" as well
    ChooseTool(1);
    Press(100, 300);
    Release(100, 300);
    EXPECT_EQ(PixelAt(115, 320), Rgb(colors::White));  // inside the tetrapod's stem
}

TEST_F(PartsSetTest, TextBoxOpensAtThePressAndEnterDrawsTheText) {
    ChooseTool(8);
    Press(100, 150);
    Release(100, 150);
    EXPECT_EQ(form->FAnchor, (platform::TPoint{100, 150}));
    EXPECT_EQ(form->Edit_Y->parentWidget(), form->Panel_Image);
    EXPECT_EQ(form->Edit_Y->geometry(), QRect(106, 146, 150, 15));
    EXPECT_TRUE(form->Edit_Y->isVisible());
    EXPECT_TRUE(form->Edit_Y->text().isEmpty());
    EXPECT_EQ(form->Edit_Y->font().pointSize(), 9);
    EXPECT_EQ(form->Edit_Y->palette().color(QPalette::Base), QColor(192, 220, 192));
    EXPECT_EQ(form->Edit_Y->cursor().shape(), Qt::IBeamCursor);
    EXPECT_EQ(form->FUndoState, 0);  // nothing drawn yet

    // A further press moves the box and empties it; nothing is drawn.
    QTest::keyClicks(form->Edit_Y, "old");
    ASSERT_EQ(form->Edit_Y->text(), QStringLiteral("old"));
    Press(120, 160);
    Release(120, 160);
    EXPECT_EQ(form->Edit_Y->geometry(), QRect(126, 156, 150, 15));
    EXPECT_TRUE(form->Edit_Y->text().isEmpty());
    EXPECT_EQ(CountOf(Picture(), colors::White), 500 * 500);

    QTest::keyClicks(form->Edit_Y, "Port 7");
    form->Edit_Y->insert(QStringLiteral(" 潮見"));  // typed through the input method
    ASSERT_EQ(form->Edit_Y->text(), QStringLiteral("Port 7 潮見"));
    PressEnterInTextBox();

    platform::Bitmap want(500, 500);
    want.GetCanvas().TextOut(120, 152, QStringLiteral("Port 7 潮見"));
    EXPECT_EQ(Picture(), want.Image());
    EXPECT_LT(CountOf(Picture(), colors::White), 500 * 500);
    EXPECT_TRUE(form->Edit_Y->text().isEmpty());
    EXPECT_EQ(form->Edit_Y->geometry(), QRect(0, 0, 0, 0));
    EXPECT_TRUE(form->S2_Btn0->isChecked());
    EXPECT_EQ(form->FMapTool, 108);  // the next press opens the box again
    EXPECT_EQ(platform::Screen::Cursor(), platform::crDefault);
    EXPECT_NE(form->FUndoState, 0);

    Press(300, 300);
    Release(300, 300);
    EXPECT_EQ(form->Edit_Y->geometry(), QRect(306, 296, 150, 15));
}

TEST_F(PartsSetTest, TheHiddenTextBoxGivesUpTheKeyboard) {
    form->activateWindow();
    ChooseTool(8);
    Press(100, 150);
    Release(100, 150);
    ASSERT_TRUE(form->Edit_Y->hasFocus());
    PressEnterInTextBox();
    EXPECT_FALSE(form->Edit_Y->hasFocus());
}

TEST_F(PartsSetTest, MapTextHasAWhiteBackgroundOnlyWithASolidBrush) {
    for (int fill : {0, 1}) {
        SCOPED_TRACE(fill);
        FillGrey();
        DrawRectangleWithFill(fill);
        ChooseTool(8);
        Press(200, 300);
        Release(200, 300);
        QTest::keyClicks(form->Edit_Y, "ii");
        PressEnterInTextBox();
        // The text cell starts 8 pixels above the pressed point.
        EXPECT_EQ(PixelAt(199, 293), Rgb(kGrey));
        EXPECT_EQ(PixelAt(200, 292), Rgb(fill == 0 ? colors::White : kGrey));
        EXPECT_EQ(PixelAt(200, 291), Rgb(kGrey));
    }
}

TEST_F(PartsSetTest, EnterOnAnEmptyBoxDrawsNothingButIsAnEdit) {
    ChooseTool(8);
    Press(100, 100);
    Release(100, 100);
    PressEnterInTextBox();
    EXPECT_EQ(CountOf(Picture(), colors::White), 500 * 500);
    EXPECT_NE(form->FUndoState, 0);
    EXPECT_EQ(form->Edit_Y->geometry(), QRect(0, 0, 0, 0));
}

TEST_F(PartsSetTest, EraserLeavesWhiteDiscsOfItsSizeAndNoRedRing) {
    ChooseTool(9);
    for (int item : {0, 1}) {
        const int r = item == 0 ? 5 : 10;
        SCOPED_TRACE(r);
        ChooseItem(form->R_Group_Keshigomu, item);
        FillGrey();
        Press(100, 100);
        EXPECT_EQ(Picture().pixel(100, 100), qRgb(kGrey.r, kGrey.g, kGrey.b));  // the press erases nothing yet
        Move(140, 100);
        // The ring marks the eraser (red in not-xor: on grey it comes out as
        // the grey's inverse crossed with red); the inside is kept until the
        // next move.
        EXPECT_GT(CountOf(Picture(), kRingOnGrey), 2 * r);
        EXPECT_EQ(PixelAt(140, 100), Rgb(kGrey));
        EXPECT_EQ(PixelAt(100, 100), Rgb(colors::White));
        EXPECT_EQ(Canvas().GetPenMode(), platform::PenMode::Copy);
        Move(180, 100);
        Release(180, 100);

        EXPECT_EQ(CountOf(Picture(), kRingOnGrey), 0);
        for (int cx : {100, 140, 180}) {
            SCOPED_TRACE(cx);
            EXPECT_EQ(PixelAt(cx, 100), Rgb(colors::White));
            EXPECT_EQ(PixelAt(cx - r + 1, 100), Rgb(colors::White));
            EXPECT_EQ(PixelAt(cx + r - 2, 100), Rgb(colors::White));
            EXPECT_EQ(PixelAt(cx, 100 - r + 1), Rgb(colors::White));
            EXPECT_EQ(PixelAt(cx, 100 + r - 2), Rgb(colors::White));
            EXPECT_EQ(PixelAt(cx, 100 - r - 1), Rgb(kGrey));
            EXPECT_EQ(PixelAt(cx, 100 + r + 1), Rgb(kGrey));
        }
        EXPECT_EQ(PixelAt(120, 100), Rgb(kGrey));  // a gap between the discs
        EXPECT_NE(form->FUndoState, 0);
    }
}

TEST_F(PartsSetTest, EraserReleasedAwayFromTheLastMoveLeavesNoRing) {
    ChooseTool(9);
    ChooseItem(form->R_Group_Keshigomu, 1);
    Press(100, 100);
    Move(150, 150);
    ASSERT_GT(CountOf(Picture(), colors::Red), 0);  // on white the ring is red
    Release(200, 130);
    EXPECT_EQ(CountOf(Picture(), colors::Red), 0);
    EXPECT_EQ(PixelAt(150, 150), Rgb(colors::White));
    EXPECT_EQ(PixelAt(200, 130), Rgb(colors::White));
    EXPECT_EQ(CountOf(Picture(), colors::White), 500 * 500);
}

TEST_F(PartsSetTest, EraserWithoutAHeldButtonDoesNothing) {
    ChooseTool(9);
    FillGrey();
    const QImage before = Picture();
    Move(100, 100, Qt::NoButton);
    Move(150, 100, Qt::NoButton);
    EXPECT_EQ(Picture(), before);
}

}  // namespace
