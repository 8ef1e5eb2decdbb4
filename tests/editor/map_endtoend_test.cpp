// A fishing-spot map drawn on the real window as a user would: switch to
// point-map mode, a breakwater, an arrow line, a rectangle, every symbol and
// a text; one undo; saved as a BMP file and loaded back.
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>

#include "editor/window/PictureIO.h"
#include "map_fixture.h"
#include "platform/PictureFile.h"

namespace {

namespace colors = platform::colors;

class MapEndToEnd : public FormFixture {
protected:
    void TearDown() override {
        editor::SetPictureDialogHook({});
        FormFixture::TearDown();
    }
    // The next picture dialog is answered with `path`.
    void Answer(const QString& path) {
        editor::SetPictureDialogHook([path](QFileDialog* d) {
            d->selectFile(path);
            static_cast<QDialog*>(d)->accept();
        });
    }
    QImage Picture() const { return Surface()->Picture().Image().copy(); }
    // Draws with `draw` and checks that the picture changed.
    template <typename F>
    void Edit(const char* what, F draw) {
        SCOPED_TRACE(what);
        const QImage before = Picture();
        draw();
        EXPECT_GT(DiffCount(Picture(), before), 20);
    }
};

TEST_F(MapEndToEnd, DrawASmallFishingSpotMapUndoSaveAndLoadIt) {
    Click(form->Btn_Shikake_Or_Point);
    ASSERT_EQ(form->Btn_Shikake_Or_Point->text(), QStringLiteral("ポイント図へ"));

    // A breakwater: closed, with a divider near the drag line, 30 wide, navy.
    Click(form->MapButton(5));
    Click(form->UpDown1->UpButton());
    Click(form->UpDown1->UpButton());
    ASSERT_EQ(form->Edit_Haba->text(), QStringLiteral("30"));
    form->ColorBox1->setCurrentIndex(4);  // "clNavy"
    ASSERT_EQ(form->ColorBox1->Selected(), (platform::Color{0, 0, 128}));
    Edit("breakwater", [&] { Drag({{60, 430}, {150, 430}, {250, 430}}); });
    EXPECT_EQ(PixelAt(150, 430) == 0x000080 || PixelAt(150, 431) == 0x000080, true);
    EXPECT_EQ(PixelAt(150, 450), 0xffffff);
    EXPECT_FALSE(form->Btn_Undo_2->isEnabled());  // the first edit cannot be undone
    const QImage afterBreakwater = Picture();

    // An arrow line: the second edit can be undone.
    Click(form->R_Group1->Button(1));
    Click(form->MapButton(5));
    ASSERT_EQ(form->Label_Point->text(), QStringLiteral("矢印線"));
    Edit("arrow line", [&] { Drag({{300, 390}, {350, 340}, {400, 300}}); });
    ASSERT_TRUE(form->Btn_Undo_2->isEnabled());
    Click(form->Btn_Undo_2);
    EXPECT_EQ(Picture(), afterBreakwater);
    EXPECT_FALSE(form->Btn_Undo_2->isEnabled());
    Edit("arrow line again", [&] { Drag({{300, 390}, {350, 340}, {400, 300}}); });

    // A rectangle filled white, in black.
    form->ColorBox1->setCurrentIndex(0);
    Click(form->MapButton(7));
    Click(form->R_Group2->Button(0));
    Edit("rectangle", [&] { Drag({{300, 60}, {400, 120}, {460, 160}}); });

    // Every symbol of the parts set.
    Click(form->R_Group1->Button(2));
    const int xs[] = {40, 100, 160, 220, 280, 340, 420};
    for (int k = 1; k <= 7; ++k) {
        Click(form->MapButton(k));
        Edit(qPrintable(form->Label_Point->text()), [&] {
            Press(xs[k - 1], 250);
            Release(xs[k - 1], 250);
        });
    }

    // A text inside the rectangle.
    Click(form->MapButton(8));
    Press(320, 100);
    Release(320, 100);
    ASSERT_TRUE(form->Edit_Y->isVisible());
    QTest::keyClicks(form->Edit_Y, "P-1 ");
    form->Edit_Y->insert(QStringLiteral("赤灯台"));
    Edit("text", [&] { QTest::keyClick(form->Edit_Y, Qt::Key_Return); });
    EXPECT_EQ(form->Edit_Y->geometry(), QRect(0, 0, 0, 0));

    // Saved and loaded back: the same pixels.
    const QImage map = Picture();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("spot.bmp"));
    Answer(path);
    Click(form->Btn_File);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().text, QStringLiteral("ファイルに保存しました") + path);
    EXPECT_EQ(platform::ReadBmpFile(path), map);

    Click(form->Button_Clear);
    ASSERT_NE(Picture(), map);
    Answer(path);
    Click(form->Button4);
    EXPECT_EQ(Picture(), map);
    EXPECT_EQ(form->Label_Size->text(), QStringLiteral("BitMapのサイズ　500 * 500"));
}

}  // namespace
