// The editor window as it starts: controls, texts, start state, error box.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryFile>

#include "FormFixture.h"
#include "editor/window/VersionInfo.h"
#include "platform/Error.h"

namespace {

struct ControlCase {
    const char* name;
    int x, y, w, h;      // w/h < 0: not checked (auto-sized labels)
    const char16_t* text;  // nullptr: not checked
};

const ControlCase kControls[] = {
    {"Panel2", 0, 0, 712, 59, nullptr},
    {"Label1", 24, 10, -1, -1, u"仕掛け　　　エディター"},
    {"Label2", 100, 18, -1, -1, u"（地図）"},
    {"Label_Size", 24, 40, -1, -1, u"BitMapのサイズ　500 * 500"},
    {"Label_Var", 560, 40, 137, 13, u"Ver 5.1.0.0"},
    {"Btn_Shikake_Or_Point", 309, 5, 121, 25, u"仕掛け図へ"},
    {"Button_Clear", 309, 29, 121, 25, u"全　消　去"},
    {"Btn_File", 440, 5, 121, 25, u"ファイルに保存"},
    {"Btn_Clip", 440, 29, 121, 25, u"クリップボードへ"},
    {"Button1", 569, 5, 137, 32, u"閉じる"},
    {"Panel_Image", 0, 59, 520, 515, nullptr},
    {"Image1", 6, 6, 500, 500, nullptr},
    {"Panel_Shikake", 512, 60, 200, 511, nullptr},
    {"Btn_Undo_1", 96, 23, 81, 25, u"戻　る"},
    {"Panel_Color", 8, 427, 181, 29, nullptr},
    {"ColorBox1", 5, 4, 173, 22, nullptr},
    {"Bevel1", 8, 456, 181, 50, nullptr},
    {"Label3", 21, 465, -1, -1, u"編集用　読込"},
    {"Label4", 114, 467, -1, -1, u"BitMap Only"},
    {"Btn_ClipBord", 14, 478, 86, 25, u"ｸﾘｯﾌﾟﾎﾞｰﾄﾞから"},
    {"Button4", 99, 478, 86, 25, u"ファイルから"},
    {"Panel_Point", 512, 59, 199, 426, nullptr},
    {"Btn_Undo_2", 96, 24, 81, 25, u"戻　る"},
    {"Label_Buhin", 72, 6, -1, -1, u""},
};

class WindowTest : public FormFixture {};

TEST_F(WindowTest, EveryControlHasItsPlaceSizeAndText) {
    for (const ControlCase& c : kControls) {
        SCOPED_TRACE(c.name);
        auto* w = form->findChild<QWidget*>(QString::fromLatin1(c.name));
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->x(), c.x);
        EXPECT_EQ(w->y(), c.y);
        if (c.w >= 0) {
            EXPECT_EQ(w->width(), c.w);
            EXPECT_EQ(w->height(), c.h);
        }
        if (c.text) {
            QString text;
            if (auto* l = qobject_cast<QLabel*>(w)) text = l->text();
            if (auto* b = qobject_cast<QAbstractButton*>(w)) text = b->text();
            EXPECT_EQ(text, QString::fromUtf16(c.text));
        }
    }
}

TEST_F(WindowTest, WindowIsFixedAndTitled) {
    EXPECT_EQ(form->windowTitle(), QStringLiteral("仕掛け（地図）エディター"));
    EXPECT_EQ(form->size(), QSize(712, 571));
    EXPECT_EQ(form->minimumSize(), QSize(712, 571));
    EXPECT_EQ(form->maximumSize(), QSize(712, 571));
    form->resize(900, 700);
    EXPECT_EQ(form->size(), QSize(712, 571));
}

