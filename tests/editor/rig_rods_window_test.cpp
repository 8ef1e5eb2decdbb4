// Rod templates in the window: drawn at once when their palette button is
// chosen, over what is there; the next press on the surface completes the
// edit with a snapshot.
#include <QLabel>
#include <QPushButton>

#include "editor/rig/RodTemplates.h"
#include "strokes_support.h"

namespace {

using platform::Canvas;
using namespace strokes_test;

struct RodCase {
    int code;
    void (*draw)(platform::Canvas&);
};

const RodCase kRods[] = {{13, editor::Draw_Rod_Spinning}, {14, editor::Draw_Rod_Revolving}};

class RodButtons : public StrokesFixture {};

TEST_F(RodButtons, ChoosingDrawsTheTemplateAndThePressCompletesIt) {
    const QImage original = Patterned();
    for (const RodCase& c : kRods) {
        SCOPED_TRACE(c.code);
        form->ResetUndo();
        SetSurface(original);
        Canvas().SetPenWidth(4);  // left over from an earlier drawing
        Canvas().SetPenColor(platform::colors::Red);
        Choose(c.code);
        const QImage want = Drawn(original, c.draw);
        EXPECT_EQ(Differences(Picture(), want), "") << "drawn at once, over the picture";
        EXPECT_TRUE(form->Label_Buhin->text().isEmpty());
        EXPECT_EQ(platform::Screen::Cursor(), platform::crDefault);
        EXPECT_EQ(form->FUndoState, 0) << "choosing takes no snapshot";

        Choose(c.code);
        EXPECT_EQ(Differences(Picture(), want), "") << "twice looks like once";

        // The press: no tool any more, a snapshot, nothing drawn.
        Press(400, 300);
        EXPECT_EQ(form->FRigTool, 0);
        EXPECT_EQ(form->FUndoState, 2);
        Move(420, 320);
        Release(420, 320);
        EXPECT_EQ(Differences(Picture(), want), "");

        // The snapshot holds the template: a stroke after it is undone back
        // to the picture with the rod.
        Choose(15);
        Drag({{300, 100}, {400, 200}});
        ASSERT_TRUE(form->Btn_Undo_1->isEnabled());
        Click(form->Btn_Undo_1);
        EXPECT_EQ(Differences(Picture(), want), "");
    }
}

}  // namespace
