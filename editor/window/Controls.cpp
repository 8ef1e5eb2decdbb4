#include "editor/window/Controls.h"

#include <QEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <QStyleOptionToolButton>
#include <QStylePainter>

// ---------------------------------------------------------------- TPanel

TPanel::TPanel(QWidget* parent) : QFrame(parent) {
    setMouseTracking(true);
    setAutoFillBackground(true);
}

void TPanel::mouseMoveEvent(QMouseEvent* e) {
    // Moves that reach the panel from a child that ignored them do not count:
    // only the bare background reacts.
    const QPoint p = e->position().toPoint();
    if (childAt(p) == nullptr && OnMouseMove) OnMouseMove(p.x(), p.y());
    QFrame::mouseMoveEvent(e);
}

void TPanel::mousePressEvent(QMouseEvent* e) { e->accept(); }

// ---------------------------------------------------------- TSpeedButton

TSpeedButton::TSpeedButton(QWidget* parent) : QToolButton(parent) {
    setCheckable(true);
    setFocusPolicy(Qt::NoFocus);
    setAutoRaise(false);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
}

void TSpeedButton::setHint(const QString& hint) {
    hint_ = hint;
    setToolTip(showHint_ ? hint_ : QString());
}

void TSpeedButton::SetShowHint(bool show) {
    showHint_ = show;
    setToolTip(showHint_ ? hint_ : QString());
}

void TSpeedButton::SetGlyph(const QPixmap& glyph) {
    glyph_ = glyph;
    update();
}

void TSpeedButton::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionToolButton opt;
    initStyleOption(&opt);
    opt.icon = QIcon();
    opt.text = QString();
    p.drawComplexControl(QStyle::CC_ToolButton, opt);
    const int shift = isChecked() || isDown() ? 1 : 0;
    if (!glyph_.isNull()) {
        const QPoint at((width() - glyph_.width()) / 2 + shift, (height() - glyph_.height()) / 2 + shift);
        p.drawPixmap(at, glyph_);
    }
    if (!text().isEmpty()) {
        p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
        // A carriage return in the caption starts a second line.
        QString caption = text();
        caption.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        p.drawText(rect().translated(shift, shift), Qt::AlignCenter, caption);
    }
}

// ----------------------------------------------------------- TRadioGroup

TRadioGroup::TRadioGroup(QWidget* parent) : QGroupBox(parent) {}

void TRadioGroup::setItems(const QStringList& items) {
    items_ = items;
    Rebuild();
}

void TRadioGroup::setColumns(int columns) {
    columns_ = columns < 1 ? 1 : columns;
    Arrange();
}

QRadioButton* TRadioGroup::Button(int index) const {
    if (index < 0 || index >= static_cast<int>(buttons_.size())) return nullptr;
    return buttons_[static_cast<size_t>(index)];
}

void TRadioGroup::setItemIndex(int index) {
    if (items_.isEmpty()) {
        // Chosen before the items are given (a form sets its properties in
        // that order): kept for them.
        index_ = index;
        return;
    }
    if (index < -1 || index >= static_cast<int>(buttons_.size())) index = -1;
    if (index == index_) return;
    index_ = index;
    for (size_t i = 0; i < buttons_.size(); ++i) {
        const QSignalBlocker block(buttons_[i]);
        buttons_[i]->setChecked(static_cast<int>(i) == index_);
    }
    if (OnClick) OnClick();
}

void TRadioGroup::Rebuild() {
    for (QRadioButton* b : buttons_) delete b;
    buttons_.clear();
    if (index_ < -1 || index_ >= items_.size()) index_ = -1;
    for (int i = 0; i < items_.size(); ++i) {
        auto* b = new QRadioButton(items_[i], this);
        b->setAutoExclusive(false);
        b->setChecked(i == index_);
        connect(b, &QRadioButton::clicked, this, [this, i, b]() {
            if (index_ == i) {
                b->setChecked(true);
                return;
            }
            setItemIndex(i);
        });
        b->show();
        buttons_.push_back(b);
    }
    Arrange();
}

void TRadioGroup::Arrange() {
    if (buttons_.empty()) return;
    const int top = fontMetrics().height() + 2;
    const int rows = (static_cast<int>(buttons_.size()) + columns_ - 1) / columns_;
    const int colWidth = (width() - 8) / columns_;
    const int rowHeight = rows > 0 ? (height() - top - 4) / rows : 0;
    for (size_t i = 0; i < buttons_.size(); ++i) {
        const int c = static_cast<int>(i) / rows;
        const int r = static_cast<int>(i) % rows;
        buttons_[i]->setGeometry(6 + c * colWidth, top + r * rowHeight, colWidth - 2, rowHeight);
    }
}

void TRadioGroup::resizeEvent(QResizeEvent* e) {
    QGroupBox::resizeEvent(e);
    Arrange();
}

void TRadioGroup::changeEvent(QEvent* e) {
    QGroupBox::changeEvent(e);
    if (e->type() == QEvent::FontChange) Arrange();
}

// ------------------------------------------------------------- TColorBox

