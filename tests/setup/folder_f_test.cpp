// The two folder choosers, on real folders in a temporary Wine prefix.
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "platform/FolderTree.h"
#include "setup/FolderVUp_F.h"
#include "setup/Folder_F.h"
#include "setup_fixture.h"

using namespace setup_test;

namespace {

const QString kAskForFolder = "フォルダを指定してください。";

struct Control {
    const char* name;
    const char* parent;
    QRect geometry;
    const char* text;
    bool bold;
};

// Checks names, parents, positions, sizes, texts and bold type.
void ExpectControls(QWidget* window, const std::vector<Control>& controls) {
    for (const Control& c : controls) {
        QWidget* w = window->findChild<QWidget*>(c.name);
        ASSERT_NE(w, nullptr) << c.name;
        EXPECT_EQ(w->parentWidget()->objectName(), c.parent) << c.name;
        if (auto* label = qobject_cast<QLabel*>(w)) {
            EXPECT_EQ(label->pos(), c.geometry.topLeft()) << c.name;
            EXPECT_GE(label->width(), c.geometry.width()) << c.name;
            EXPECT_GE(label->width(), label->sizeHint().width()) << c.name << ": text clipped";
            EXPECT_EQ(label->text(), c.text) << c.name;
        } else {
            EXPECT_EQ(w->geometry(), c.geometry) << c.name;
        }
        if (auto* b = qobject_cast<QPushButton*>(w)) {
            EXPECT_EQ(b->text(), c.text) << c.name;
        }
        EXPECT_EQ(w->font().bold(), c.bold) << c.name;
        EXPECT_EQ(w->font().pixelSize(), 16) << c.name;
    }
}

// A caption of several lines: the tooltip holds the lines in full, the
// button shows each one whole when it fits (shortened in the middle when
// not), with "&" doubled so that it shows as itself.
void ExpectCaption(QPushButton* button, const QStringList& lines) {
    EXPECT_EQ(button->toolTip(), lines.join('\n'));
    const QStringList shown = button->text().split('\n');
    ASSERT_EQ(shown.size(), lines.size()) << button->text().toStdString();
    const QFontMetrics metrics(button->font());
    for (int i = 0; i < lines.size(); ++i) {
        QString visible = shown[i];
        visible.replace("&&", "&");
        EXPECT_LE(metrics.horizontalAdvance(visible), button->width()) << visible.toStdString();
        if (!visible.contains(QChar(0x2026))) {
            EXPECT_EQ(shown[i], QString(lines[i]).replace("&", "&&"));
        } else {
            EXPECT_TRUE(lines[i].endsWith(visible.section(QChar(0x2026), 1))) << visible.toStdString();
        }
    }
}

platform::FolderTree* Tree(QWidget* w) { return w->findChild<platform::FolderTree*>("ShellTreeView1"); }
QLineEdit* Edit(QWidget* w) { return w->findChild<QLineEdit*>("Edit_DirList"); }
QPushButton* Accept(QWidget* w) { return w->findChild<QPushButton*>("BitBtn1"); }

// Picks `path` in the tree of `w` and double-clicks it.
template <typename Window>
void Pick(Window& w, const QString& path) {
    Tree(&w)->SetPath(path);
    w.ShellTreeView1DblClick();
}

class ChooserTest : public SetupTest {
protected:
    QString Standard() const { return driveC + "/Tidebook"; }
};

}  // namespace

