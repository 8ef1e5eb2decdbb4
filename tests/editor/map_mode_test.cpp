// The switch between rig mode and point-map mode, and the point-map palette:
// which palette is in front, the fresh picture, the undo reset, the button
// sets with their glyphs, names and previews, and the breakwater width box.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "editor/resources/Art.h"
#include "map_fixture.h"

namespace {

using platform::Color;
namespace colors = platform::colors;

bool Within(const QWidget* w, const QWidget* ancestor) { return w && (w == ancestor || ancestor->isAncestorOf(w)); }

QImage GlyphImage(int index) { return editor::MapGlyph(index).toImage(); }

class ModeSwitchTest : public FormFixture {
protected:
    // The widget the user reaches at a point of the window.
    QWidget* At(int x, int y) const { return form->childAt(x, y); }
    QPoint InWindow(const QWidget* w) const { return w->mapTo(form.get(), w->rect().center()); }

    // Two completed edits: undo is possible.
    void MakeTwoEdits() {
        Canvas().SetPixel(10, 10, colors::Black);
        form->TakeUndoSnapshot();
        Canvas().SetPixel(20, 20, colors::Black);
        form->TakeUndoSnapshot();
        ASSERT_TRUE(form->Btn_Undo_1->isEnabled());
    }

    void ExpectUndoReset() {
        EXPECT_EQ(form->FUndoState, 0);
        EXPECT_FALSE(form->Btn_Undo_1->isEnabled());
        EXPECT_FALSE(form->Btn_Undo_2->isEnabled());
    }

