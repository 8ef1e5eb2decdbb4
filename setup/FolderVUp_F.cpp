#include "setup/FolderVUp_F.h"

#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "setup/Main_F.h"
#include "ui_FolderVUp_F.h"

TFolderVUpF::TFolderVUpF(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TFolderVUpF>()) {
    ui->setupUi(this);
    setFont(platform::UiFont(16));
    setFixedSize(632, 446);
    FitLabels(this);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &TFolderVUpF::BitBtn1Click);
    connect(ui->Btn_No, &QPushButton::clicked, this, &TFolderVUpF::Btn_NoClick);
    connect(ui->ShellTreeView1, &platform::FolderTree::DblClick, this, &TFolderVUpF::ShellTreeView1DblClick);
    FormCreate();
}

TFolderVUpF::~TFolderVUpF() = default;

void TFolderVUpF::FormCreate() {
    ui->Edit_DirList->clear();
    ui->ShellTreeView1->SetPath(platform::FromWindowsPath(QStringLiteral("c:\\")));
}

void TFolderVUpF::ShellTreeView1DblClick() {
    Inst_Dir = ui->ShellTreeView1->Path();
    ui->Edit_DirList->setText(Inst_Dir);
    SetButtonCaption(ui->BitBtn1,
                     QStringLiteral("インストール済みフォルダー") + QLatin1Char('\r') + Inst_Dir + QStringLiteral("です。"));
}

void TFolderVUpF::BitBtn1Click() {
    if (platform::DirectoryExists(Inst_Dir)) {
        Inst_Mode = 2;
        accept();
    } else {
        platform::ShowMessage(QStringLiteral("フォルダを指定してください。"), this);
    }
}

void TFolderVUpF::Btn_NoClick() { reject(); }
