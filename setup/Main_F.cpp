#include "setup/Main_F.h"

#include <QEvent>
#include <QLabel>
#include <algorithm>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPushButton>

#include "platform/Application.h"
#include "platform/Files.h"
#include "setup/FolderVUp_F.h"
#include "setup/Folder_F.h"
#include "setup/New_F.h"
#include "setup/VUp_F.h"
#include "ui_Main_F.h"

QString Inst_Dir;
QString Start_Dir;
int Inst_Mode = 0;

void SetButtonCaption(QPushButton* button, const QString& text) {
    const QFontMetrics metrics(button->font());
    const int room = button->width() - 12;
    QStringList lines;
    for (const QString& line : text.split(QLatin1Char('\r'))) {
        QString shown = metrics.horizontalAdvance(line) > room ? metrics.elidedText(line, Qt::ElideMiddle, room) : line;
        lines << shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    }
    button->setText(lines.join(QLatin1Char('\n')));
    button->setToolTip(QString(text).replace(QLatin1Char('\r'), QLatin1Char('\n')));
}

void FitLabels(QWidget* form) {
    for (QLabel* label : form->findChildren<QLabel*>()) {
        const QSize hint = label->sizeHint();
        if (hint.width() > label->width() || hint.height() > label->height())
            label->resize(std::max(hint.width(), label->width()), std::max(hint.height(), label->height()));
    }
}

namespace {

const QStringList kNewDescription = {
    QStringLiteral("Tidejournalを新規にインストールします。"),
    QString(),
    QStringLiteral("クリックするとインストール画面に移ります。"),
    QStringLiteral("標準のインストールフォルダーは「C:\\Tidebook」です。"),
    QStringLiteral("インストールフォルダーを指定することもできます。"),
    QString(),
    QString(),
    QString(),
};

const QStringList kUpgradeDescription = {
    QStringLiteral("Tidebookにバージョンアップします。"),
    QString(),
    QStringLiteral("バージョンアップは、新しいフィールドを追加していますが、"),
    QStringLiteral("データベース構造は旧ソフトを基本としていますので"),
    QStringLiteral("旧のソフトも使用可能です。"),
    QStringLiteral("クリックしてバージョンアップ画面に移動します。"),
    QString(),
    QStringLiteral("旧ソフトのインストールフォルダーを指定して進めます。"),
};

const QStringList kAfterNew = {
    QStringLiteral("Tidejournalが新規でインストールされました。"),
    QString(),
    QStringLiteral("今後の釣行に役立ててください。"),
    QString(),
    QString(),
    QString(),
    QStringLiteral("削除する場合はフォルダーごと削除してください、"),
    QStringLiteral("レジストリは使用していません"),
};

const QStringList kAfterUpgrade = {
    QStringLiteral("バージョンアップが終了しました。"),
    QString(),
    QStringLiteral("今後の釣行に役立ててください。"),
    QString(),
    QStringLiteral("新しいプログラム名は「Tidebook」です。"),
    QStringLiteral("ディスクトップにアイコンを作っている場合は"),
    QStringLiteral("変更してください。"),
    QString(),
};

}  // namespace

TMainF::TMainF(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TMainF>()) {
    ui->setupUi(this);
    setFont(platform::UiFont(16));
    ui->Label_Taitoru->setFont(platform::UiFont(21, true));
    setFixedSize(632, 446);
    FitLabels(this);
    for (QWidget* b : {static_cast<QWidget*>(ui->Btn_New), static_cast<QWidget*>(ui->Btn_V_Up)}) {
        b->setMouseTracking(true);
        b->installEventFilter(this);
    }
    connect(ui->Btn_New, &QPushButton::clicked, this, &TMainF::Btn_NewClick);
    connect(ui->Btn_V_Up, &QPushButton::clicked, this, &TMainF::Btn_V_UpClick);
    connect(ui->Btn_Close, &QPushButton::clicked, this, &TMainF::Btn_CloseClick);
    FormCreate();
}

TMainF::~TMainF() = default;

QLabel* TMainF::DescriptionLine(int index) const {
    QLabel* lines[] = {ui->Label1, ui->Label2, ui->Label3, ui->Label4,
                       ui->Label5, ui->Label6, ui->Label7, ui->Label8};
    return lines[index];
}

void TMainF::FormCreate() {
    Inst_Mode = 0;
    Inst_Dir.clear();
    Start_Dir = platform::CurrentDirectory();
    SetLines({});
}

void TMainF::SetLines(const QStringList& lines) {
    for (int i = 0; i < 8; ++i) {
        QLabel* l = DescriptionLine(i);
        l->setText(i < lines.size() ? lines[i] : QString());
        l->adjustSize();
    }
}

void TMainF::Btn_NewMouseMove() {
    if (Inst_Mode == 0) SetLines(kNewDescription);
}

void TMainF::Btn_V_UpMouseMove() {
    if (Inst_Mode == 0) SetLines(kUpgradeDescription);
}

void TMainF::FormMouseMove() {
    if (Inst_Mode == 0) SetLines({});
}

bool TMainF::ShowNewInstallWindow() {
    TNewF window(this);
    window.exec();
    return window.InstallCompleted();
}

bool TMainF::ShowUpgradeWindow() {
    TVUpF window(this);
    window.exec();
    return window.UpgradeCompleted();
}

void TMainF::Btn_NewClick() {
    {
        TFolderF chooser(this);
        chooser.exec();
    }
    if (Inst_Mode != 1) return;
    // The closing text speaks of an installation only when one was made.
    if (ShowNewInstallWindow() && Inst_Mode == 1) SetLines(kAfterNew);
}

void TMainF::Btn_V_UpClick() {
    {
        TFolderVUpF chooser(this);
        chooser.exec();
    }
    if (Inst_Mode != 2) return;
    if (ShowUpgradeWindow()) SetLines(kAfterUpgrade);
}

void TMainF::Btn_CloseClick() { close(); }

bool TMainF::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        if (watched == ui->Btn_New) Btn_NewMouseMove();
        if (watched == ui->Btn_V_Up) Btn_V_UpMouseMove();
    }
    return QWidget::eventFilter(watched, event);
}

void TMainF::mouseMoveEvent(QMouseEvent* event) {
    // Only the window's bare background empties the lines; moves over a label
    // or the bevel arrive here too and are left alone.
    if (!childAt(event->position().toPoint())) FormMouseMove();
    QWidget::mouseMoveEvent(event);
}
