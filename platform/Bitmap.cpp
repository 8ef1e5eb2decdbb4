#include "platform/Bitmap.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>

#include "platform/Error.h"
#include "platform/PictureFile.h"

namespace platform {

namespace {
QImage WhiteImage(int width, int height) {
    QImage img(width, height, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

QImage ToRgb32(const QImage& image) {
    if (image.format() == QImage::Format_RGB32) return image;
    return image.convertToFormat(QImage::Format_RGB32);
}
}  // namespace

Bitmap::Bitmap() : image_(0, 0, QImage::Format_RGB32), canvas_(std::make_unique<Canvas>(&image_)) {}

Bitmap::Bitmap(int width, int height)
    : image_(WhiteImage(width, height)), canvas_(std::make_unique<Canvas>(&image_)) {}

Bitmap::Bitmap(const QImage& image)
    : image_(ToRgb32(image)), canvas_(std::make_unique<Canvas>(&image_)) {}

// The canvas object stays (references to it remain valid); its settings and
// changed area become those of a new canvas.
void Bitmap::RenewCanvas() {
    canvas_->ResetDefaults();
    canvas_->TakeDirtyRect();
}

void Bitmap::SetSize(int width, int height) {
    image_ = WhiteImage(width, height);
    RenewCanvas();
}

void Bitmap::Assign(const QImage& image) {
    image_ = ToRgb32(image);
    RenewCanvas();
}

void Bitmap::AssignKeepCanvas(const QImage& image) { image_ = ToRgb32(image); }

QByteArray Bitmap::SaveToBmp() const {
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "BMP");
    if (!writer.write(image_)) throw Error(QStringLiteral("Bitmap write failed: ") + writer.errorString());
    return out;
}

void Bitmap::LoadFromBmp(const QByteArray& data) {
    // Snapshots of large pictures must read back whatever their size.
    AllowLargePictureReads();
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "BMP");
    QImage img;
    if (!reader.read(&img) || img.isNull()) throw Error(QStringLiteral("Bitmap image is not valid"));
    Assign(img);
}

}  // namespace platform
