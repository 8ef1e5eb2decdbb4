// Each rig stroke tool chosen on the palette and used on the surface, as a
// user does: the stroke draws, and undo takes back the latest stroke only.
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "strokes_support.h"

namespace {

using namespace strokes_test;

class StrokeTools : public StrokesFixture {
protected:
    // One use of the tool from (x, y) towards the lower right.
    void Use(int code, int x, int y) {
        if (code == 29) {
            Press(x, y);
            QTest::keyClicks(form->Edit_X, QStringLiteral("Hook 2"));
            QTest::keyClick(form->Edit_X, Qt::Key_Return);
            return;
        }
        Drag({{x, y}, {x + 30, y + 20}, {x + 70, y + 20}, {x + 90, y + 60}});
    }
};

// Left half black, right half white: lines show in red on both, the eraser
// shows on the black half.
QImage HalfBlack() {
    QImage img = Filled(Qt::white);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < 250; ++x) img.setPixel(x, y, qRgb(0, 0, 0));
    return img;
}

TEST_F(StrokeTools, EachToolDrawsAndUndoTakesBackTheLatestStroke) {
    const QImage base = HalfBlack();
    for (int code : {15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30}) {
        SCOPED_TRACE(code);
        form->ResetUndo();
        SetSurface(base);
        Choose(code);
        Colour(platform::colors::Red);

        Use(code, 200, 100);
        const QImage first = Picture();
        const QRect firstArea = ChangedArea(first, base);
        EXPECT_FALSE(firstArea.isEmpty()) << "the stroke draws";
        EXPECT_TRUE(QRect(170, 70, 170, 120).contains(firstArea)) << "near the drag";
        EXPECT_EQ(CountColour(first, 0x0000FF), 0) << "no marks left";

        Use(code, 200, 300);
        const QRect secondArea = ChangedArea(Picture(), first);
        EXPECT_TRUE(QRect(170, 270, 170, 120).contains(secondArea));
        EXPECT_FALSE(secondArea.isEmpty());

        ASSERT_TRUE(form->Btn_Undo_1->isEnabled());
        Click(form->Btn_Undo_1);
        EXPECT_EQ(Differences(Picture(), first), "");
        EXPECT_EQ(form->FRigTool, code) << "the tool stays selected";
    }
}

}  // namespace
