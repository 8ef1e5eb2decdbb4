#include "setup/Folder_F.h"

#include <QShowEvent>

#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "setup/Main_F.h"
#include "ui_Folder_F.h"

TFolderF::TFolderF(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TFolderF>()) {
    ui->setupUi(this);
    setFont(platform::UiFont(16));
    setFixedSize(632, 446);
    FitLabels(this);
    connect(ui->Btn_Defaurt, &QPushButton::clicked, this, &TFolderF::Btn_DefaurtClick);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &TFolderF::BitBtn1Click);
    connect(ui->Btn_No, &QPushButton::clicked, this, &TFolderF::Btn_NoClick);
    connect(ui->ShellTreeView1, &platform::FolderTree::DblClick, this, &TFolderF::ShellTreeView1DblClick);
    FormCreate();
}

TFolderF::~TFolderF() = default;

void TFolderF::FormCreate() {
    ui->Edit_DirList->clear();
    FInitPath = platform::FromWindowsPath(QStringLiteral("c:\\"));
}

void TFolderF::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!FShown && !event->spontaneous()) {
        FShown = true;
        FormShow();
    }
}

void TFolderF::FormShow() {
    ui->Btn_Defaurt->setFocus();
    ui->ShellTreeView1->SetPath(FInitPath);
}

void TFolderF::Btn_DefaurtClick() {
    Inst_Dir = platform::FromWindowsPath(QStringLiteral("C:\\Tidebook"));
    if (!platform::DirectoryExists(Inst_Dir)) {
        platform::MessageBoxRequest ask;
        ask.kind = platform::BoxKind::Warning;
        ask.caption = QStringLiteral("警告");
        ask.text = QStringLiteral("フォルダーを新規作成します");
        ask.buttons = {QStringLiteral("はい(&Y)"), QStringLiteral("いいえ(&N)")};
        if (platform::ShowMessageBox(ask, this) == 0) platform::CreateDirectory(Inst_Dir);
    }
    if (platform::DirectoryExists(Inst_Dir)) {
        Inst_Mode = 1;
        accept();
    } else {
        platform::ShowMessage(QStringLiteral("フォルダを指定してください。"), this);
    }
}

void TFolderF::ShellTreeView1DblClick() {
    Inst_Dir = ui->ShellTreeView1->Path();
    ui->Edit_DirList->setText(Inst_Dir);
    SetButtonCaption(ui->BitBtn1, Inst_Dir + QLatin1Char('\r') + QStringLiteral("にインストールします"));
}

void TFolderF::BitBtn1Click() {
    if (Inst_Dir == FInitPath) return;
    if (platform::DirectoryExists(Inst_Dir)) {
        Inst_Mode = 1;
        accept();
    } else {
        platform::ShowMessage(QStringLiteral("フォルダを指定してください。"), this);
    }
}

void TFolderF::Btn_NoClick() { reject(); }