TEST_F(ChooserTest, NewInstallationChooserControls) {
    TFolderF w;
    EXPECT_EQ(w.windowTitle(), "フォルダーの指定");
    EXPECT_EQ(w.size(), QSize(632, 446));
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    ExpectControls(&w, {
        {"Panel1", "TFolderF", {0, 0, 632, 65}, nullptr, false},
        {"Label2", "Panel1", {16, 16, 288, 16}, "新規インストールフォルダを指定します。", true},
        {"Btn_No", "Panel1", {480, 16, 129, 33}, "キャンセル", true},
        {"Panel3", "TFolderF", {0, 65, 632, 88}, nullptr, false},
        {"Label9", "Panel3", {32, 16, 389, 16}, "標準フォルダー「C:\\Tidebook」にインストールします。", true},
        {"Btn_Defaurt", "Panel3", {304, 40, 305, 41}, "標準フォルダーにインストール", true},
        {"Panel4", "TFolderF", {0, 153, 632, 293}, nullptr, false},
        {"Label8", "Panel4", {32, 9, 288, 16}, "新規インストールフォルダを指定します。", true},
        {"ShellTreeView1", "Panel4", {64, 32, 401, 177}, nullptr, false},
        {"Label1", "Panel4", {64, 220, 165, 16}, "インストールフォルダー", true},
        {"Edit_DirList", "Panel4", {232, 216, 377, 24}, nullptr, false},
        {"BitBtn1", "Panel4", {304, 248, 305, 41}, "***　　　にインストールします", true},
    });
    EXPECT_EQ(w.findChild<QLabel*>("Label2")->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    EXPECT_EQ(Tree(&w)->indentation(), 19);
    EXPECT_FALSE(Tree(&w)->rootIsDecorated());
    EXPECT_EQ(Edit(&w)->text(), "");

    // Shown: the standard button has the focus and the tree shows "c:\".
    w.show();
    QApplication::processEvents();
    EXPECT_TRUE(w.findChild<QWidget*>("Btn_Defaurt")->hasFocus());
    EXPECT_EQ(Tree(&w)->Path(), driveC);
    // Tab order: the panels from the top; in the lower one the edit box, the
    // tree, the accept button.
    EXPECT_EQ(TabOrder(&w, "Btn_No"), (QStringList{"Btn_No", "Btn_Defaurt", "Edit_DirList", "ShellTreeView1", "BitBtn1"}));
}

TEST_F(ChooserTest, InstalledFolderChooserControls) {
    TFolderVUpF w;
    EXPECT_EQ(w.windowTitle(), "フォルダーの指定");
    EXPECT_EQ(w.size(), QSize(632, 446));
    ExpectControls(&w, {
        {"Label1", "TFolderVUpF", {24, 20, 195, 16}, "バージョンアップのために、", true},
        {"Label8", "TFolderVUpF", {16, 44, 305, 16}, "インストール済みのフォルダを指定します。", true},
        {"Btn_No", "TFolderVUpF", {472, 16, 145, 41}, "キャンセル", true},
        {"BitBtn1", "TFolderVUpF", {16, 72, 313, 41}, "インストール済みフォルダー　***", true},
        {"ShellTreeView1", "TFolderVUpF", {72, 120, 393, 257}, nullptr, false},
        {"Label2", "TFolderVUpF", {72, 384, 186, 16}, "インストール済みフォルダー", false},
        {"Edit_DirList", "TFolderVUpF", {72, 408, 529, 24}, nullptr, false},
    });
    EXPECT_EQ(Tree(&w)->Path(), driveC) << "the tree starts at c:\\";
    EXPECT_EQ(TabOrder(&w, "Btn_No"), (QStringList{"Btn_No", "Edit_DirList", "ShellTreeView1", "BitBtn1"}));
}

TEST_F(ChooserTest, StandardFolderIsCreatedAfterYes) {
    TFolderF w;
    w.show();
    answers = {0};  // はい(&Y)
    w.Btn_DefaurtClick();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].kind, platform::BoxKind::Warning);
    EXPECT_EQ(boxes[0].caption, "警告");
    EXPECT_EQ(boxes[0].text, "フォルダーを新規作成します");
    EXPECT_EQ(boxes[0].buttons, (QStringList{"はい(&Y)", "いいえ(&N)"}));
    EXPECT_TRUE(QDir(Standard()).exists());
    EXPECT_EQ(Inst_Dir, Standard());
    EXPECT_EQ(Inst_Mode, 1);
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(ChooserTest, StandardFolderRefusedOrImpossibleKeepsTheWindowOpen) {
    struct Case {
        const char* what;
        int answer;
        bool removeDriveC;
    } cases[] = {
        {"declined", 1, false},
        {"closed the question", -1, false},
        {"cannot be created (no drive_c)", 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.removeDriveC) ASSERT_TRUE(QDir(driveC).removeRecursively());
        boxes.clear();
        answers = {c.answer};
        Inst_Mode = 0;
        TFolderF w;
        w.show();
        w.Btn_DefaurtClick();
        EXPECT_EQ(BoxTexts(), (QStringList{"フォルダーを新規作成します", kAskForFolder}));
        EXPECT_FALSE(QDir(Standard()).exists());
        EXPECT_EQ(Inst_Dir, Standard());
        EXPECT_EQ(Inst_Mode, 0);
        EXPECT_TRUE(w.isVisible());
    }
}

TEST_F(ChooserTest, ExistingStandardFolderIsTakenWithoutAQuestion) {
    ASSERT_TRUE(QDir().mkpath(Standard()));
    TFolderF w;
    w.show();
    w.Btn_DefaurtClick();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(Inst_Mode, 1);
    EXPECT_EQ(w.result(), QDialog::Accepted);
}

TEST_F(ChooserTest, PickedFolderIsShownAndAccepted) {
    const QString folder = driveC + "/Fish & Tide";
    ASSERT_TRUE(QDir().mkpath(folder));
    TFolderF w;
    w.show();
    QApplication::processEvents();

    // A real double-click on the folder's row.
    platform::FolderTree* tree = Tree(&w);
    tree->SetPath(folder);
    const QRect row = tree->visualItemRect(tree->currentItem());
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, row.center());

    EXPECT_EQ(Inst_Dir, folder);
    EXPECT_EQ(Edit(&w)->text(), folder);
    // The folder and the words on two lines; "&" shown as itself.
    ExpectCaption(Accept(&w), {folder, "にインストールします"});

    w.BitBtn1Click();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(Inst_Mode, 1);
    EXPECT_EQ(w.result(), QDialog::Accepted);
}