    void ExpectFreshCanvas() {
        platform::Canvas& c = Canvas();
        EXPECT_EQ(c.PenColor(), colors::Black);
        EXPECT_EQ(c.PenWidth(), 1);
        EXPECT_EQ(c.GetPenMode(), platform::PenMode::Copy);
        EXPECT_EQ(c.BrushColor(), colors::White);
        EXPECT_EQ(c.GetBrushStyle(), platform::BrushStyle::Solid);
    }
};

TEST_F(ModeSwitchTest, AtStartTheRigPaletteIsInFrontAndTheMapPaletteWaits) {
    EXPECT_EQ(form->Btn_Shikake_Or_Point->text(), QStringLiteral("仕掛け図へ"));
    EXPECT_TRUE(Within(At(530, 100), form->Panel_Shikake));
    EXPECT_TRUE(form->S2_Btn0->isChecked());
    EXPECT_TRUE(form->Label_Point->text().isEmpty());
    // The groups start on the items the form gives them.
    EXPECT_EQ(form->R_Group1->ItemIndex(), 0);
    EXPECT_EQ(form->R_Group_line->ItemIndex(), 1);
    EXPECT_EQ(form->R_Group2->ItemIndex(), 1);
    EXPECT_EQ(form->R_Group_Keshigomu->ItemIndex(), 0);
    EXPECT_TRUE(form->R_Group_line->Button(1)->isChecked());
    EXPECT_EQ(form->FMapTool, 0);
    for (int k = 0; k <= 9; ++k) EXPECT_TRUE(form->MapButton(k)->text().isEmpty()) << k;
    EXPECT_EQ(form->S2_Btn0->Glyph().toImage(), editor::MapArrowGlyph().toImage());
    // The width caption shows whole, inside the palette.
    const QLabel* hato = form->Label_Hato;
    EXPECT_GE(hato->width(), hato->fontMetrics().horizontalAdvance(QStringLiteral("波止の幅")));
    EXPECT_LE(hato->geometry().right(), form->Panel_Point->width() - 1);
}

TEST_F(ModeSwitchTest, ToPointMapModeGivesABlankPictureTheMapPaletteAndNoUndo) {
    MakeTwoEdits();
    const QByteArray streamBefore = form->FUndoCurrent;
    Canvas().SetPenWidth(3);
    Canvas().SetBrushStyle(platform::BrushStyle::Clear);

    Click(form->Btn_Shikake_Or_Point);

    EXPECT_EQ(form->Btn_Shikake_Or_Point->text(), QStringLiteral("ポイント図へ"));
    EXPECT_FALSE(form->IsRigMode());
    // The map palette covers the rig palette down to window y 484 only.
    EXPECT_TRUE(Within(At(530, 100), form->Panel_Point));
    EXPECT_TRUE(Within(At(530, 484), form->Panel_Point));
    EXPECT_TRUE(Within(At(530, 486), form->Panel_Shikake));
    EXPECT_TRUE(Within(At(InWindow(form->ColorBox1).x(), InWindow(form->ColorBox1).y()), form->ColorBox1));
    EXPECT_EQ(At(InWindow(form->Button4).x(), InWindow(form->Button4).y()), form->Button4);
    EXPECT_EQ(At(InWindow(form->Btn_ClipBord).x(), InWindow(form->Btn_ClipBord).y()), form->Btn_ClipBord);
    // Both undo buttons sit at one spot.
    EXPECT_EQ(form->Btn_Undo_2->mapTo(form.get(), QPoint(0, 0)), QPoint(608, 83));
    EXPECT_EQ(form->Btn_Undo_1->mapTo(form.get(), QPoint(0, 0)), QPoint(608, 83));

    const QImage blank = Surface()->Picture().Image();
    EXPECT_EQ(blank.size(), QSize(500, 500));
    EXPECT_EQ(CountOf(blank, colors::White), 500 * 500);
    EXPECT_EQ(Surface()->geometry(), QRect(6, 7, 500, 500));
    ExpectFreshCanvas();
    EXPECT_EQ(form->Label_Size->text(), QStringLiteral("BitMapのサイズ　500 * 500"));

    ExpectUndoReset();
    EXPECT_EQ(form->FUndoCurrent, streamBefore);  // the streams are left as they were

    EXPECT_EQ(form->R_Group1->ItemIndex(), 0);
    EXPECT_FALSE(form->R_Group2->isEnabled());
    EXPECT_FALSE(form->R_Group_line->isEnabled());
    EXPECT_FALSE(form->R_Group_Keshigomu->isEnabled());
    EXPECT_TRUE(form->Edit_Haba->isEnabled());
    EXPECT_TRUE(form->UpDown1->isEnabled());
    EXPECT_TRUE(form->Label_Hato->isEnabled());
    EXPECT_TRUE(form->Label_Point->text().isEmpty());
    EXPECT_TRUE(form->Image_H->pixmap().isNull());
    EXPECT_TRUE(form->S2_Btn0->isChecked());
    EXPECT_EQ(form->FMapTool, 0);
    for (int k = 1; k <= 9; ++k) {
        EXPECT_FALSE(form->MapButton(k)->Glyph().isNull()) << k;
        EXPECT_EQ(form->MapButton(k)->Glyph().toImage(), GlyphImage(k - 1)) << k;
    }
}

TEST_F(ModeSwitchTest, BackToRigModeWritesTheHeadingAndResetsUndo) {
    form->FRigTool = 5;
    Click(form->Btn_Shikake_Or_Point);
    Canvas().SetPixel(100, 100, colors::Black);
    form->TakeUndoSnapshot();
    form->TakeUndoSnapshot();
    Click(form->S2_Btn0);
    ASSERT_TRUE(form->Btn_Undo_2->isEnabled());

    Click(form->Btn_Shikake_Or_Point);

    EXPECT_EQ(form->Btn_Shikake_Or_Point->text(), QStringLiteral("仕掛け図へ"));
    EXPECT_TRUE(form->IsRigMode());
    EXPECT_TRUE(Within(At(530, 100), form->Panel_Shikake));
    EXPECT_TRUE(form->S_Btn_Default->isChecked());
    EXPECT_EQ(form->FRigTool, 5);  // the rig tool is left alone
    ExpectUndoReset();
    ExpectFreshCanvas();
    EXPECT_EQ(form->Label_Size->text(), QStringLiteral("BitMapのサイズ　500 * 500"));

    // A blank picture with "仕掛け図" at (5, 2) in the canvas's own font on white.
    platform::Bitmap want(500, 500);
    want.GetCanvas().TextOut(5, 2, QStringLiteral("仕掛け図"));
    const QImage got = Surface()->Picture().Image();
    EXPECT_EQ(got, want.Image());
    int ink = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 120; ++x)
            if (got.pixel(x, y) != qRgb(255, 255, 255)) {
                ++ink;
                EXPECT_GE(x, 5);
                EXPECT_GE(y, 2);
            }
    EXPECT_GT(ink, 20);
    EXPECT_EQ(got.pixel(200, 200), qRgb(255, 255, 255));
}

TEST_F(ModeSwitchTest, SwitchingToPointMapModeAgainStartsOnTheBreakwaterSet) {
    Click(form->Btn_Shikake_Or_Point);
    Click(form->R_Group1->Button(2));
    Click(form->MapButton(9));
    ASSERT_TRUE(form->R_Group_Keshigomu->isEnabled());
    Click(form->Btn_Shikake_Or_Point);
    Click(form->Btn_Shikake_Or_Point);

    EXPECT_EQ(form->R_Group1->ItemIndex(), 0);
    EXPECT_EQ(form->FMapTool, 0);
    EXPECT_FALSE(form->R_Group_Keshigomu->isEnabled());
    EXPECT_TRUE(form->S2_Btn0->isChecked());
    EXPECT_FALSE(form->MapButton(9)->isChecked());
    for (int k = 1; k <= 9; ++k) EXPECT_EQ(form->MapButton(k)->Glyph().toImage(), GlyphImage(k - 1)) << k;
}

// ------------------------------------------------------------ the palette

class MapPaletteTest : public MapFixture {};

