#include "editor/Main.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>

#include "editor/resources/Art.h"
#include "editor/window/Controls.h"
#include "editor/window/VersionInfo.h"
#include "platform/Application.h"
#include "platform/Cursors.h"
#include "platform/Error.h"
#include "ui_Main.h"

namespace {

// The tool cursors, in the order they are registered.
constexpr int kCursorCodes[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 21, 25, 26, 31, 32, 33, 34};

template <typename F>
auto Guarded(F f) {
    return [f]() { platform::Application::Guard(f); };
}

void SetPixelFont(QWidget* w, int pixelHeight, bool bold = false) { w->setFont(platform::UiFont(pixelHeight, bold)); }

}  // namespace

TForm_Main::TForm_Main(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm_Main>()) {
    editor::InitResources();
    setFont(platform::UiFont(15));
    ui->setupUi(this);

    Panel2 = ui->Panel2;
    Label1 = ui->Label1;
    Label2 = ui->Label2;
    Label_Size = ui->Label_Size;
    Label_Var = ui->Label_Var;
    Btn_Shikake_Or_Point = ui->Btn_Shikake_Or_Point;
    Button_Clear = ui->Button_Clear;
    Btn_File = ui->Btn_File;
    Btn_Clip = ui->Btn_Clip;
    Button1 = ui->Button1;
    Panel_Image = ui->Panel_Image;
    Image1 = ui->Image1;
    Edit_Y = ui->Edit_Y;
    Edit_X = ui->Edit_X;
    Panel_Shikake = ui->Panel_Shikake;
    S_Btn_Default = ui->S_Btn_Default;
    Label_Buhin = ui->Label_Buhin;
    Btn_Undo_1 = ui->Btn_Undo_1;
    Panel_Color = ui->Panel_Color;
    ColorBox1 = ui->ColorBox1;
    Btn_ClipBord = ui->Btn_ClipBord;
    Button4 = ui->Button4;
    Panel_Point = ui->Panel_Point;
    S2_Btn0 = ui->S2_Btn0;
    Label_Point = ui->Label_Point;
    Btn_Undo_2 = ui->Btn_Undo_2;
    R_Group1 = ui->R_Group1;
    Image_H = ui->Image_H;
    Label_Hato = ui->Label_Hato;
    Edit_Haba = ui->Edit_Haba;
    UpDown1 = ui->UpDown1;
    R_Group_line = ui->R_Group_line;
    R_Group2 = ui->R_Group2;
    R_Group_Keshigomu = ui->R_Group_Keshigomu;

    for (TSpeedButton* b : Panel_Shikake->findChildren<TSpeedButton*>())
        if (b->Tag() >= 0 && b->Tag() <= 34) rigButtons_[static_cast<size_t>(b->Tag())] = b;
    for (TSpeedButton* b : Panel_Point->findChildren<TSpeedButton*>()) {
        const int k = b->Tag() == 0 ? 0 : b->Tag() - 100;
        if (k >= 0 && k <= 9) mapButtons_[static_cast<size_t>(k)] = b;
    }

    // The window: fixed size, centred, button-face background.
    setWindowTitle(QStringLiteral("仕掛け（地図）エディター"));
    setFixedSize(712, 571);
    setMouseTracking(false);

    // Fonts and colours the form gives its controls.
    SetPixelFont(Label1, 24, true);
    {
        QFont f = Label1->font();
        f.setUnderline(true);
        Label1->setFont(f);
        QPalette p = Label1->palette();
        p.setColor(QPalette::WindowText, QColor(0, 0, 128));
        Label1->setPalette(p);
    }
    SetPixelFont(Label_Var, 13);
    SetPixelFont(Button1, 16, true);
    SetPixelFont(Edit_Y, 12);
    SetPixelFont(Edit_X, 12);
    SetPixelFont(ui->Label3, 11);
    SetPixelFont(ui->Label4, 11, true);
    {
        QPalette p = ui->Label4->palette();
        p.setColor(QPalette::WindowText, Qt::red);
        ui->Label4->setPalette(p);
    }
    SetPixelFont(Btn_ClipBord, 13);
    SetPixelFont(Button4, 13);
    {
        QPalette p = Panel_Image->palette();
        p.setColor(QPalette::Window, QColor(192, 220, 192));
        Panel_Image->setPalette(p);
        Image1->setPalette(p);
    }
    {
        QPalette p = Edit_X->palette();
        p.setColor(QPalette::Base, Qt::white);
        Edit_X->setPalette(p);
    }
    Panel_Color->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel2->setFrameStyle(QFrame::NoFrame);
    Panel_Image->setFrameStyle(QFrame::NoFrame);
    Panel_Shikake->setFrameStyle(QFrame::NoFrame);
    Panel_Point->setFrameStyle(QFrame::NoFrame);
    ColorBox1->setFont(platform::UiFont(15));
    UpDown1->SetAssociate(Edit_Haba);
    // The point-map palette's no-tool button: its arrow, down at start.
    S2_Btn0->SetGlyph(editor::MapArrowGlyph());
    S2_Btn0->SetDown();
    Label_Point->clear();
    // The width caption is as wide as its text (it sizes itself, like the
    // other labels).
    Label_Hato->resize(Label_Hato->sizeHint().width(), Label_Hato->height());
    RigButton(30)->SetShowHint(false);
    for (int code = 0; code <= 34; ++code) RigButton(code)->SetGlyph(editor::RigGlyph(code));
    setWindowIcon(editor::AppIcon());

    WireEvents();
    platform::Application::Guard([this]() { FormCreate(); });
}