TEST_F(ChooserTest, LongFolderIsShortenedInTheMiddleOnTheButton) {
    const QString folder = driveC + "/" + QString("Tidebook").repeated(12) + "/End & Fin";
    ASSERT_TRUE(QDir().mkpath(folder));
    TFolderVUpF w;
    Pick(w, folder);
    EXPECT_EQ(Edit(&w)->text(), folder) << "the edit box shows the whole path";
    EXPECT_TRUE(Accept(&w)->text().contains(QChar(0x2026)));
    ExpectCaption(Accept(&w), {"インストール済みフォルダー", folder + "です。"});
}

TEST_F(ChooserTest, AcceptRefusesWhatIsNotAnExistingFolder) {
    WriteFile(driveC + "/notes.txt", "x");
    ASSERT_TRUE(QDir().mkpath(driveC + "/Vanishing"));
    struct Case {
        const char* what;
        std::function<void(TFolderF&)> pick;
    } cases[] = {
        {"nothing picked", [](TFolderF&) {}},
        {"a file", [this](TFolderF&) { Inst_Dir = driveC + "/notes.txt"; }},
        {"a folder that vanished",
         [this](TFolderF& w) {
             Pick(w, driveC + "/Vanishing");
             ASSERT_TRUE(QDir(driveC).rmdir("Vanishing"));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Inst_Dir.clear();
        boxes.clear();
        TFolderF w;
        w.show();
        c.pick(w);
        w.BitBtn1Click();
        EXPECT_EQ(BoxTexts(), QStringList{kAskForFolder});
        EXPECT_EQ(Inst_Mode, 0);
        EXPECT_TRUE(w.isVisible());
    }
}

TEST_F(ChooserTest, StartFolderIsSilentlyRefused) {
    TFolderF w;
    w.show();
    Pick(w, driveC);
    EXPECT_EQ(Inst_Dir, driveC);
    w.BitBtn1Click();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(Inst_Mode, 0);
    EXPECT_TRUE(w.isVisible());
}

TEST_F(ChooserTest, FolderLeftByAnEarlierChooserIsAcceptedRightAway) {
    const QString earlier = driveC + "/Catchfile";
    ASSERT_TRUE(QDir().mkpath(earlier));
    Inst_Dir = earlier;
    TFolderF w;
    w.show();
    w.BitBtn1Click();
    EXPECT_EQ(Inst_Mode, 1);
    EXPECT_EQ(Inst_Dir, earlier);
}

TEST_F(ChooserTest, CancelKeepsTheSharedValues) {
    ASSERT_TRUE(QDir().mkpath(driveC + "/A"));
    for (bool upgrade : {false, true}) {
        SCOPED_TRACE(upgrade ? "TFolderVUpF" : "TFolderF");
        Inst_Dir = "kept";
        Inst_Mode = 1;
        std::unique_ptr<QDialog> w;
        if (upgrade)
            w = std::make_unique<TFolderVUpF>();
        else
            w = std::make_unique<TFolderF>();
        w->show();
        w->findChild<QPushButton*>("Btn_No")->click();
        EXPECT_EQ(w->result(), QDialog::Rejected);
        EXPECT_FALSE(w->isVisible());
        EXPECT_EQ(Inst_Dir, "kept");
        EXPECT_EQ(Inst_Mode, 1);
    }
}

TEST_F(ChooserTest, InstalledFolderChooserAcceptsAnyExistingFolder) {
    ASSERT_TRUE(QDir().mkpath(driveC + "/Empty"));
    TFolderVUpF w;
    w.show();
    w.BitBtn1Click();  // nothing picked yet
    EXPECT_EQ(BoxTexts(), QStringList{kAskForFolder});
    EXPECT_TRUE(w.isVisible());

    Pick(w, driveC + "/Empty");
    EXPECT_EQ(Edit(&w)->text(), driveC + "/Empty");
    ExpectCaption(Accept(&w), {"インストール済みフォルダー", driveC + "/Emptyです。"});
    w.BitBtn1Click();
    EXPECT_EQ(Inst_Mode, 2);
    EXPECT_EQ(w.result(), QDialog::Accepted);
}

TEST_F(ChooserTest, InstalledFolderChooserTakesTheDriveItselfButNoVanishedFolder) {
    TFolderVUpF w;
    w.show();
    Pick(w, driveC);
    w.BitBtn1Click();
    EXPECT_EQ(Inst_Mode, 2) << "only the new-installation chooser refuses c:\\";

    ASSERT_TRUE(QDir().mkpath(driveC + "/Old"));
    Inst_Mode = 0;
    TFolderVUpF again;
    again.show();
    Pick(again, driveC + "/Old");
    ASSERT_TRUE(QDir(driveC).rmdir("Old"));
    again.BitBtn1Click();
    EXPECT_EQ(BoxTexts(), QStringList{kAskForFolder});
    EXPECT_EQ(Inst_Mode, 0);
}
