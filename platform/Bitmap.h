#pragma once
// A true-colour bitmap with its canvas. Replacing the bitmap's picture gives
// it a fresh canvas (default pen, brush and font, nothing changed) unless said
// otherwise; the Canvas object itself stays the same, so references to it
// remain valid.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <memory>

#include "platform/Canvas.h"

namespace platform {

class Bitmap {
public:
    Bitmap();                          // 0 x 0
    Bitmap(int width, int height);     // white
    explicit Bitmap(const QImage& image);
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }
    // New size, white, fresh canvas.
    void SetSize(int width, int height);

    Canvas& GetCanvas() { return *canvas_; }
    const QImage& Image() const { return image_; }
    // Direct pixel access for loaders and the surface widget; always
    // Format_RGB32.
    QImage& MutableImage() { return image_; }

    // Takes size and pixels of `image`; the canvas is fresh.
    void Assign(const QImage& image);
    // Takes size and pixels of `image`, keeping the canvas settings.
    void AssignKeepCanvas(const QImage& image);

    // Windows BMP encoding of exactly this bitmap (24-bit, bottom-up).
    QByteArray SaveToBmp() const;
    // Reads a BMP; throws platform::Error when it cannot be read.
    void LoadFromBmp(const QByteArray& data);

private:
    void RenewCanvas();

    QImage image_;
    std::unique_ptr<Canvas> canvas_;
};

}  // namespace platform
