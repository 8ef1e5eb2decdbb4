#include "setup/Main_F.h"

#include <QDir>
#include <QEvent>
#include <QMouseEvent>

#include "platform/Application.h"
#include "ui_Main_F.h"

QString Inst_Dir;
QString Start_Dir;
int Inst_Mode = 0;

TMainF::TMainF(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TMainF>()) {
    ui->setupUi(this);
    setFont(platform::UiFont(16));
    ui->Label_Taitoru->setFont(platform::UiFont(21, true));
    setFixedSize(632, 446);
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
    Start_Dir = QDir::currentPath();
    SetLines({});
}

void TMainF::SetLines(const QStringList& lines) {
    for (int i = 0; i < 8; ++i) {
        QLabel* l = DescriptionLine(i);
        l->setText(i < lines.size() ? lines[i] : QString());
        l->adjustSize();
    }
}

void TMainF::Btn_NewMouseMove() {}
void TMainF::Btn_V_UpMouseMove() {}
void TMainF::FormMouseMove() {}
void TMainF::Btn_NewClick() {}
void TMainF::Btn_V_UpClick() {}
void TMainF::Btn_CloseClick() { close(); }

bool TMainF::eventFilter(QObject* watched, QEvent* event) {
    return QWidget::eventFilter(watched, event);
}

void TMainF::mouseMoveEvent(QMouseEvent* event) { QWidget::mouseMoveEvent(event); }
