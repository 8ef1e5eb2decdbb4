// Single-step undo, row by row through its states.
#include <QPushButton>

#include "FormFixture.h"

namespace {

class UndoTest : public FormFixture {
protected:
    // One completed edit: a pixel of a given colour, then the snapshot.
    void Edit(int x, int y, platform::Color c = platform::colors::Black) {
        Canvas().SetPixel(x, y, c);
        form->TakeUndoSnapshot();
    }
    bool UndoEnabled() const {
        EXPECT_EQ(form->Btn_Undo_1->isEnabled(), form->Btn_Undo_2->isEnabled());
        return form->Btn_Undo_1->isEnabled();
    }
    void Undo() { Click(form->Btn_Undo_1); }
};

TEST_F(UndoTest, FirstEditIsNotUndoable) {
    Edit(10, 10);
    EXPECT_EQ(form->FUndoState, 2);
    EXPECT_FALSE(UndoEnabled());
    EXPECT_EQ(form->FUndoCurrent, form->FUndoPrevious);
    form->Btn_Undo_1Click();  // even called directly it changes nothing visible
    EXPECT_EQ(PixelAt(10, 10), 0x000000);
}

TEST_F(UndoTest, UndoAfterTheSecondEditRemovesOnlyIt) {
    Edit(10, 10);
    Edit(20, 20);
    EXPECT_TRUE(UndoEnabled());
    Undo();
    EXPECT_EQ(PixelAt(10, 10), 0x000000);
    EXPECT_EQ(PixelAt(20, 20), 0xFFFFFF);
    EXPECT_FALSE(UndoEnabled());
    EXPECT_EQ(form->FUndoState, 2);
    EXPECT_EQ(form->FUndoCurrent, form->FUndoPrevious);
}

TEST_F(UndoTest, TwoUndosInARowAreImpossible) {
    Edit(10, 10);
    Edit(20, 20);
    Edit(30, 30);
    Undo();
    EXPECT_FALSE(form->Btn_Undo_1->isEnabled());
    Undo();  // disabled: no effect
    form->Btn_Undo_1Click();  // the handler itself restores the same picture
    EXPECT_EQ(PixelAt(20, 20), 0x000000);
    EXPECT_EQ(PixelAt(30, 30), 0xFFFFFF);
}

TEST_F(UndoTest, AfterAnUndoTheNextEditIsUndoneBackToTheRestoredPicture) {
    Edit(10, 10);
    Edit(20, 20);
    Undo();
    Edit(40, 40, platform::colors::Red);
    EXPECT_TRUE(UndoEnabled());
    Undo();
    EXPECT_EQ(PixelAt(10, 10), 0x000000);
    EXPECT_EQ(PixelAt(20, 20), 0xFFFFFF);
    EXPECT_EQ(PixelAt(40, 40), 0xFFFFFF);
}

TEST_F(UndoTest, UndoGivesAFreshCanvasAndAnExactPicture) {
    for (int i = 0; i < 50; ++i) Canvas().SetPixel(i * 7 % 500, i * 13 % 500, {uint8_t(i * 5), uint8_t(255 - i), 7});
    const QImage before = Surface()->Picture().Image().copy();
    form->TakeUndoSnapshot();
    Canvas().SetPenWidth(3);
    Canvas().SetPenColor(platform::colors::Red);
    Canvas().SetBrushColor(platform::colors::Blue);
    Edit(250, 250);
    Undo();
    EXPECT_EQ(Surface()->Picture().Image(), before);
    EXPECT_EQ(Canvas().PenWidth(), 1);
    EXPECT_EQ(Canvas().PenColor(), platform::colors::Black);
    EXPECT_EQ(Canvas().BrushColor(), platform::colors::White);
}

TEST_F(UndoTest, UndoAcrossSnapshotsOfDifferentSizes) {
    Edit(10, 10);
    Surface()->SetAutoSize(true);
    QImage other(300, 200, QImage::Format_RGB32);
    other.fill(qRgb(1, 2, 3));
    Surface()->SetPicture(other);  // as a load would: no snapshot
    Edit(5, 5);
    Undo();
    EXPECT_EQ(Surface()->Picture().Width(), 500);
    EXPECT_EQ(Surface()->Picture().Height(), 500);
    EXPECT_EQ(PixelAt(10, 10), 0x000000);
    // With automatic sizing on, the surface follows the restored picture.
    EXPECT_EQ(Surface()->size(), QSize(500, 500));
    // Back the other way: a big snapshot restored over a small picture.
    Edit(11, 11);
    Surface()->SetPicture(other);
    Edit(6, 6);
    Edit(7, 7);
    Undo();
    EXPECT_EQ(Surface()->Picture().Width(), 300);
    EXPECT_EQ(PixelAt(6, 6), 0x000000);
    EXPECT_EQ(PixelAt(7, 7), 0x010203);
}

TEST_F(UndoTest, ClearResetsTheHistory) {
    Edit(10, 10);
    Edit(20, 20);
    form->Button_ClearClick();
    EXPECT_EQ(form->FUndoState, 0);
    EXPECT_FALSE(UndoEnabled());
    EXPECT_TRUE(form->FUndoCurrent.isEmpty());
    EXPECT_TRUE(form->FUndoPrevious.isEmpty());
    Edit(30, 30);
    EXPECT_FALSE(UndoEnabled());
}

TEST_F(UndoTest, StampsThroughTheRealSurface) {
    Click(form->RigButton(1));
    Press(100, 100);
    Release(100, 100);
    EXPECT_FALSE(UndoEnabled());
    Click(form->RigButton(8));
    Press(300, 300);
    Release(300, 300);
    EXPECT_TRUE(UndoEnabled());
    const QImage afterFirst = [&] {
        Click(form->Btn_Undo_1);
        return Surface()->Picture().Image().copy();
    }();
    // The second stamp is gone, the first stays.
    bool anyNear300 = false, anyNear100 = false;
    for (int y = 290; y < 320; ++y)
        for (int x = 290; x < 330; ++x) anyNear300 |= (afterFirst.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
    for (int y = 95; y < 130; ++y)
        for (int x = 90; x < 115; ++x) anyNear100 |= (afterFirst.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
    EXPECT_FALSE(anyNear300);
    EXPECT_TRUE(anyNear100);
}

}  // namespace