TEST_F(MapPaletteTest, EachSetEnablesItsOwnControlsAndLoadsItsGlyphs) {
    struct Case {
        int set;
        bool lineGroups;  // R_Group2, R_Group_line
        bool width;       // Edit_Haba, UpDown1, Label_Hato
    };
    for (const Case& c : {Case{1, true, false}, Case{2, false, false}, Case{0, false, true}, Case{2, false, false},
                          Case{1, true, false}}) {
        SCOPED_TRACE(c.set);
        ChooseSet(c.set);
        EXPECT_EQ(form->R_Group2->isEnabled(), c.lineGroups);
        EXPECT_EQ(form->R_Group_line->isEnabled(), c.lineGroups);
        EXPECT_EQ(form->Edit_Haba->isEnabled(), c.width);
        EXPECT_EQ(form->UpDown1->isEnabled(), c.width);
        EXPECT_EQ(form->Label_Hato->isEnabled(), c.width);
        for (int k = 1; k <= 9; ++k)
            EXPECT_EQ(form->MapButton(k)->Glyph().toImage(), GlyphImage(c.set * 9 + k - 1)) << k;
    }
}

TEST_F(MapPaletteTest, AChangeOfSetLeavesNoToolActiveThoughTheButtonStillLooksDown) {
    ChooseSet(1);
    ChooseTool(7);
    ASSERT_FALSE(form->Label_Point->text().isEmpty());
    Press(50, 50);  // a drag is under way when the set changes
    ChooseSet(0);

    EXPECT_TRUE(form->MapButton(7)->isChecked());
    EXPECT_EQ(form->FMapTool, 0);
    EXPECT_FALSE(form->FMouseIsDown);
    EXPECT_TRUE(form->Label_Point->text().isEmpty());
    EXPECT_TRUE(form->Image_H->pixmap().isNull());

    // A drag on the drawing now draws nothing and is no edit.
    const QImage before = Picture();
    Drag({{100, 100}, {150, 120}, {200, 180}});
    EXPECT_EQ(Picture(), before);
    EXPECT_EQ(form->FUndoState, 0);
}

TEST_F(MapPaletteTest, EveryToolButtonShowsItsNameAndPreview) {
    struct Case {
        int set, k;
        const char16_t* label;
        int preview;  // glyph index, -1 none
    };
    const Case cases[] = {
        {0, 0, u"", -1},   {0, 1, u"", 0},   {0, 2, u"", 1},   {0, 3, u"", 2},   {0, 4, u"", 3},
        {0, 5, u"", 4},    {0, 6, u"", 5},   {0, 7, u"", 6},   {0, 8, u"", 7},   {0, 9, u"", 8},
        {1, 0, u"", -1},   {1, 1, u"縦線", -1},   {1, 2, u"横線", -1},  {1, 3, u"斜め線", -1},
        {1, 4, u"自由線", -1}, {1, 5, u"矢印線", -1}, {1, 6, u"×付線", -1}, {1, 7, u"四角", 15},
        {1, 8, u"丸四角", 16}, {1, 9, u"丸", 17},
        {2, 0, u"", -1},   {2, 1, u"テトラポッド", 18}, {2, 2, u"テトラポッド", 19}, {2, 3, u"三角　波消", 20},
        {2, 4, u"四角　波消", 21}, {2, 5, u"砂浜", 22}, {2, 6, u"岩場", 23}, {2, 7, u"駐車場", 24},
        {2, 8, u"文字入力", 25}, {2, 9, u"消しゴム", 26},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "set " << c.set << " button " << c.k);
        ChooseSet(c.set);
        // Start from the eraser, so that every other choice must disable the size group.
        if (c.set == 2) ChooseTool(9);
        ChooseTool(c.k);
        EXPECT_EQ(form->Label_Point->text(), QString::fromUtf16(c.label));
        if (c.preview < 0)
            EXPECT_TRUE(form->Image_H->pixmap().isNull());
        else
            EXPECT_EQ(form->Image_H->pixmap().toImage(), GlyphImage(c.preview));
        EXPECT_EQ(form->R_Group_Keshigomu->isEnabled(), c.set == 2 && c.k == 9);
        for (int j = 0; j <= 9; ++j) EXPECT_EQ(form->MapButton(j)->isChecked(), j == c.k) << j;
    }
}

TEST_F(MapPaletteTest, TheWidthBoxStepsByFiveBetweenTwentyAndAHundred) {
    EXPECT_TRUE(form->Edit_Haba->isReadOnly());
    EXPECT_EQ(form->Edit_Haba->text(), QStringLiteral("20"));
    Click(form->UpDown1->DownButton());
    EXPECT_EQ(form->Edit_Haba->text(), QStringLiteral("20"));
    Click(form->UpDown1->UpButton());
    EXPECT_EQ(form->Edit_Haba->text(), QStringLiteral("25"));
    for (int i = 0; i < 20; ++i) Click(form->UpDown1->UpButton());
    EXPECT_EQ(form->Edit_Haba->text(), QStringLiteral("100"));
    Click(form->UpDown1->DownButton());
    EXPECT_EQ(form->Edit_Haba->text(), QStringLiteral("95"));
}

}  // namespace
