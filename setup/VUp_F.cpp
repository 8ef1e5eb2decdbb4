#include "setup/VUp_F.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QTextCursor>
#include <exception>

#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/Error.h"
#include "platform/Files.h"
#include "setup/Main_F.h"
#include "ui_VUp_F.h"

namespace {

const QString kCatchRec = QStringLiteral("CATCHREC.FDB");
const QString kMemoDb = QStringLiteral("TIDEJOURNAL.FDB");
const QString kSeparator = QStringLiteral("    ");
constexpr int kStepTag = 100;

const char* const kNewColumns[] = {"TIME1_L", "TIME1_T", "TIME1_W", "TIME1_H",
                                   "TIME2_L", "TIME2_T", "TIME2_W", "TIME2_H",
                                   "TIME3_L", "TIME3_T", "TIME3_W", "TIME3_H"};

// The text of the exception being handled.
QString CurrentErrorText() {
    try {
        throw;
    } catch (const platform::Error& e) {
        return e.Message();
    } catch (const std::exception& e) {
        return QString::fromLocal8Bit(e.what());
    } catch (...) {
        return QStringLiteral("Unknown error");
    }
}

}  // namespace

TVUpF::TVUpF(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TVUpF>()), IBTr1(&IBDB1), IBSQL(&IBDB1, &IBTr1) {
    ui->setupUi(this);
    setFont(platform::UiFont(16));
    // Set outright: a label with a style sheet keeps the font it was
    // polished with and would not follow the window font.
    ui->Label1->setFont(platform::UiFont(16, true));
    ui->Btn_V_Up->setFont(platform::UiFont(16, true));
    ui->Btn_Close->setFont(platform::UiFont(16, true));
    setFixedSize(632, 446);
    ui->Memo1->installEventFilter(this);

    // The connection: fixed parameters, no login dialog, dialect 3, the one
    // transaction as default. Not connected until the start button.
    IBDB1.SetParams({QStringLiteral("user_name=tdu"), QStringLiteral("password=9274")});
    IBDB1.SetSqlDialect(3);
    IBDB1.SetDefaultTransaction(&IBTr1);

    // An error that a handler does not catch goes to the application's error
    // box here, before it could unwind through the toolkit's frames.
    const auto bind = [this](QPushButton* button, void (TVUpF::*handler)()) {
        connect(button, &QPushButton::clicked, this,
                [this, handler] { platform::Application::Guard([&] { (this->*handler)(); }); });
    };
    bind(ui->Btn_V_Up, &TVUpF::Btn_V_UpClick);
    bind(ui->Btn_DBBack, &TVUpF::Btn_DBBackClick);
    bind(ui->Btn_DBCheck, &TVUpF::Btn_DBCheckClick);
    bind(ui->Btn_FieldAdd, &TVUpF::Btn_FieldAddClick);
    bind(ui->Btn_TableAdd, &TVUpF::Btn_TableAddClick);
    bind(ui->Btn_DataAdd, &TVUpF::Btn_DataAddClick);
    bind(ui->Btn_MemoAdd, &TVUpF::Btn_MemoAddClick);
    bind(ui->Btn_AllCheck, &TVUpF::Btn_AllCheckClick);
    bind(ui->Btn_Close, &TVUpF::Btn_CloseClick);
}

TVUpF::~TVUpF() {
    // Closing the window closes the connection; the work is already
    // committed step by step.
    try {
        IBDB1.Disconnect();
    } catch (...) {
    }
}

// --- Statements ----------------------------------------------------------------

QString TVUpF::FieldTestSql() { return QStringLiteral(" select TIME1_L from FISH_DATA "); }

QString TVUpF::TableTestSql() { return QStringLiteral(" select * from SYUBETU "); }

QString TVUpF::AddFieldsSql() {
    QStringList clauses;
    for (const char* column : kNewColumns)
        clauses << QStringLiteral("add  ") + QLatin1String(column) + QStringLiteral("\tINTEGER");
    return QStringLiteral(" alter table FISH_DATA   ") + clauses.join(QStringLiteral(",  ")) +
           QStringLiteral("  ");
}

QString TVUpF::CreateTableSql() {
    return QStringLiteral(" CREATE TABLE SYUBETU     ( S00_NO\tINTEGER,       S01_SYUBETU\tVARCHAR(20) )");
}