namespace {
struct NamedColor {
    const char* name;
    platform::Color color;
};
constexpr NamedColor kColors[] = {
    {"clBlack", {0, 0, 0}},         {"clMaroon", {128, 0, 0}},     {"clGreen", {0, 128, 0}},
    {"clOlive", {128, 128, 0}},     {"clNavy", {0, 0, 128}},       {"clPurple", {128, 0, 128}},
    {"clTeal", {0, 128, 128}},      {"clGray", {128, 128, 128}},   {"clSilver", {192, 192, 192}},
    {"clRed", {255, 0, 0}},         {"clLime", {0, 255, 0}},       {"clYellow", {255, 255, 0}},
    {"clBlue", {0, 0, 255}},        {"clFuchsia", {255, 0, 255}},  {"clAqua", {0, 255, 255}},
    {"clWhite", {255, 255, 255}},   {"clMoneyGreen", {192, 220, 192}}, {"clSkyBlue", {166, 202, 240}},
    {"clCream", {255, 251, 240}},   {"clMedGray", {160, 160, 164}},
};
}  // namespace

TColorBox::TColorBox(QWidget* parent) : QComboBox(parent) {
    setIconSize(QSize(22, 12));
    for (const NamedColor& nc : kColors) {
        QPixmap swatch(22, 12);
        swatch.fill(QColor(nc.color.r, nc.color.g, nc.color.b));
        QPainter p(&swatch);
        p.setPen(Qt::black);
        p.drawRect(0, 0, 21, 11);
        p.end();
        addItem(QIcon(swatch), QString::fromLatin1(nc.name));
    }
    setCurrentIndex(0);
}

int TColorBox::ColorCount() { return static_cast<int>(std::size(kColors)); }
QString TColorBox::ColorName(int index) { return QString::fromLatin1(kColors[index].name); }
platform::Color TColorBox::ColorAt(int index) { return kColors[index].color; }

platform::Color TColorBox::Selected() const {
    const int i = currentIndex();
    return i >= 0 && i < ColorCount() ? kColors[i].color : platform::colors::Black;
}

bool TColorBox::SelectColor(platform::Color c) {
    for (int i = 0; i < ColorCount(); ++i)
        if (kColors[i].color == c) {
            setCurrentIndex(i);
            return true;
        }
    return false;
}

// --------------------------------------------------------------- TUpDown

TUpDown::TUpDown(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    up_->setAutoRepeat(true);
    down_->setAutoRepeat(true);
    up_->setFocusPolicy(Qt::NoFocus);
    down_->setFocusPolicy(Qt::NoFocus);
    connect(up_, &QToolButton::clicked, this, [this]() { StepUp(); });
    connect(down_, &QToolButton::clicked, this, [this]() { StepDown(); });
}

void TUpDown::SetAssociate(QLineEdit* edit) {
    edit_ = edit;
    setPosition(pos_);
}

void TUpDown::setPosition(int v) {
    if (v < min_) v = min_;
    if (v > max_) v = max_;
    pos_ = v;
    if (edit_) edit_->setText(QString::number(pos_));
}

void TUpDown::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    const int h = height() / 2;
    up_->setGeometry(0, 0, width(), h);
    down_->setGeometry(0, h, width(), height() - h);
}

void TUpDown::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::EnabledChange) {
        up_->setEnabled(isEnabled());
        down_->setEnabled(isEnabled());
    }
}

// ---------------------------------------------------------------- TImage

TImage::TImage(QWidget* parent) : QWidget(parent), bitmap_(std::make_unique<platform::Bitmap>(500, 500)) {
    setAttribute(Qt::WA_StaticContents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void TImage::SetPicture(const QImage& image) {
    bitmap_ = std::make_unique<platform::Bitmap>(image);
    PictureChanged();
}

void TImage::AssignKeepCanvas(const QImage& image) {
    bitmap_->AssignKeepCanvas(image);
    PictureChanged();
}

void TImage::SetAutoSize(bool on) {
    autoSize_ = on;
    PictureChanged();
}

void TImage::PictureChanged() {
    if (autoSize_) resize(bitmap_->Width(), bitmap_->Height());
    bitmap_->GetCanvas().TakeDirtyRect();
    update();
}

void TImage::Flush() {
    const QRect r = bitmap_->GetCanvas().TakeDirtyRect();
    if (!r.isEmpty()) update(r);
}

void TImage::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    const QRect r = e->rect();
    const QImage& img = bitmap_->Image();
    // The picture from the top-left corner at natural size; whatever the
    // picture does not cover shows the panel's colour.
    const QRect picture = r.intersected(img.rect());
    if (!picture.isEmpty()) p.drawImage(picture.topLeft(), img, picture);
    const QRegion rest = QRegion(r).subtracted(QRegion(img.rect()));
    for (const QRect& part : rest) p.fillRect(part, palette().color(QPalette::Window));
}

void TImage::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) leftCaptured_ = true;
    const QPoint p = e->position().toPoint();
    if (OnMouseDown) OnMouseDown(e->button(), p.x(), p.y());
    Flush();
}

void TImage::mouseMoveEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    // Only the left button keeps the pointer captured: a drag with another
    // button is not followed outside the surface.
    if (!leftCaptured_ && !rect().contains(p)) return;
    if (OnMouseMove) OnMouseMove(p.x(), p.y());
    Flush();
}

void TImage::mouseReleaseEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    const bool wasLeft = e->button() == Qt::LeftButton;
    if (wasLeft) leftCaptured_ = false;
    if (!wasLeft && !rect().contains(p)) return;
    if (OnMouseUp) OnMouseUp(e->button(), p.x(), p.y());
    Flush();
}
