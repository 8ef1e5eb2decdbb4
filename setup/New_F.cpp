#include "setup/New_F.h"

#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "setup/Main_F.h"
#include "ui_New_F.h"

TNewF::TNewF(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TNewF>()) {
    ui->setupUi(this);
    setFont(platform::UiFont(16));
    setFixedSize(632, 446);
    FitLabels(this);
    connect(ui->Btn_Inst, &QPushButton::clicked, this, &TNewF::Btn_InstClick);
    connect(ui->Btn_NO, &QPushButton::clicked, this, &TNewF::Btn_NOClick);
    FormCreate();
}

TNewF::~TNewF() = default;

void TNewF::FormCreate() {
    ui->Label_Taget_F->setText(QStringLiteral("指定フォルダ 　：　") + Inst_Dir);
    ui->Label_Taget_F->adjustSize();
    ui->Memo1->clear();
    AddLine(QStringLiteral("インストールフォルダーは"));
    AddLine(Inst_Dir);
    AddLine(QStringLiteral("です"));
    AddLine(QString());
}

void TNewF::AddLine(const QString& line) { ui->Memo1->appendPlainText(line); }

QStringList TNewF::MemoLines() const {
    const QString text = ui->Memo1->toPlainText();
    if (text.isEmpty() && ui->Memo1->document()->blockCount() <= 1) return {};
    return text.split(QLatin1Char('\n'));
}

void TNewF::CopyOne(const QString& name, bool database, const QString& existsMessage) {
    const QString source = platform::JoinPath(platform::JoinPath(Start_Dir, QStringLiteral("CopyFiles")), name);
    const QString target = platform::JoinPath(Inst_Dir, name);
    const platform::CopyResult r =
        platform::CopyFile(source, target, database ? platform::CopyMode::NoReplace : platform::CopyMode::Replace);
    if (r.status == platform::CopyStatus::TargetExists) {
        platform::ShowMessage(existsMessage, this);
        return;
    }
    if (r.Ok()) {
        AddLine(target);
    } else {
        ++FFailures;
        AddLine(target + QStringLiteral(" をコピーできませんでした（") + r.error + QStringLiteral("）"));
    }
}

void TNewF::Btn_InstClick() {
    FCopyRan = true;
    FFailures = 0;
    AddLine(QStringLiteral("コピー中"));
    AddLine(QString());

    for (const char* name : {"firebird.msg", "GDS32.dll", "Tidebook.exe", "Tacklepad.exe"})
        CopyOne(QString::fromLatin1(name), false);

    CopyOne(QStringLiteral("CATCHREC.FDB"), true,
            QStringList{QStringLiteral("データベースファイル（釣果用）は"), QStringLiteral("既にありますのでコピーはしません"),
                        QString(), QStringLiteral("バージョンアップにて"),
                        QStringLiteral("データ構造をチェックしてください")}
                .join(QLatin1Char('\n')));
    CopyOne(QStringLiteral("TIDEJOURNAL.FDB"), true,
            QStringLiteral("データベースファイル（メモ用）は") + QLatin1Char('\n') +
                QStringLiteral("既にありますのでコピーはしません"));

    AddLine(QString());
    if (FFailures == 0) {
        AddLine(Inst_Dir + QStringLiteral("  にコピーしました。"));
        AddLine(QString());
        AddLine(QStringLiteral("プログラムは「Tidebook」でスタートします。"));
        AddLine(QStringLiteral("これからの釣行に役立ててください。"));
    } else {
        AddLine(QStringLiteral("%1 個のファイルをコピーできませんでした。").arg(FFailures));
        AddLine(QString());
        AddLine(QStringLiteral("インストールは完了していません。"));
        AddLine(QStringLiteral("コピー元のフォルダー ") +
                platform::JoinPath(Start_Dir, QStringLiteral("CopyFiles")) +
                QStringLiteral(" とインストールフォルダーを確認してください。"));
    }

    ui->Btn_Inst->setEnabled(false);
    ui->Btn_NO->setText(QStringLiteral("閉じる"));
}

void TNewF::Btn_NOClick() { close(); }