// --- Helpers -------------------------------------------------------------------

QString TVUpF::InstFile(const QString& name) const { return platform::JoinPath(Inst_Dir, name); }

QString TVUpF::SourceFile(const QString& name) const {
    return platform::JoinPath(platform::JoinPath(Start_Dir, QStringLiteral("CopyFiles")), name);
}

void TVUpF::AddLine(const QString& line) {
    QTextCursor cursor(ui->Memo1->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(line + QLatin1Char('\n'));
    ui->Memo1->setTextCursor(cursor);
    ui->Memo1->ensureCursorVisible();
}

void TVUpF::AddSeparator() { AddLine(kSeparator); }

QStringList TVUpF::MemoLines() const {
    const QString text = ui->Memo1->toPlainText();
    if (text.isEmpty()) return {};
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.last().isEmpty()) lines.removeLast();  // the line break after the last line
    return lines;
}

void TVUpF::Execute(const QString& sql) {
    IBSQL.Close();
    IBSQL.SQL().clear();
    IBSQL.SQL() << sql;
    IBSQL.ExecQuery();
}

bool TVUpF::TestSelect(const QString& sql) {
    try {
        IBSQL.Close();
        IBSQL.SQL().clear();
        IBSQL.SQL() << sql;
        IBSQL.Open();
        return true;
    } catch (...) {
        try {
            IBSQL.Close();
        } catch (...) {
        }
        return false;
    }
}

void TVUpF::CopyProgram(const QString& name) {
    const QString target = InstFile(name);
    const platform::CopyResult r = platform::CopyFile(SourceFile(name), target, platform::CopyMode::Replace);
    if (r.Ok())
        AddLine(target + QStringLiteral(" をコピーしました。"));
    else
        AddLine(target + QStringLiteral(" をコピーできませんでした（") + r.error + QStringLiteral("）"));
}

// --- Handlers ------------------------------------------------------------------

void TVUpF::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

