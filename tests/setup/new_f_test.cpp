// The new installation: the memo line by line, the copies, the databases
// that are never overwritten and the failures that are reported.
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "setup/New_F.h"
#include "setup_fixture.h"

using namespace setup_test;

namespace {

const QString kCatchExists =
    "データベースファイル（釣果用）は\n既にありますのでコピーはしません\n\nバージョンアップにて\nデータ構造をチェックしてください";
const QString kMemoExists = "データベースファイル（メモ用）は\n既にありますのでコピーはしません";

class NewInstallTest : public SetupTest {
protected:
    void SetUp() override {
        SetupTest::SetUp();
        target = driveC + "/Tidebook";
        ASSERT_TRUE(QDir().mkpath(target));
        Inst_Dir = target;
        Inst_Mode = 1;
    }
    QPushButton* Button(QWidget* w, const char* name) { return w->findChild<QPushButton*>(name); }
    QString T(const QString& name) const { return target + "/" + name; }

    QString target;
};

}  // namespace

TEST_F(NewInstallTest, WindowControlsAndStartingMemo) {
    TNewF w;
    EXPECT_EQ(w.windowTitle(), "新規　インストール");
    EXPECT_EQ(w.size(), QSize(632, 446));
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    struct Control {
        const char* name;
        QRect geometry;
        bool bold;
    } controls[] = {
        {"Btn_Inst", {24, 80, 305, 33}, true},
        {"Btn_NO", {472, 16, 145, 41}, true},
        {"Memo1", {24, 136, 585, 297}, false},
    };
    for (const Control& c : controls) {
        QWidget* widget = w.findChild<QWidget*>(c.name);
        ASSERT_NE(widget, nullptr) << c.name;
        EXPECT_EQ(widget->geometry(), c.geometry) << c.name;
        EXPECT_EQ(widget->font().bold(), c.bold) << c.name;
    }
    EXPECT_EQ(Button(&w, "Btn_Inst")->text(), "インストール開始");
    EXPECT_EQ(Button(&w, "Btn_NO")->text(), "キャンセル");
    auto* title = w.findChild<QLabel*>("Label1");
    EXPECT_EQ(title->pos(), QPoint(24, 24));
    EXPECT_EQ(title->text(), "Ｔｉｄｅｂｏｏｋを新規にインストールします");
    EXPECT_TRUE(title->font().bold());
    EXPECT_EQ(title->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    auto* folder = w.findChild<QLabel*>("Label_Taget_F");
    EXPECT_EQ(folder->pos(), QPoint(24, 56));
    EXPECT_EQ(folder->text(), "指定フォルダ 　：　" + target);
    EXPECT_GE(folder->width(), folder->sizeHint().width());
    EXPECT_EQ(w.findChild<QPlainTextEdit*>("Memo1")->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(TabOrder(&w, "Memo1"), (QStringList{"Memo1", "Btn_Inst", "Btn_NO"}));

    EXPECT_EQ(w.MemoLines(), (QStringList{"インストールフォルダーは", target, "です", ""}));
}

TEST_F(NewInstallTest, FreshFolderGetsAllSixFilesAndTheFullMemo) {
    TNewF w;
    w.show();
    Button(&w, "Btn_Inst")->click();

    const QStringList expected = {
        "インストールフォルダーは",
        target,
        "です",
        "",
        "コピー中",
        "",
        T("firebird.msg"),
        T("GDS32.dll"),
        T("Tidebook.exe"),
        T("Tacklepad.exe"),
        T("CATCHREC.FDB"),
        T("TIDEJOURNAL.FDB"),
        "",
        target + "  にコピーしました。",
        "",
        "プログラムは「Tidebook」でスタートします。",
        "これからの釣行に役立ててください。",
    };
    EXPECT_EQ(w.MemoLines(), expected);
    for (const QString& name : InstallFiles()) EXPECT_EQ(ReadFile(T(name)), SourceContent(name)) << name.toStdString();
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(Button(&w, "Btn_Inst")->isEnabled());
    EXPECT_EQ(Button(&w, "Btn_NO")->text(), "閉じる");
    EXPECT_TRUE(w.InstallCompleted());
    EXPECT_EQ(Inst_Mode, 1);

    Button(&w, "Btn_NO")->click();
    EXPECT_FALSE(w.isVisible());
}

TEST_F(NewInstallTest, ExistingDatabasesAreKeptByteForByteAndProgramsReplaced) {
    const QByteArray records("angler's catch records \x00\x01\x02", 26);
    WriteFile(T("CATCHREC.FDB"), records);
    WriteFile(T("TIDEJOURNAL.FDB"), "angler's memos");
    WriteFile(T("Tidebook.exe"), "old program");

    TNewF w;
    w.show();
    w.Btn_InstClick();

    EXPECT_EQ(BoxTexts(), (QStringList{kCatchExists, kMemoExists})) << "catch records first";
    EXPECT_EQ(ReadFile(T("CATCHREC.FDB")), records);
    EXPECT_EQ(ReadFile(T("TIDEJOURNAL.FDB")), "angler's memos");
    EXPECT_EQ(ReadFile(T("Tidebook.exe")), SourceContent("Tidebook.exe"));

    const QStringList lines = w.MemoLines();
    EXPECT_EQ(lines.mid(6), (QStringList{T("firebird.msg"), T("GDS32.dll"), T("Tidebook.exe"), T("Tacklepad.exe"), "",
                                         target + "  にコピーしました。", "",
                                         "プログラムは「Tidebook」でスタートします。",
                                         "これからの釣行に役立ててください。"}));
    EXPECT_TRUE(w.InstallCompleted()) << "keeping a database is not a failure";
}

TEST_F(NewInstallTest, MissingCopyFilesIsReportedForEveryFileAndNothingIsClaimed) {
    ASSERT_TRUE(QDir::setCurrent(root.path()));  // started elsewhere: no CopyFiles there
    Start_Dir = root.path();
    TNewF w;
    w.show();
    w.Btn_InstClick();

    const QStringList lines = w.MemoLines();
    ASSERT_GE(lines.size(), 12);
    for (int i = 0; i < 6; ++i) {
        const QString& line = lines[6 + i];
        EXPECT_TRUE(line.startsWith(T(InstallFiles()[i]) + " をコピーできませんでした（")) << line.toStdString();
        EXPECT_TRUE(line.contains("ファイルまたはフォルダーがありません")) << line.toStdString();
    }
    for (const QString& line : lines) EXPECT_FALSE(line.contains("にコピーしました")) << line.toStdString();
    EXPECT_TRUE(lines.contains("6 個のファイルをコピーできませんでした。"));
    EXPECT_TRUE(lines.contains("インストールは完了していません。"));
    EXPECT_TRUE(QDir(target).isEmpty());
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(w.InstallCompleted());
    EXPECT_FALSE(Button(&w, "Btn_Inst")->isEnabled());
}

TEST_F(NewInstallTest, TargetThatCannotBeWrittenIsReportedAndTheRestIsCopied) {
    // A folder stands where the program file should go.
    ASSERT_TRUE(QDir().mkpath(T("Tidebook.exe")));
    WriteFile(T("Tidebook.exe/inside"), "untouched");

    TNewF w;
    w.show();
    w.Btn_InstClick();
    const QStringList lines = w.MemoLines();
    EXPECT_EQ(lines[6], T("firebird.msg"));
    EXPECT_EQ(lines[7], T("GDS32.dll"));
    EXPECT_TRUE(lines[8].startsWith(T("Tidebook.exe") + " をコピーできませんでした（")) << lines[8].toStdString();
    EXPECT_EQ(lines[9], T("Tacklepad.exe"));
    EXPECT_EQ(lines[10], T("CATCHREC.FDB"));
    EXPECT_EQ(lines[11], T("TIDEJOURNAL.FDB"));
    EXPECT_TRUE(lines.contains("1 個のファイルをコピーできませんでした。"));
    EXPECT_FALSE(w.InstallCompleted());
    EXPECT_EQ(ReadFile(T("Tidebook.exe/inside")), "untouched");
    // No temporary file is left behind.
    EXPECT_EQ(QDir(target).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 6);
}

TEST_F(NewInstallTest, InstallationFolderThatVanishedIsReported) {
    ASSERT_TRUE(QDir(target).removeRecursively());
    TNewF w;
    w.show();
    w.Btn_InstClick();
    const QStringList lines = w.MemoLines();
    for (int i = 0; i < 6; ++i) EXPECT_TRUE(lines[6 + i].contains("をコピーできませんでした")) << i;
    EXPECT_FALSE(w.InstallCompleted());
    EXPECT_FALSE(QDir(target).exists());
}

TEST_F(NewInstallTest, ClosingBeforeTheCopyCopiesNothing) {
    TNewF w;
    w.show();
    w.Btn_NOClick();
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(QDir(target).isEmpty());
    EXPECT_FALSE(w.InstallCompleted());
}

TEST_F(NewInstallTest, SecondOpeningCopiesAgainAndKeepsTheNewDatabases) {
    {
        TNewF first;
        first.Btn_InstClick();
    }
    WriteFile(T("CATCHREC.FDB"), "records written since");
    WriteFile(startDir + "/CopyFiles/Tacklepad.exe", "newer editor");

    TNewF second;
    EXPECT_TRUE(Button(&second, "Btn_Inst")->isEnabled());
    EXPECT_EQ(Button(&second, "Btn_NO")->text(), "キャンセル");
    EXPECT_EQ(second.MemoLines().size(), 4);
    second.Btn_InstClick();
    EXPECT_EQ(BoxTexts(), (QStringList{kCatchExists, kMemoExists}));
    EXPECT_EQ(ReadFile(T("CATCHREC.FDB")), "records written since");
    EXPECT_EQ(ReadFile(T("Tacklepad.exe")), "newer editor");
}
