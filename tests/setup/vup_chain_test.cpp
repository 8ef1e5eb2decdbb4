// The upgrade window's whole chain over every check result: memo lines and
// enabled buttons after each click, and the database at the end.
#include <QLabel>
#include <QTest>

#include "vup_fixture.h"

namespace vup {
namespace {

const char* const kAlways = "Btn_V_Up Btn_Close";

struct Step {
    std::string click;
    std::string enabled;  // step buttons enabled afterwards (besides V_Up and Close)
    QStringList lines;    // memo lines the click adds
};

struct ChainCase {
    int code;
    bool fields, table, memo;  // what the installation already has
    QStringList checkLines;    // lines of the check
    std::vector<Step> steps;   // after the check
};

void PrintTo(const ChainCase& c, std::ostream* os) { *os << "check code " << c.code; }

QStringList FieldAdded() { return {QStringLiteral("フィールドの追加完了"), kSep}; }
QStringList TableAdded() { return {QStringLiteral("テーブルの追加完了"), QStringLiteral("  ")}; }
QStringList MemoCopied() { return {QStringLiteral("メモデータベースをコピーしました。"), QString()}; }
QStringList AllDone() {
    return {QStringLiteral("Timeフィールドは正常にアップデートできました"), kSep,
            QStringLiteral("SyuBetuフィールドは正常にアップデートできました"), kSep,
            QStringLiteral("Memoデータベースは正常にコピーできました。"), kSep,
            QStringLiteral("アップデートは終了しました。"), kSep};
}
const QString kWillAddFields = QStringLiteral("フィールドの追加をします。");
const QString kWillAddTable = QStringLiteral("テーブルの追加をします。");
const QString kWillAddMemo = QStringLiteral("メモＤＢの追加をします。");

std::vector<ChainCase> Cases() {
    const Step field{"Btn_FieldAdd", "", FieldAdded()};
    const Step recheck{"Btn_AllCheck", "", AllDone()};
    return {
        {0, true, true, true, {QStringLiteral("アップデートの必要性はありません。"), kSep}, {}},
        {1, false, true, true,
         {QStringLiteral("フィールドの追加が必要です。"), kSep, kWillAddFields, kSep},
         {{"Btn_FieldAdd", "Btn_AllCheck", FieldAdded()}, {"Btn_AllCheck", "", AllDone()}}},
        {10, true, false, true,
         {QStringLiteral("テーブルの追加が必要です。"), kSep, kWillAddTable, kSep},
         {{"Btn_TableAdd", "Btn_DataAdd", TableAdded()}, {"Btn_DataAdd", "Btn_AllCheck", {}}, recheck}},
        {11, false, false, true,
         {QStringLiteral("フィールドの追加が必要かつ"), QStringLiteral("テーブルの追加が必要です。"), kSep,
          kWillAddFields, kSep},
         {{"Btn_FieldAdd", "Btn_TableAdd", FieldAdded()},
          {"Btn_TableAdd", "Btn_DataAdd", TableAdded()},
          {"Btn_DataAdd", "Btn_AllCheck", {}},
          recheck}},
        {100, true, true, false,
         {QStringLiteral("メモデータベースの追加が必要です。"), kSep, kWillAddMemo, kSep},
         {{"Btn_MemoAdd", "Btn_AllCheck", MemoCopied()}, recheck}},
        {101, false, true, false,
         {QStringLiteral("フィールドの追加が必要かつ "), QStringLiteral("メモデータベースが必要です。"), kSep,
          kWillAddFields, kSep},
         {{"Btn_FieldAdd", "Btn_MemoAdd", FieldAdded()}, {"Btn_MemoAdd", "Btn_AllCheck", MemoCopied()}, recheck}},
        {110, true, false, false,
         {QStringLiteral("テーブルの追加が必要かつ"), QStringLiteral("メモデータベースの追加が必要です。"), kSep,
          kWillAddTable, kSep},
         {{"Btn_TableAdd", "Btn_DataAdd", TableAdded()},
          {"Btn_DataAdd", "Btn_MemoAdd", {}},
          {"Btn_MemoAdd", "Btn_AllCheck", MemoCopied()},
          recheck}},
        {111, false, false, false,
         {QStringLiteral("全てのアップデートが必要です。"), kSep, kWillAddFields, kSep},
         {{"Btn_FieldAdd", "Btn_TableAdd", FieldAdded()},
          {"Btn_TableAdd", "Btn_DataAdd", TableAdded()},
          {"Btn_DataAdd", "Btn_MemoAdd", {}},
          {"Btn_MemoAdd", "Btn_AllCheck", MemoCopied()},
          recheck}},
    };
}

std::string Expect(const std::string& steps) {
    // kButtons order: V_Up first, Close last, the steps between.
    std::string s = "Btn_V_Up";
    if (!steps.empty()) s += " " + steps;
    return s + " Btn_Close";
}

class VUpChainTest : public VUpTest, public ::testing::WithParamInterface<ChainCase> {};

TEST_P(VUpChainTest, WholeChain) {
    const ChainCase& c = GetParam();
    const QString catchRec = Inst(QStringLiteral("CATCHREC.FDB"));
    {
        MakeInstallation(c.fields, c.table, c.memo);
        const QByteArray memoBefore = c.memo ? ReadBytes(Inst(QStringLiteral("TIDEJOURNAL.FDB"))) : QByteArray();

        TVUpF& w = Window();
        EXPECT_EQ(Enabled(), kAlways);
        EXPECT_TRUE(NewLines().isEmpty());

        Click("Btn_V_Up");
        EXPECT_EQ(Enabled(), Expect("Btn_DBBack"));
        EXPECT_EQ(NewLines(), (QStringList{QStringLiteral("バージョンアップします。"),
                                           QStringLiteral("データはバックアップされます。"),
                                           QStringLiteral("旧のプログラム「Catchfile」でも使用可能です。"),
                                           QStringLiteral("新しいプログラムは「Tidebook」になります。"), QString(),
                                           Inst(QStringLiteral("Tidebook.exe")) + QStringLiteral(" をコピーしました。"),
                                           Inst(QStringLiteral("Tacklepad.exe")) + QStringLiteral(" をコピーしました。")}));
        EXPECT_EQ(ReadBytes(Inst(QStringLiteral("Tidebook.exe"))), QByteArrayLiteral("MZ new Tidebook"));
        EXPECT_EQ(ReadBytes(Inst(QStringLiteral("Tacklepad.exe"))), QByteArrayLiteral("MZ new Tacklepad"));

        Click("Btn_DBBack");
        EXPECT_EQ(Enabled(), Expect("Btn_DBCheck"));
        const QStringList backupReport =
            c.memo ? QStringList{QStringLiteral("ファイルはこのフォルダーの \\Back　にバックアップされました")}
                   : QStringList{QStringLiteral("「TIDEJOURNAL.FDB」がない場合、新規で作成しました"),
                                 QStringLiteral("ファイルが有った場合 \\Back　にバックアップされました。")};
        EXPECT_EQ(NewLines(), backupReport + QStringList({kSep, QStringLiteral("データベースのフィールドをチェックします。"),
                                                          QString()}));
        EXPECT_EQ(w.BackData(), 0);
        EXPECT_EQ(w.BackMemo(), c.memo ? 0 : 10);

        Click("Btn_DBCheck");
        EXPECT_EQ(w.CheckCode(), c.code);
        EXPECT_EQ(NewLines(), c.checkLines);
        EXPECT_EQ(Enabled(), Expect(c.steps.empty() ? std::string() : c.steps.front().click));

        for (const Step& s : c.steps) {
            SCOPED_TRACE(s.click);
            Click(s.click);
            EXPECT_EQ(NewLines(), s.lines);
            EXPECT_EQ(Enabled(), s.click == "Btn_AllCheck" ? std::string("Btn_Close") : Expect(s.enabled));
        }
        EXPECT_TRUE(boxes_.empty());
        EXPECT_TRUE(w.UpgradeCompleted());
        EXPECT_ALL_CP932(w);
        const QStringList memo = Memo();
        EXPECT_EQ(memo.mid(memo.size() - 2),
                  (QStringList{c.code == 0 ? QStringLiteral("アップデートの必要性はありません。")
                                           : QStringLiteral("アップデートは終了しました。"),
                               kSep}));

        CloseWindow();
        const Snapshot after = Look(catchRec);
        EXPECT_EQ(after.fishData, UpgradedFishDataColumns());
        EXPECT_EQ(after.syubetu, (QStringList{QStringLiteral("S00_NO 8 0 0 -"), QStringLiteral("S01_SYUBETU 37 20 0 -")}));
        EXPECT_EQ(after.syubetuCount, QStringList{QStringLiteral("0")});
        EXPECT_EQ(after.rows, OldRows());
        // The memo database: kept as it was, or the one from CopyFiles.
        EXPECT_EQ(ReadBytes(Inst(QStringLiteral("TIDEJOURNAL.FDB"))),
                  c.memo ? memoBefore : ReadBytes(CopySource(QStringLiteral("TIDEJOURNAL.FDB"))));
        // The backup holds the database as it was before the upgrade.
        if (c.code == 111) {
            const Snapshot backup = Look(Inst(QStringLiteral("Back/CATCHREC.FDB")));
            EXPECT_EQ(backup.rows, OldRows());
            EXPECT_EQ(backup.fishData.size(), 3);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryCheckResult, VUpChainTest, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<ChainCase>& info) {
                             return "Code" + std::to_string(info.param.code);
                         });

TEST_F(VUpTest, StatementTextsAreSentExactly) {
    QString add = QStringLiteral(" alter table FISH_DATA") + QStringLiteral("   ");
    QStringList clauses;
    for (const char* n : {"TIME1_L", "TIME1_T", "TIME1_W", "TIME1_H", "TIME2_L", "TIME2_T", "TIME2_W", "TIME2_H",
                          "TIME3_L", "TIME3_T", "TIME3_W", "TIME3_H"})
        clauses << QStringLiteral("add") + QStringLiteral("  ") + QString::fromLatin1(n) + QChar(9) +
                       QStringLiteral("INTEGER");
    add += clauses.join(QStringLiteral(",  ")) + QStringLiteral("  ");
    EXPECT_EQ(TVUpF::AddFieldsSql(), add);
    EXPECT_EQ(TVUpF::CreateTableSql(), QStringLiteral(" CREATE TABLE SYUBETU") + QStringLiteral("     ") +
                                           QStringLiteral("( S00_NO") + QChar(9) + QStringLiteral("INTEGER,") +
                                           QStringLiteral("       ") + QStringLiteral("S01_SYUBETU") + QChar(9) +
                                           QStringLiteral("VARCHAR(20) ") + QStringLiteral(")"));
    EXPECT_EQ(TVUpF::FieldTestSql(), QStringLiteral(" select TIME1_L from FISH_DATA "));
    EXPECT_EQ(TVUpF::TableTestSql(), QStringLiteral(" select * from SYUBETU "));
}

TEST_F(VUpTest, ShownWindow) {
    Inst_Dir = QStringLiteral("/srv/つり/Catchfile");
    TVUpF& w = Window();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("バージョンアップ"));
    EXPECT_EQ(w.size(), QSize(632, 446));
    EXPECT_EQ(Enabled(), kAlways);
    auto* label = w.findChild<QLabel*>(QStringLiteral("Label_Taget_F"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("インストール済みのフォルダー　：　/srv/つり/Catchfile"));
    for (const std::string& n : kButtons) {
        if (n == "Btn_V_Up" || n == "Btn_Close") continue;
        EXPECT_EQ(Button(n)->property("Tag").toInt(), 100) << n;
    }
    EXPECT_TRUE(Button("Btn_V_Up")->font().bold());
    EXPECT_FALSE(Button("Btn_DBCheck")->font().bold());
    auto* title = w.findChild<QLabel*>(QStringLiteral("Label1"));
    ASSERT_NE(title, nullptr);
    EXPECT_TRUE(title->font().bold());
    for (QWidget* c : {static_cast<QWidget*>(title), static_cast<QWidget*>(label),
                       static_cast<QWidget*>(Button("Btn_V_Up")), static_cast<QWidget*>(Button("Btn_AllCheck"))})
        EXPECT_EQ(QFontInfo(c->font()).pixelSize(), 16) << c->objectName().toStdString();
    EXPECT_FALSE(FitsCp932(QStringLiteral("\u2603"))) << "the check itself must be able to fail";
}

// A second round after a recheck that found something missing: the window
// connects again, and the new backup replaces the previous one.
TEST_F(VUpTest, SecondRoundReplacesTheBackup) {
    MakeInstallation(false, true, true);
    Click("Btn_V_Up");
    Click("Btn_DBBack");
    Click("Btn_DBCheck");
    Click("Btn_FieldAdd");
    QFile::remove(Inst(QStringLiteral("TIDEJOURNAL.FDB")));  // lost meanwhile
    NewLines();
    Click("Btn_AllCheck");
    EXPECT_EQ(NewLines(), (QStringList{QStringLiteral("Timeフィールドは正常にアップデートできました"), kSep,
                                                  QStringLiteral("SyuBetuフィールドは正常にアップデートできました"), kSep,
                                                  QStringLiteral("再度アップデートをチェックしてください。"), kSep}));
    EXPECT_FALSE(Window().UpgradeCompleted());
    EXPECT_EQ(Enabled(), "Btn_V_Up Btn_AllCheck Btn_Close");

    Click("Btn_V_Up");
    Click("Btn_DBBack");
    EXPECT_EQ(Window().BackMemo(), 10);
    Click("Btn_DBCheck");
    EXPECT_EQ(Window().CheckCode(), 100);
    Click("Btn_MemoAdd");
    Click("Btn_AllCheck");
    EXPECT_TRUE(Window().UpgradeCompleted());
    EXPECT_TRUE(boxes_.empty());
    CloseWindow();
    // The backup of the second round already has the twelve columns.
    const Snapshot backup = Look(Inst(QStringLiteral("Back/CATCHREC.FDB")));
    EXPECT_EQ(backup.fishData, UpgradedFishDataColumns());
    EXPECT_EQ(backup.rows, OldRows());
}

}  // namespace
}  // namespace vup

namespace vup {
namespace {

// Keys as on the other windows: Enter on a focused button presses it.
TEST_F(VUpTest, EnterPressesTheFocusedButton) {
    MakeInstallation(true, true, true);
    TVUpF& w = Window();
    QApplication::setActiveWindow(&w);
    Button("Btn_V_Up")->setFocus();
    QTest::keyClick(Button("Btn_V_Up"), Qt::Key_Return);
    EXPECT_EQ(NewLines().size(), 7);
    auto* memo = w.findChild<QPlainTextEdit*>(QStringLiteral("Memo1"));
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_Return);
    EXPECT_EQ(Enabled(), "Btn_V_Up Btn_DBBack Btn_Close");
    EXPECT_TRUE(NewLines().isEmpty()) << "Enter in the memo must not start a step";
}

}  // namespace
}  // namespace vup
