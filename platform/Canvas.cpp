// Placeholder implementation; the full one replaces it.
#include "platform/Canvas.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>

namespace platform {

namespace {
QColor Q(Color c) { return QColor(c.r, c.g, c.b); }
}

Canvas::Canvas(QImage* image) : image_(image) { ResetDefaults(); }

void Canvas::ResetDefaults() {
    penColor_ = colors::Black;
    penWidth_ = 1;
    penMode_ = PenMode::Copy;
    brushColor_ = colors::White;
    brushStyle_ = BrushStyle::Solid;
    font_ = DefaultFont();
    fontColor_ = DefaultFontColor();
    penPos_ = {};
}

QFont Canvas::DefaultFont() {
    QFont f(QStringLiteral("IPAPGothic"));
    f.setPointSize(8);
    return f;
}

Color Canvas::DefaultFontColor() { return colors::Black; }

void Canvas::MoveTo(int x, int y) { penPos_ = {x, y}; }

void Canvas::LineTo(int x, int y) {
    if (penPos_.X != x || penPos_.Y != y) {
        QPainter p(image_);
        p.setPen(QPen(Q(penColor_), penWidth_, Qt::SolidLine, Qt::FlatCap));
        if (penMode_ == PenMode::NotXor) p.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
        p.drawLine(penPos_.X, penPos_.Y, x, y);
    }
    penPos_ = {x, y};
}

void Canvas::Rectangle(int, int, int, int) {}
void Canvas::Ellipse(int, int, int, int) {}
void Canvas::RoundRect(int, int, int, int, int, int) {}
void Canvas::Polygon(std::span<const TPoint>) {}
void Canvas::Pie(int, int, int, int, int, int, int, int) {}
void Canvas::Arc(int, int, int, int, int, int, int, int) {}
void Canvas::PolyBezier(std::span<const TPoint>) {}

std::optional<Color> Canvas::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= image_->width() || y >= image_->height()) return std::nullopt;
    QRgb v = image_->pixel(x, y);
    return Color{static_cast<uint8_t>(qRed(v)), static_cast<uint8_t>(qGreen(v)), static_cast<uint8_t>(qBlue(v))};
}

void Canvas::SetPixel(int x, int y, Color c) {
    if (x < 0 || y < 0 || x >= image_->width() || y >= image_->height()) return;
    image_->setPixel(x, y, qRgb(c.r, c.g, c.b));
}

void Canvas::TextOut(int x, int y, const QString& text) { penPos_ = {x + TextWidth(text), y}; }
int Canvas::TextWidth(const QString& text) const { return QFontMetrics(font_).horizontalAdvance(text); }
int Canvas::TextHeight(const QString&) const { return QFontMetrics(font_).height(); }
int Canvas::Width() const { return image_->width(); }
int Canvas::Height() const { return image_->height(); }

QRect Canvas::TakeDirtyRect() {
    QRect r = image_->rect();
    return r;
}

}  // namespace platform