// The memo keeps Enter to itself, as a memo box does; the dialog would
// otherwise take it for its default button and start a step.
bool TVUpF::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->Memo1 && (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            event->accept();
            return event->type() == QEvent::KeyPress;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TVUpF::FormShow() {
    for (QPushButton* b : findChildren<QPushButton*>())
        if (b->property("Tag").toInt() == kStepTag) b->setEnabled(false);
    ui->Memo1->clear();
    ui->Label_Taget_F->setText(QStringLiteral("インストール済みのフォルダー　：　") + Inst_Dir);
    ui->Label_Taget_F->adjustSize();
}

void TVUpF::Btn_V_UpClick() {
    ui->Btn_DBBack->setEnabled(true);
    const QString catchRec = InstFile(kCatchRec);
    if (!platform::FileExists(catchRec)) {
        AddLine(QStringLiteral("指定したフォルダにファイルがありません"));
        AddLine(QString());
        AddLine(QString());
    } else {
        AddLine(QStringLiteral("バージョンアップします。"));
        AddLine(QStringLiteral("データはバックアップされます。"));
        AddLine(QStringLiteral("旧のプログラム「Catchfile」でも使用可能です。"));
        AddLine(QStringLiteral("新しいプログラムは「Tidebook」になります。"));
        AddLine(QString());
        IBSQL.Close();
        IBDB1.Disconnect();
        IBDB1.SetDatabaseName(catchRec);
        IBDB1.Connect();  // a refusal goes to the error box; the copies below wait
    }
    CopyProgram(QStringLiteral("Tidebook.exe"));
    CopyProgram(QStringLiteral("Tacklepad.exe"));
}

void TVUpF::Btn_DBBackClick() {
    FBackData = 0;
    FBackMemo = 0;
    bool dataDecided = false;
    bool memoDecided = false;
    // The engine may hold pages of an attached file that are not on disk yet:
    // the files are copied while this program holds no attachment.
    const bool reattach = IBDB1.Connected();
    try {
        if (reattach) {
            IBSQL.Close();
            IBDB1.Disconnect();
        }
        const QString back = InstFile(QStringLiteral("Back"));
        if (!platform::DirectoryExists(back)) platform::CreateDirectory(back);

        // Each copy is written to a temporary file in Back and moved over the
        // earlier backup only when complete.
        const QString catchRec = InstFile(kCatchRec);
        if (platform::FileExists(catchRec))
            FBackData = platform::CopyFile(catchRec, platform::JoinPath(back, kCatchRec),
                                           platform::CopyMode::Replace)
                                .Ok()
                            ? 0
                            : 1;
        else
            FBackData = 1;
        dataDecided = true;

        const QString memoDb = InstFile(kMemoDb);
        if (platform::FileExists(memoDb))
            FBackMemo = platform::CopyFile(memoDb, platform::JoinPath(back, kMemoDb),
                                           platform::CopyMode::Replace)
                                .Ok()
                            ? 0
                            : 10;
        else
            FBackMemo = 10;
        memoDecided = true;
    } catch (...) {
        // A copy that was not made is not reported as made.
        if (!dataDecided) FBackData = 1;
        if (!memoDecided) FBackMemo = 10;
        AddLine(QStringLiteral("手動で「****.FDB」ファイルを \\Back　にバックアップしてください"));
        AddSeparator();
    }

    switch (FBackData + FBackMemo) {
        case 0:
            AddLine(QStringLiteral("ファイルはこのフォルダーの \\Back　にバックアップされました"));
            break;
        case 1:
            AddLine(QStringLiteral("手動で「CATCHREC.FDB」ファイルを \\Back　にバックアップしてください"));
            break;
        case 10:
            AddLine(QStringLiteral("「TIDEJOURNAL.FDB」がない場合、新規で作成しました"));
            AddLine(QStringLiteral("ファイルが有った場合 \\Back　にバックアップされました。"));
            break;
        default:
            AddLine(QStringLiteral("バックアップに失敗しました"));
            AddLine(QStringLiteral("手動で「****.FDB」ファイルを \\Back　にバックアップしてください"));
            break;
    }
    AddSeparator();

    ui->Btn_DBCheck->setEnabled(true);
    ui->Btn_DBBack->setEnabled(false);
    AddLine(QStringLiteral("データベースのフィールドをチェックします。"));
    AddLine(QString());

    if (reattach && !IBDB1.Connected()) IBDB1.Connect();  // a refusal goes to the error box
}

void TVUpF::Btn_DBCheckClick() {
    FCheckCode = TestSelect(FieldTestSql()) ? 0 : 1;
    if (!TestSelect(TableTestSql())) FCheckCode += 10;
    if (!platform::FileExists(InstFile(kMemoDb))) FCheckCode += 100;
    // Nothing missing counts as a finished upgrade, as a clean recheck does.
    FUpgradeCompleted = FCheckCode == 0;

    switch (FCheckCode) {
        case 0:
            AddLine(QStringLiteral("アップデートの必要性はありません。"));
            break;
        case 1:
            AddLine(QStringLiteral("フィールドの追加が必要です。"));
            break;
        case 10:
            AddLine(QStringLiteral("テーブルの追加が必要です。"));
            break;
        case 11:
            AddLine(QStringLiteral("フィールドの追加が必要かつ"));
            AddLine(QStringLiteral("テーブルの追加が必要です。"));
            break;
        case 100:
            AddLine(QStringLiteral("メモデータベースの追加が必要です。"));
            break;
        case 101:
            AddLine(QStringLiteral("フィールドの追加が必要かつ "));
            AddLine(QStringLiteral("メモデータベースが必要です。"));
            break;
        case 110:
            AddLine(QStringLiteral("テーブルの追加が必要かつ"));
            AddLine(QStringLiteral("メモデータベースの追加が必要です。"));
            break;
        default:
            AddLine(QStringLiteral("全てのアップデートが必要です。"));
            break;
    }
    AddSeparator();

    if (FCheckCode == 1 || FCheckCode == 11 || FCheckCode == 101 || FCheckCode == 111) {
        ui->Btn_FieldAdd->setEnabled(true);
        AddLine(QStringLiteral("フィールドの追加をします。"));
        AddSeparator();
    }
    if (FCheckCode == 10 || FCheckCode == 110) {
        ui->Btn_TableAdd->setEnabled(true);
        AddLine(QStringLiteral("テーブルの追加をします。"));
        AddSeparator();
    }
    if (FCheckCode == 100) {
        ui->Btn_MemoAdd->setEnabled(true);
        AddLine(QStringLiteral("メモＤＢの追加をします。"));
        AddSeparator();
    }
    ui->Btn_DBCheck->setEnabled(false);
}

void TVUpF::Btn_FieldAddClick() {
    try {
        Execute(AddFieldsSql());
        IBTr1.CommitRetaining();
        AddLine(QStringLiteral("フィールドの追加完了"));
        AddSeparator();
    } catch (...) {
        const QString message = CurrentErrorText();
        // Without a transaction this raises in turn, and the click ends here.
        IBTr1.RollbackRetaining();
        platform::ShowMessage(message, this);
        AddLine(QStringLiteral("フィールドの追加失敗しました。"));
        AddSeparator();
    }
    if (FCheckCode == 1) ui->Btn_AllCheck->setEnabled(true);
    if (FCheckCode == 11 || FCheckCode == 111) ui->Btn_TableAdd->setEnabled(true);
    if (FCheckCode == 101) ui->Btn_MemoAdd->setEnabled(true);
    ui->Btn_FieldAdd->setEnabled(false);
}

void TVUpF::Btn_TableAddClick() {
    try {
        Execute(CreateTableSql());
        IBTr1.CommitRetaining();
        AddLine(QStringLiteral("テーブルの追加完了"));
        AddLine(QStringLiteral("  "));
    } catch (...) {
        const QString message = CurrentErrorText();
        IBTr1.RollbackRetaining();
        platform::ShowMessage(message, this);
    }
    ui->Btn_DataAdd->setEnabled(true);
    ui->Btn_TableAdd->setEnabled(false);
}

void TVUpF::Btn_DataAddClick() {
    if (FCheckCode == 100 || FCheckCode == 101 || FCheckCode == 110 || FCheckCode == 111)
        ui->Btn_MemoAdd->setEnabled(true);
    else
        ui->Btn_AllCheck->setEnabled(true);
    ui->Btn_DataAdd->setEnabled(false);
}

void TVUpF::Btn_MemoAddClick() {
    // An existing memo database is never replaced, not even when it appeared
    // after the check.
    const platform::CopyResult r =
        platform::CopyFile(SourceFile(kMemoDb), InstFile(kMemoDb), platform::CopyMode::NoReplace);
    ui->Btn_AllCheck->setEnabled(true);
    ui->Btn_MemoAdd->setEnabled(false);
    switch (r.status) {
        case platform::CopyStatus::Copied:
            AddLine(QStringLiteral("メモデータベースをコピーしました。"));
            break;
        case platform::CopyStatus::TargetExists:
            AddLine(QStringLiteral("メモデータベースは既にありますのでコピーはしません。"));
            break;
        case platform::CopyStatus::Failed:
            AddLine(QStringLiteral("メモデータベースをコピーできませんでした（") + r.error + QStringLiteral("）"));
            break;
    }
    AddLine(QString());
}

void TVUpF::Btn_AllCheckClick() {
    int n = 0;
    if (TestSelect(FieldTestSql())) {
        AddLine(QStringLiteral("Timeフィールドは正常にアップデートできました"));
        AddSeparator();
    } else {
        n = 1;
    }
    if (TestSelect(TableTestSql())) {
        AddLine(QStringLiteral("SyuBetuフィールドは正常にアップデートできました"));
        AddSeparator();
    } else {
        n += 1;
    }
    if (platform::FileExists(InstFile(kMemoDb))) {
        AddLine(QStringLiteral("Memoデータベースは正常にコピーできました。"));
        AddSeparator();
    } else {
        n += 1;
    }
    FUpgradeCompleted = n == 0;
    if (n == 0) {
        AddLine(QStringLiteral("アップデートは終了しました。"));
        AddSeparator();
        ui->Btn_V_Up->setEnabled(false);
        ui->Btn_AllCheck->setEnabled(false);
    } else {
        AddLine(QStringLiteral("再度アップデートをチェックしてください。"));
        AddSeparator();
        ui->Btn_V_Up->setEnabled(true);
    }
}

void TVUpF::Btn_CloseClick() { close(); }