TEST_F(WindowTest, StartState) {
    EXPECT_EQ(Surface()->Picture().Width(), 500);
    EXPECT_EQ(Surface()->Picture().Height(), 500);
    EXPECT_EQ(Surface()->pos(), QPoint(6, 6));
    for (int y = 0; y < 500; y += 37)
        for (int x = 0; x < 500; x += 41) ASSERT_EQ(PixelAt(x, y), 0xFFFFFF) << x << "," << y;
    EXPECT_EQ(PixelAt(499, 499), 0xFFFFFF);
    EXPECT_TRUE(form->Label_Buhin->text().isEmpty());
    EXPECT_FALSE(form->Btn_Undo_1->isEnabled());
    EXPECT_FALSE(form->Btn_Undo_2->isEnabled());
    EXPECT_EQ(form->Edit_X->size(), QSize(0, 0));
    EXPECT_EQ(form->Edit_Y->size(), QSize(0, 0));
    EXPECT_TRUE(form->S_Btn_Default->isChecked());
    EXPECT_EQ(form->FRigTool, 0);
    EXPECT_EQ(form->FUndoState, 0);
    EXPECT_EQ(form->FStrokeKind, 0);
    // The rig palette lies in front of the point-map palette.
    const QObjectList& kids = form->children();
    EXPECT_GT(kids.indexOf(form->Panel_Shikake), kids.indexOf(form->Panel_Point));
    EXPECT_EQ(form->focusWidget(), form->Btn_Shikake_Or_Point);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(WindowTest, ColorBoxListsTheTwentyColoursWithBlackChosen) {
    ASSERT_EQ(form->ColorBox1->count(), 20);
    EXPECT_EQ(form->ColorBox1->itemText(0), QStringLiteral("clBlack"));
    EXPECT_EQ(form->ColorBox1->itemText(16), QStringLiteral("clMoneyGreen"));
    EXPECT_EQ(form->ColorBox1->itemText(19), QStringLiteral("clMedGray"));
    EXPECT_EQ(form->ColorBox1->currentIndex(), 0);
    EXPECT_EQ(TColorBox::ColorAt(17), (platform::Color{166, 202, 240}));
    EXPECT_EQ(TColorBox::ColorAt(18), (platform::Color{255, 251, 240}));
}

TEST_F(WindowTest, SpeedButtonsShowGlyphsOnlyExceptTheRods) {
    for (TSpeedButton* b : form->SpeedButtons()) {
        if (b == form->RigButton(13) || b == form->RigButton(14)) continue;
        EXPECT_TRUE(b->text().isEmpty()) << b->objectName().toStdString();
    }
    EXPECT_EQ(form->RigButton(13)->text(), QStringLiteral("Rod\rｽﾋﾟﾆﾝｸﾞﾘｰﾙ"));
    EXPECT_EQ(form->RigButton(14)->text(), QStringLiteral("Rod\r回転ﾘｰﾙ"));
}

TEST_F(WindowTest, AnExceptionInAHandlerShowsTheErrorBoxAndTheWindowGoesOn) {
    // A damaged snapshot makes the undo handler throw.
    form->FUndoState = 2;
    form->FUndoPrevious = QByteArray("not a bitmap");
    form->Btn_Undo_1->setEnabled(true);
    boxes.clear();
    Click(form->Btn_Undo_1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].kind, platform::BoxKind::Error);
    EXPECT_EQ(boxes[0].caption, platform::Application::Title());
    // Still working: a palette click chooses a tool.
    Click(form->RigButton(15));
    EXPECT_EQ(form->FRigTool, 15);
    EXPECT_EQ(form->Label_Buhin->text(), QStringLiteral("細　ライン"));
}

TEST_F(WindowTest, CloseButtonClosesAtOnce) {
    Click(form->Button1);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(boxes.empty());
}

TEST(VersionInfo, ReadsTheFileVersionOfTheJapaneseTable) {
    EXPECT_EQ(ReadFileVersionText(QStringLiteral(":/version/version.txt")), QStringLiteral("5.1.0.0"));
}

TEST(VersionInfo, FailuresAreAssertionsNamingTheirLine) {
    try {
        ReadFileVersionText(QStringLiteral(":/version/none.txt"));
        FAIL();
    } catch (const platform::Error& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("284")));
        EXPECT_TRUE(e.Message().contains(QStringLiteral("Main")));
    }
    QTemporaryFile f;
    ASSERT_TRUE(f.open());
    f.write("BLOCK \"040904B0\"\n VALUE \"FileVersion\", \"9.9\"\n");
    f.flush();
    try {
        ReadFileVersionText(f.fileName());
        FAIL();
    } catch (const platform::Error& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("287")));
    }
}

TEST_F(WindowTest, ToolCursorsAreRegisteredWithTheirHotSpots) {
    const std::pair<int, QPoint> hot[] = {{1, {5, 0}},   {2, {1, 4}},   {3, {15, 0}}, {4, {0, 16}}, {5, {1, 0}},
                                          {6, {1, 0}},   {7, {4, 0}},   {8, {0, 4}},  {9, {0, 2}},  {10, {5, 0}},
                                          {11, {0, 4}},  {12, {11, 0}}, {21, {0, 31}}, {25, {15, 15}}, {26, {10, 10}},
                                          {31, {14, 3}}, {32, {2, 0}},  {33, {29, 4}}, {34, {4, 0}}};
    for (const auto& [code, spot] : hot) {
        SCOPED_TRACE(code);
        ASSERT_TRUE(platform::Screen::HasCursor(code));
        const QCursor c = platform::Screen::CursorFor(code);
        EXPECT_EQ(c.hotSpot(), spot);
        EXPECT_EQ(c.pixmap().size(), QSize(32, 32));
    }
}

TEST_F(WindowTest, AMissingCursorRaisesItsError) {
    try {
        form->LoadToolCursor(99, QStringLiteral("Cursor_099"));
        FAIL();
    } catch (const platform::Error& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Can not load the cursor [Cursor_099]"));
    }
}

}  // namespace