TForm_Main::~TForm_Main() { FormDestroy(); }

TSpeedButton* TForm_Main::RigButton(int code) const {
    return code >= 0 && code <= 34 ? rigButtons_[static_cast<size_t>(code)] : nullptr;
}

TSpeedButton* TForm_Main::MapButton(int k) const {
    return k >= 0 && k <= 9 ? mapButtons_[static_cast<size_t>(k)] : nullptr;
}

std::vector<TSpeedButton*> TForm_Main::SpeedButtons() const {
    std::vector<TSpeedButton*> all;
    for (TSpeedButton* b : rigButtons_)
        if (b) all.push_back(b);
    for (TSpeedButton* b : mapButtons_)
        if (b) all.push_back(b);
    return all;
}

platform::Canvas& TForm_Main::SurfaceCanvas() { return Image1->Canvas(); }

void TForm_Main::WireEvents() {
    connect(Button1, &QPushButton::clicked, this, Guarded([this]() { Button1Click(); }));
    for (TSpeedButton* b : rigButtons_) {
        if (!b) continue;
        if (b == S_Btn_Default)
            connect(b, &QToolButton::clicked, this, Guarded([this]() { S_Btn_DefaultClick(); }));
        else
            connect(b, &QToolButton::clicked, this, Guarded([this, b]() { _cursor_sel_(b); }));
    }
    Panel2->OnMouseMove = [this](int x, int y) { platform::Application::Guard([&]() { Panel2MouseMove(x, y); }); };
    Panel_Color->OnMouseMove = [this](int x, int y) {
        platform::Application::Guard([&]() { Panel_ColorMouseMove(x, y); });
    };
    connect(Btn_Undo_1, &QPushButton::clicked, this, Guarded([this]() { Btn_Undo_1Click(); }));
    connect(Btn_Undo_2, &QPushButton::clicked, this, Guarded([this]() { Btn_Undo_1Click(); }));
    Btn_Undo_1->setMouseTracking(true);
    Btn_Undo_1->installEventFilter(this);

    connect(Btn_File, &QPushButton::clicked, this, Guarded([this]() { Btn_FileClick(); }));
    connect(Btn_Clip, &QPushButton::clicked, this, Guarded([this]() { Btn_ClipClick(); }));
    connect(Btn_ClipBord, &QPushButton::clicked, this, Guarded([this]() { Btn_ClipBordClick(); }));
    connect(Button4, &QPushButton::clicked, this, Guarded([this]() { Button4Click(); }));
    connect(Button_Clear, &QPushButton::clicked, this, Guarded([this]() { Button_ClearClick(); }));

    Image1->OnMouseDown = [this](Qt::MouseButton b, int x, int y) {
        platform::Application::Guard([&]() { _Image1_MouseDown_(Image1, b, x, y); });
    };
    Image1->OnMouseMove = [this](int x, int y) { platform::Application::Guard([&]() { Image1MouseMove(x, y); }); };
    Image1->OnMouseUp = [this](Qt::MouseButton b, int x, int y) {
        platform::Application::Guard([&]() { Image1MouseUp(b, x, y); });
    };
    Edit_X->installEventFilter(this);
    Edit_Y->installEventFilter(this);

    connect(Btn_Shikake_Or_Point, &QPushButton::clicked, this, Guarded([this]() { Btn_Shikake_Or_PointClick(); }));
    R_Group1->OnClick = [this]() { platform::Application::Guard([this]() { R_Group1Click(); }); };
    for (TSpeedButton* b : mapButtons_)
        if (b) connect(b, &QToolButton::clicked, this, Guarded([this, b]() { S2_Btn_Click(b); }));
}

