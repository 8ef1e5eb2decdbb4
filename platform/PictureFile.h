#pragma once
// Picture files: reading Windows bitmaps and JPEG files, writing Windows
// bitmaps.
//
// Readers check the picture's dimensions from the file header before any
// large allocation and refuse pictures beyond the limit below. Every failure
// raises platform::Error with a message fit for the error box.
//
// Writing is atomic: the picture goes to a temporary file in the target's
// folder, which replaces the target only once it is complete. A failed write
// leaves an existing file of that name as it was.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdint>

class QIODevice;

namespace platform {

class Bitmap;

// Largest picture the programs take in: each side at most kMaxPictureSide,
// and at most kMaxPicturePixels pixels in all (a little over 12,000 x 12,000;
// about 600 MB as a 32-bit image).
inline constexpr int kMaxPictureSide = 32768;
inline constexpr int64_t kMaxPicturePixels = 150'000'000;

// True when a picture of width x height may be loaded.
bool PictureSizeAllowed(int64_t width, int64_t height);

// Qt refuses to read images above its allocation limit (128 MB by default,
// about 5,800 x 5,800 pixels), far below the pictures we accept. Raises it to
// fit the largest accepted picture, so that a picture taken in can also be
// read back later (the undo snapshots). The readers below call it; so must
// any other way a picture comes in (the clipboard).
void AllowLargePictureReads();

// Width and height from a BMP header (negative heights, meaning top-down,
// come out positive). Throws platform::Error when the data does not start
// with a bitmap header.
QSize ReadBmpSize(const QByteArray& head);

// Reads a Windows bitmap (1/4/8-bit palette, 16-bit 5-5-5 and 5-6-5, 24-bit,
// 32-bit, bit fields, top-down, RLE4/RLE8) as Format_RGB32.
QImage ReadBmp(const QByteArray& data, int64_t maxPixels = kMaxPicturePixels);
QImage ReadBmpFile(const QString& path);

// Reads a JPEG file as Format_RGB32 (see JpegDecoder.h).
QImage ReadJpegFile(const QString& path);

// Writes `image` as a Windows bitmap (24-bit, bottom-up) to `path`,
// replacing any file of that name only when the new file is complete.
void WriteBmpFile(const QImage& image, const QString& path);

// A picture for a preview pane, at most maxWidth x maxHeight, from a BMP or
// JPEG file (told apart by content); a null image when it cannot be read.
// `fullSize`, when given, receives the picture's own size. Never raises.
QImage ReadPreview(const QString& path, int maxWidth, int maxHeight, QSize* fullSize = nullptr);

}  // namespace platform
