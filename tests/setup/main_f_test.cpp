// The launcher: its controls, the description lines, and the order in which
// the paths open their windows, driven through real modal windows.
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include "setup/FolderVUp_F.h"
#include "setup/Folder_F.h"
#include "setup/New_F.h"
#include "setup/VUp_F.h"
#include "setup_fixture.h"
#include "platform/FolderTree.h"

using namespace setup_test;

namespace {

const QStringList kEmpty(8);

const QStringList kOverNew = {
    "Tidejournalを新規にインストールします。", "", "クリックするとインストール画面に移ります。",
    "標準のインストールフォルダーは「C:\\Tidebook」です。", "インストールフォルダーを指定することもできます。", "", "", ""};

const QStringList kOverUpgrade = {"Tidebookにバージョンアップします。",
                                  "",
                                  "バージョンアップは、新しいフィールドを追加していますが、",
                                  "データベース構造は旧ソフトを基本としていますので",
                                  "旧のソフトも使用可能です。",
                                  "クリックしてバージョンアップ画面に移動します。",
                                  "",
                                  "旧ソフトのインストールフォルダーを指定して進めます。"};

const QStringList kAfterNew = {"Tidejournalが新規でインストールされました。",
                               "",
                               "今後の釣行に役立ててください。",
                               "",
                               "",
                               "",
                               "削除する場合はフォルダーごと削除してください、",
                               "レジストリは使用していません"};

const QStringList kAfterUpgrade = {"バージョンアップが終了しました。",
                                   "",
                                   "今後の釣行に役立ててください。",
                                   "",
                                   "新しいプログラム名は「Tidebook」です。",
                                   "ディスクトップにアイコンを作っている場合は",
                                   "変更してください。",
                                   ""};

QStringList Lines(const TMainF& w) {
    QStringList lines;
    for (int i = 0; i < 8; ++i) lines << w.DescriptionLine(i)->text();
    return lines;
}

// A pointer move without buttons, delivered as the window system would: to
// the widget under the pointer, passed on to its parents when it does not
// take it.
void MoveOver(QWidget* widget, QPoint pos = QPoint(3, 3)) {
    QMouseEvent move(QEvent::MouseMove, QPointF(pos), widget->mapToGlobal(QPointF(pos)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

template <typename T>
T* Child(QWidget* w, const char* name) {
    T* c = w->findChild<T*>(name);
    EXPECT_NE(c, nullptr) << name;
    return c;
}

// A launcher whose upgrade window reports a completed upgrade, standing for
// a database upgrade that ran to the end.
class LauncherWithCompletedUpgrade : public TMainF {
public:
    int upgradeWindows = 0;

protected:
    bool ShowUpgradeWindow() override {
        ++upgradeWindows;
        return true;
    }
};

class LauncherTest : public SetupTest {
protected:
    void MakeStandardFolder() { ASSERT_TRUE(QDir().mkpath(driveC + "/Tidebook")); }

    // Actions on the windows of the paths.
    static void AcceptStandardFolder(QWidget* w) {
        auto* f = qobject_cast<TFolderF*>(w);
        ASSERT_NE(f, nullptr) << w->metaObject()->className();
        f->Btn_DefaurtClick();
    }
    static void Cancel(QWidget* w) { w->close(); }
    static void InstallAndClose(QWidget* w) {
        auto* n = qobject_cast<TNewF*>(w);
        ASSERT_NE(n, nullptr) << w->metaObject()->className();
        n->Btn_InstClick();
        n->Btn_NOClick();
    }
    void AcceptInstalledFolder(QWidget* w) {
        auto* f = qobject_cast<TFolderVUpF*>(w);
        ASSERT_NE(f, nullptr) << w->metaObject()->className();
        f->findChild<platform::FolderTree*>("ShellTreeView1")->SetPath(driveC + "/Catchfile");
        f->ShellTreeView1DblClick();
        f->BitBtn1Click();
    }
};

}  // namespace

TEST_F(LauncherTest, ControlsStandWhereTheFormPutsThem) {
    TMainF w;
    EXPECT_EQ(w.windowTitle(), "Tidebook　インストール　or　バージョンアップ");
    EXPECT_EQ(w.size(), QSize(632, 446));
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    EXPECT_EQ(w.font().family(), "ＭＳ Ｐゴシック");
    EXPECT_EQ(w.font().pixelSize(), 16);

    struct Control {
        const char* name;
        QRect geometry;
        const char* text;
        bool bold;
    } controls[] = {
        {"Label_Taitoru", {16, 17, 428, 21}, "Tidebook　インストール　or　バージョンアップ", true},
        {"Btn_New", {24, 72, 281, 49}, "Ｔｉｄｅｂｏｏｋ　の新規インストール", true},
        {"Btn_Close", {472, 17, 144, 40}, "閉　じ　る", true},
        {"Btn_V_Up", {337, 72, 280, 49}, "Ｃａｔｃｈｆｉｌｅ　からのバージョンアップ", true},
        {"Label9", {40, 152, 43, 16}, "説　明", false},
        {"Bevel1", {40, 176, 561, 217}, nullptr, false},
    };
    for (const Control& c : controls) {
        QWidget* widget = Child<QWidget>(&w, c.name);
        if (!widget) continue;
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            // Labels size themselves to their text: the position is fixed,
            // the size at least the design size.
            EXPECT_EQ(label->pos(), c.geometry.topLeft()) << c.name;
            EXPECT_GE(label->width(), c.geometry.width()) << c.name;
            EXPECT_GE(label->width(), label->sizeHint().width()) << c.name << ": text clipped";
            EXPECT_EQ(label->text(), c.text) << c.name;
        } else {
            EXPECT_EQ(widget->geometry(), c.geometry) << c.name;
            if (auto* b = qobject_cast<QPushButton*>(widget)) {
                EXPECT_EQ(b->text(), c.text) << c.name;
            }
        }
        EXPECT_EQ(widget->font().bold(), c.bold) << c.name;
    }
    auto* title = Child<QLabel>(&w, "Label_Taitoru");
    EXPECT_EQ(title->font().pixelSize(), 21);
    EXPECT_EQ(title->palette().color(QPalette::WindowText), QColor(Qt::blue));
    auto* bevel = Child<QFrame>(&w, "Bevel1");
    EXPECT_EQ(bevel->frameShadow(), QFrame::Raised);

    const int tops[] = {184, 210, 236, 262, 289, 315, 341, 368};
    for (int i = 0; i < 8; ++i) {
        QLabel* line = w.DescriptionLine(i);
        EXPECT_EQ(line->objectName(), QString("Label%1").arg(i + 1));
        EXPECT_EQ(line->pos(), QPoint(56, tops[i]));
    }
    EXPECT_EQ(Lines(w), kEmpty) << "design texts must never show";

    // Tab order: Btn_New, Btn_Close, Btn_V_Up.
    EXPECT_EQ(TabOrder(&w, "Btn_New"), (QStringList{"Btn_New", "Btn_Close", "Btn_V_Up"}));
}

TEST_F(LauncherTest, StartUpResetsTheSharedValuesAndTakesTheWorkingDirectory) {
    Inst_Dir = "left over";
    Inst_Mode = 2;
    const QString saved = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(root.path()));
    TMainF w;
    QDir::setCurrent(saved);
    EXPECT_EQ(Inst_Mode, 0);
    EXPECT_EQ(Inst_Dir, "");
    EXPECT_EQ(Start_Dir, root.path());
}

TEST_F(LauncherTest, DescriptionsFollowThePointerOnlyOverButtonsAndBareBackground) {
    TMainF w;
    w.show();
    MoveOver(Child<QWidget>(&w, "Btn_New"));
    EXPECT_EQ(Lines(w), kOverNew);

    // A label, the bevel or the caption label leave the lines alone.
    for (const char* name : {"Label3", "Bevel1", "Label9", "Label_Taitoru"}) {
        MoveOver(Child<QWidget>(&w, name));
        EXPECT_EQ(Lines(w), kOverNew) << name;
    }
    MoveOver(Child<QWidget>(&w, "Btn_Close"));
    EXPECT_EQ(Lines(w), kOverNew) << "the close button has no description";

    MoveOver(Child<QWidget>(&w, "Btn_V_Up"));
    EXPECT_EQ(Lines(w), kOverUpgrade);

    MoveOver(&w, QPoint(10, 430));  // bare background
    EXPECT_EQ(Lines(w), kEmpty);
}

TEST_F(LauncherTest, CancelledChoosersChangeNothing) {
    TMainF w;
    w.show();
    MoveOver(Child<QWidget>(&w, "Btn_New"));

    QStringList seen = DriveModals([&] { w.Btn_NewClick(); }, {Cancel});
    EXPECT_EQ(seen, QStringList{"TFolderF"});
    seen = DriveModals([&] { w.Btn_V_UpClick(); }, {Cancel});
    EXPECT_EQ(seen, QStringList{"TFolderVUpF"});

    EXPECT_EQ(Inst_Mode, 0);
    EXPECT_EQ(Lines(w), kOverNew);
    MoveOver(Child<QWidget>(&w, "Btn_V_Up"));
    EXPECT_EQ(Lines(w), kOverUpgrade) << "descriptions keep reacting";
}

TEST_F(LauncherTest, NewInstallationPathShowsItsClosingTextAfterACompleteCopy) {
    MakeStandardFolder();
    TMainF w;
    w.show();
    const QStringList seen = DriveModals([&] { w.Btn_NewClick(); }, {AcceptStandardFolder, InstallAndClose});
    EXPECT_EQ(seen, (QStringList{"TFolderF", "TNewF"}));
    EXPECT_EQ(Inst_Mode, 1);
    EXPECT_EQ(Inst_Dir, driveC + "/Tidebook");
    EXPECT_EQ(ReadFile(driveC + "/Tidebook/Tidebook.exe"), SourceContent("Tidebook.exe"));
    EXPECT_EQ(Lines(w), kAfterNew);

    // The closing text stays whatever the pointer does.
    MoveOver(Child<QWidget>(&w, "Btn_V_Up"));
    MoveOver(&w, QPoint(10, 430));
    EXPECT_EQ(Lines(w), kAfterNew);
}

TEST_F(LauncherTest, NewInstallationWindowClosedWithoutCopyingClaimsNothing) {
    MakeStandardFolder();
    TMainF w;
    w.show();
    MoveOver(Child<QWidget>(&w, "Btn_New"));
    const QStringList seen = DriveModals([&] { w.Btn_NewClick(); }, {AcceptStandardFolder, Cancel});
    EXPECT_EQ(seen, (QStringList{"TFolderF", "TNewF"}));
    EXPECT_EQ(Inst_Mode, 1);
    EXPECT_EQ(Lines(w), kOverNew) << "no installation was made";
    MoveOver(&w, QPoint(10, 430));
    EXPECT_EQ(Lines(w), kOverNew) << "a path has been taken: the lines no longer follow the pointer";
}

TEST_F(LauncherTest, FailedCopyClaimsNoInstallation) {
    MakeStandardFolder();
    QDir(startDir + "/CopyFiles").removeRecursively();
    TMainF w;
    w.show();
    DriveModals([&] { w.Btn_NewClick(); }, {AcceptStandardFolder, InstallAndClose});
    EXPECT_EQ(Lines(w), kEmpty);
}

TEST_F(LauncherTest, AfterAnInstallationACancelledChooserStillLeadsToItsWindow) {
    MakeStandardFolder();
    ASSERT_TRUE(QDir().mkpath(driveC + "/Catchfile"));
    TMainF w;
    w.show();
    DriveModals([&] { w.Btn_NewClick(); }, {AcceptStandardFolder, InstallAndClose});
    ASSERT_EQ(Inst_Mode, 1);

    // Inst_Mode is still 1: the new-installation window opens again, and the
    // second copy keeps the databases that are there now.
    QStringList seen = DriveModals([&] { w.Btn_NewClick(); }, {Cancel, InstallAndClose});
    EXPECT_EQ(seen, (QStringList{"TFolderF", "TNewF"}));
    EXPECT_EQ(BoxTexts().size(), 2) << "both databases exist by now";

    // The upgrade path compares with its own value: a cancelled chooser leads
    // nowhere.
    seen = DriveModals([&] { w.Btn_V_UpClick(); }, {Cancel});
    EXPECT_EQ(seen, QStringList{"TFolderVUpF"});
    EXPECT_EQ(Inst_Mode, 1);
    EXPECT_EQ(Lines(w), kAfterNew);
}

TEST_F(LauncherTest, UpgradePathOpensTheUpgradeWindowAndClaimsNothingWhenItIsJustClosed) {
    ASSERT_TRUE(QDir().mkpath(driveC + "/Catchfile"));
    TMainF w;
    w.show();
    MoveOver(Child<QWidget>(&w, "Btn_V_Up"));
    const QStringList seen = DriveModals([&] { w.Btn_V_UpClick(); },
                                         {[this](QWidget* m) { AcceptInstalledFolder(m); }, Cancel});
    EXPECT_EQ(seen, (QStringList{"TFolderVUpF", "TVUpF"}));
    EXPECT_EQ(Inst_Mode, 2);
    EXPECT_EQ(Inst_Dir, driveC + "/Catchfile");
    EXPECT_EQ(Lines(w), kOverUpgrade);
}

TEST_F(LauncherTest, CompletedUpgradeShowsTheUpgradeClosingText) {
    ASSERT_TRUE(QDir().mkpath(driveC + "/Catchfile"));
    LauncherWithCompletedUpgrade w;
    w.show();
    DriveModals([&] { w.Btn_V_UpClick(); }, {[this](QWidget* m) { AcceptInstalledFolder(m); }});
    EXPECT_EQ(w.upgradeWindows, 1);
    EXPECT_EQ(Lines(w), kAfterUpgrade);
    MoveOver(Child<QWidget>(&w, "Btn_New"));
    EXPECT_EQ(Lines(w), kAfterUpgrade);

    // Inst_Mode is 2 now: a cancelled installed-folder chooser still leads to
    // the upgrade window, a cancelled new-installation chooser leads nowhere.
    DriveModals([&] { w.Btn_V_UpClick(); }, {Cancel});
    EXPECT_EQ(w.upgradeWindows, 2);
    const QStringList seen = DriveModals([&] { w.Btn_NewClick(); }, {Cancel});
    EXPECT_EQ(seen, QStringList{"TFolderF"});
}

TEST_F(LauncherTest, CloseButtonClosesTheLauncher) {
    TMainF w;
    w.show();
    ASSERT_TRUE(w.isVisible());
    Child<QPushButton>(&w, "Btn_Close")->click();
    EXPECT_FALSE(w.isVisible());
}
