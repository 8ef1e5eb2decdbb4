// The rig text tool: the box placed at the press point, text typed or
// committed through an input method, and Enter writing it onto the picture
// in the canvas's own font.
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>

#include "strokes_support.h"

namespace {

using platform::Canvas;
namespace colors = platform::colors;
using namespace strokes_test;

class RigText : public StrokesFixture {
protected:
    void Enter() {
        QTest::keyClick(form->Edit_X, Qt::Key_Return);
        QApplication::processEvents();
    }
    void Commit(const QString& text) {
        // What an input method sends: a composition, then the committed text.
        QInputMethodEvent compose(QStringLiteral("しかけ"), {});
        QApplication::sendEvent(form->Edit_X, &compose);
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(form->Edit_X, &commit);
    }
    QImage WithText(const QImage& base, int x, int y, const QString& text) {
        return Drawn(base, [&](platform::Canvas& k) { k.TextOut(x, y, text); });
    }
};

// The box opens on the image panel with its left edge at the press point and
// its top edge 10 pixels above it, empty, light green, 9 points, with the
// text cursor, ready for Japanese input and focused.
TEST_F(RigText, PressOpensTheBoxAtThePressPoint) {
    form->activateWindow();
    Choose(29);
    Press(100, 100);
    QLineEdit* box = form->Edit_X;
    EXPECT_EQ(form->FAnchor, (TPoint{100, 100}));
    EXPECT_EQ(box->parentWidget(), form->Panel_Image);
    EXPECT_EQ(box->geometry(), QRect(106, 96, 150, 15));
    EXPECT_EQ(box->geometry().topLeft() - Surface()->pos(), QPoint(100, 90));
    EXPECT_TRUE(box->isVisible());
    EXPECT_TRUE(box->text().isEmpty());
    EXPECT_EQ(box->font().pointSize(), 9);
    EXPECT_EQ(box->palette().color(QPalette::Base), QColor(192, 220, 192));
    EXPECT_EQ(box->cursor().shape(), Qt::IBeamCursor);
    EXPECT_TRUE(box->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_TRUE(box->hasFocus());
    EXPECT_EQ(Differences(Picture(), Filled(Qt::white)), "") << "the press draws nothing";
}

// Enter in an empty box draws nothing, hides the box, shows the no-tool
// button pressed with the arrow cursor and takes a snapshot; the text tool
// stays selected.
TEST_F(RigText, EnterInAnEmptyBox) {
    const QImage original = Patterned();
    SetSurface(original);
    Choose(29);
    Press(200, 200);
    ASSERT_EQ(form->FUndoState, 0);
    Enter();
    EXPECT_EQ(Differences(Picture(), original), "");
    EXPECT_EQ(form->Edit_X->geometry(), QRect(0, 0, 0, 0));
    EXPECT_TRUE(form->S_Btn_Default->isChecked());
    EXPECT_EQ(platform::Screen::Cursor(), platform::crDefault);
    EXPECT_EQ(form->FUndoState, 2);
    EXPECT_FALSE(form->FUndoCurrent.isEmpty());
    EXPECT_EQ(form->FRigTool, 29);
}

// After a commit the hidden box no longer holds the keyboard: keys typed
// afterwards do not pile up in it unseen.
TEST_F(RigText, TheHiddenBoxGivesUpTheKeyboard) {
    form->activateWindow();
    Choose(29);
    Press(150, 150);
    ASSERT_TRUE(form->Edit_X->hasFocus());
    Enter();
    EXPECT_FALSE(form->Edit_X->hasFocus());
}

// Typed text goes into the box key by key; Enter writes it with its top-left
// corner 8 pixels above the press point, in the canvas font on white, not
// in the box's 9-point font.
TEST_F(RigText, EnterWritesTheTypedText) {
    Choose(29);
    Press(120, 150);
    QTest::keyClicks(form->Edit_X, QStringLiteral("Rig 12"));
    EXPECT_EQ(form->Edit_X->text(), QStringLiteral("Rig 12"));
    EXPECT_EQ(Differences(Picture(), Filled(Qt::white)), "") << "nothing is drawn before Enter";
    Enter();
    const QImage want = WithText(Filled(Qt::white), 120, 142, QStringLiteral("Rig 12"));
    EXPECT_NE(Differences(want, Filled(Qt::white)), "");
    EXPECT_EQ(Differences(Picture(), want), "");
    EXPECT_TRUE(form->Edit_X->text().isEmpty());

    const QImage inBoxFont = Drawn(Filled(Qt::white), [](platform::Canvas& k) {
        QFont f = k.Font();
        f.setPointSize(9);
        k.SetFont(f);
        k.TextOut(120, 142, QStringLiteral("Rig 12"));
    });
    EXPECT_NE(Differences(Picture(), inBoxFont), "");
}

// Japanese committed through an input method reaches the box and, on Enter,
// the picture.
TEST_F(RigText, JapaneseFromTheInputMethod) {
    const QString text = QStringLiteral("仕掛け　ハリス２号");
    Choose(29);
    Press(60, 300);
    Commit(text);
    EXPECT_EQ(form->Edit_X->text(), text);
    Enter();
    const QImage want = WithText(Filled(Qt::white), 60, 292, text);
    EXPECT_EQ(Differences(Picture(), want), "");
    EXPECT_GT(ChangedArea(Picture(), Filled(Qt::white)).width(), 60) << "the glyphs are drawn";
}

// A second press before Enter moves the box and forgets what was typed;
// after a commit the next press opens the box again at once.
TEST_F(RigText, PressesMoveAndReopenTheBox) {
    Choose(29);
    Press(100, 100);
    QTest::keyClicks(form->Edit_X, QStringLiteral("abc"));
    Press(300, 40);
    EXPECT_EQ(form->Edit_X->geometry(), QRect(306, 36, 150, 15));
    EXPECT_TRUE(form->Edit_X->text().isEmpty());
    QTest::keyClicks(form->Edit_X, QStringLiteral("x"));
    Enter();
    EXPECT_EQ(form->Edit_X->geometry(), QRect(0, 0, 0, 0));
    Press(250, 260);
    EXPECT_EQ(form->Edit_X->geometry(), QRect(256, 256, 150, 15));
    QTest::keyClicks(form->Edit_X, QStringLiteral("y"));
    Enter();
    const QImage want = WithText(WithText(Filled(Qt::white), 300, 32, QStringLiteral("x")), 250, 252, QStringLiteral("y"));
    EXPECT_EQ(Differences(Picture(), want), "");
}

}  // namespace
