// The rig tool palette: what choosing each code does, and dropping the tool.
#include <QLabel>
#include <QMouseEvent>

#include "FormFixture.h"

namespace {

struct SelectionCase {
    int code;
    int cursor;               // screen cursor code afterwards
    const char16_t* label;
    bool rod;                 // a rod template is drawn
};

const SelectionCase kSelection[] = {
    {0, platform::crDefault, u"", false},
    {1, 1, u"小　ヨリモドシ", false},          {2, 2, u"小　ヨリモドシ", false},
    {3, 3, u"大　ヨリモドシ", false},          {4, 4, u"大　ヨリモドシ", false},
    {5, 5, u"固定テンビン", false},            {6, 6, u"遊動テンビン", false},
    {7, 7, u"オモリ", false},                  {8, 8, u"オモリ", false},
    {9, 9, u"小さい針", false},                {10, 10, u"小さい針", false},
    {11, 11, u"大きい針", false},              {12, 12, u"大きい針", false},
    {13, platform::crDefault, u"", true},      {14, platform::crDefault, u"", true},
    {15, 21, u"細　ライン", false},            {16, 21, u"細　上向きの弧", false},
    {17, 21, u"細　下向きの弧", false},        {18, 21, u"太　ライン", false},
    {19, 21, u"太　上向きの弧", false},        {20, 21, u"太　下向きの弧", false},
    {21, 21, u"自由細　ライン", false},        {22, 21, u"自由太　ライン", false},
    {23, 21, u"垂直　太　ライン", false},      {24, 21, u"水平　太　ライン", false},
    {25, platform::crDefault, u"消しゴム　大", false}, {26, platform::crDefault, u"消しゴム　小", false},
    {27, 21, u"垂直　細　ライン", false},      {28, 21, u"水平　細　ライン", false},
    {29, platform::crIBeam, u"文字入力", false}, {30, platform::crDefault, u"矢印", false},
    {31, 31, u"小さい針", false},              {32, 32, u"小さい針", false},
    {33, 33, u"大きい針", false},              {34, 34, u"大きい針", false},
};

class PaletteTest : public FormFixture {
protected:
    bool SurfaceIsWhite() const {
        const QImage& img = Surface()->Picture().Image();
        for (int y = 0; y < img.height(); ++y) {
            const QRgb* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
            for (int x = 0; x < img.width(); ++x)
                if ((row[x] & 0xFFFFFF) != 0xFFFFFF) return false;
        }
        return true;
    }
};

TEST_F(PaletteTest, ChoosingEachCodeSetsCursorLabelAndRod) {
    for (const SelectionCase& c : kSelection) {
        SCOPED_TRACE(c.code);
        form->Button_ClearClick();
        // Put a known label first so "unchanged" and "empty" differ.
        form->Label_Buhin->setText(QStringLiteral("x"));
        Click(form->RigButton(c.code));
        EXPECT_EQ(form->FRigTool, c.code);
        EXPECT_TRUE(form->RigButton(c.code)->isChecked());
        EXPECT_EQ(platform::Screen::Cursor(), c.cursor);
        EXPECT_EQ(form->Label_Buhin->text(), QString::fromUtf16(c.label));
        EXPECT_EQ(!SurfaceIsWhite(), c.rod);
    }
}

TEST_F(PaletteTest, CodesOutsideTheTableSetOnlyTheArrow) {
    Click(form->RigButton(15));
    form->FRigTool = 40;
    form->SelectRigTool();
    EXPECT_EQ(platform::Screen::Cursor(), platform::crDefault);
    EXPECT_EQ(form->Label_Buhin->text(), QStringLiteral("細　ライン"));
}

TEST_F(PaletteTest, ButtonsFormOneExclusiveGroup) {
    Click(form->RigButton(5));
    Click(form->RigButton(22));
    int down = 0;
    for (int code = 0; code <= 34; ++code) down += form->RigButton(code)->isChecked() ? 1 : 0;
    EXPECT_EQ(down, 1);
    EXPECT_TRUE(form->RigButton(22)->isChecked());
    // Clicking the button that is down keeps it down and chooses again.
    form->FRigTool = 0;
    Click(form->RigButton(22));
    EXPECT_TRUE(form->RigButton(22)->isChecked());
    EXPECT_EQ(form->FRigTool, 22);
}

TEST_F(PaletteTest, HintsAreShownExceptOnTheArrowButton) {
    EXPECT_EQ(form->RigButton(1)->toolTip(), QStringLiteral("サルカン"));
    EXPECT_EQ(form->RigButton(21)->toolTip(), QStringLiteral("フリーライン　細"));
    EXPECT_EQ(form->RigButton(30)->Hint(), QStringLiteral("矢印"));
    EXPECT_TRUE(form->RigButton(30)->toolTip().isEmpty());
    EXPECT_TRUE(form->RigButton(0)->toolTip().isEmpty());
}

TEST_F(PaletteTest, TopBarAndColourPanelDropTheTool) {
    for (TPanel* panel : {form->Panel2, form->Panel_Color}) {
        SCOPED_TRACE(panel->objectName().toStdString());
        Click(form->RigButton(15));
        ASSERT_EQ(platform::Screen::Cursor(), 21);
        // A move over the bare panel (not over a child control).
        QPoint bare = panel == form->Panel2 ? QPoint(5, 30) : QPoint(2, 2);
        ASSERT_EQ(panel->childAt(bare), nullptr);
        QMouseEvent move(QEvent::MouseMove, QPointF(bare), panel->mapToGlobal(QPointF(bare)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(panel, &move);
        EXPECT_TRUE(form->S_Btn_Default->isChecked());
        EXPECT_EQ(form->FRigTool, 0);
        EXPECT_TRUE(form->Label_Buhin->text().isEmpty());
        EXPECT_EQ(platform::Screen::Cursor(), platform::crDefault);
    }
}

TEST_F(PaletteTest, MovesOverChildControlsOfTheTopBarDoNotDropTheTool) {
    Click(form->RigButton(15));
    const QPoint overLabel = form->Label1->geometry().center();
    QMouseEvent move(QEvent::MouseMove, QPointF(overLabel), form->Panel2->mapToGlobal(QPointF(overLabel)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(form->Panel2, &move);
    EXPECT_EQ(form->FRigTool, 15);
}

TEST_F(PaletteTest, HoveringTheUndoButtonShowsTheArrowButKeepsTheTool) {
    Click(form->RigButton(18));
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), form->Btn_Undo_1->mapToGlobal(QPointF(5, 5)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(form->Btn_Undo_1, &move);
    EXPECT_EQ(platform::Screen::Cursor(), platform::crDefault);
    EXPECT_EQ(form->FRigTool, 18);
}

TEST_F(PaletteTest, AToolCursorIsApplicationWide) {
    Click(form->RigButton(1));
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->hotSpot(), QPoint(5, 0));
    Click(form->RigButton(0));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