bool TForm_Main::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Btn_Undo_1 && event->type() == QEvent::MouseMove) {
        platform::Application::Guard([this]() { Btn_Undo_1MouseMove(); });
    } else if ((watched == Edit_X || watched == Edit_Y) && event->type() == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(event);
        QChar key;
        if (ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter)
            key = QChar(13);
        else if (!ke->text().isEmpty())
            key = ke->text().at(0);
        else
            return QWidget::eventFilter(watched, event);
        bool swallowed = false;
        platform::Application::Guard([&]() {
            if (watched == Edit_X)
                Edit_XKeyPress(key);
            else
                Edit_YKeyPress(key);
            swallowed = key.isNull();
        });
        Image1->Flush();
        if (swallowed) return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TForm_Main::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (shown_) return;
    shown_ = true;
    if (QScreen* s = screen()) {
        const QRect avail = s->availableGeometry();
        move(avail.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    }
    platform::Application::Guard([this]() { FormShow(); });
}

void TForm_Main::mousePressEvent(QMouseEvent* e) {
    // A press on the window's own background goes to the surface's press
    // handler, with coordinates relative to the window.
    const QPoint p = e->position().toPoint();
    platform::Application::Guard([&]() { _Image1_MouseDown_(this, e->button(), p.x(), p.y()); });
    Image1->Flush();
}

void TForm_Main::FormCreate() {
    for (TSpeedButton* b : SpeedButtons()) b->setText(QString());
    RigButton(13)->setText(QStringLiteral("Rod\rｽﾋﾟﾆﾝｸﾞﾘｰﾙ"));
    RigButton(14)->setText(QStringLiteral("Rod\r回転ﾘｰﾙ"));

    FStrokePts[0].assign(kStrokeCapacity, 0);
    FStrokePts[1].assign(kStrokeCapacity, 0);
    FStrokeColors.assign(kStrokeCapacity, std::nullopt);
    FStrokeCount = 0;
    FMapTool = 0;

    Image1->move(6, 6);
    Image1->resize(500, 500);
    Image1->SetPicture(platform::Bitmap(500, 500).Image());

    for (int code : kCursorCodes) LoadToolCursor(code, QStringLiteral("Cursor_%1").arg(code, 3, 10, QLatin1Char('0')));

    FUndoCurrent.clear();
    FUndoPrevious.clear();
    FUndoState = 0;
}

void TForm_Main::FormShow() {
    Label_Buhin->setText(QString());
    Edit_X->setGeometry(0, 0, 0, 0);
    Edit_Y->setGeometry(0, 0, 0, 0);
    Btn_Undo_1->setEnabled(false);
    Btn_Undo_2->setEnabled(false);
    Btn_Clip->setFocus();
    FStrokeKind = 0;
    RefreshSizeLabel();
    Label_Var->setText(QStringLiteral("Ver ") + GetFileVersionText());
    Panel_Point->move(512, 59);
    Panel_Shikake->raise();
    Btn_Shikake_Or_Point->setFocus();
}

void TForm_Main::FormDestroy() {
    FUndoCurrent = QByteArray();
    FUndoPrevious = QByteArray();
}

void TForm_Main::Button1Click() { close(); }

void TForm_Main::LoadToolCursor(int code, const QString& name) {
    QCursor cursor;
    if (!platform::LoadCursorResource(name, &cursor))
        throw platform::Error(QStringLiteral("Can not load the cursor [") + name + QStringLiteral("]"));
    platform::Screen::RegisterCursor(code, cursor);
}

QString TForm_Main::GetFileVersionText() { return ReadFileVersionText(QStringLiteral(":/version/version.txt")); }

void TForm_Main::RefreshSizeLabel() {
    Label_Size->setText(QStringLiteral("BitMapのサイズ　%1 * %2").arg(Image1->width()).arg(Image1->height()));
}

bool TForm_Main::IsRigMode() const { return Btn_Shikake_Or_Point->text() == QStringLiteral("仕掛け図へ"); }
