#include "platform/PictureFile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <QtEndian>
#include <algorithm>
#include <bit>

#include "platform/Error.h"
#include "platform/JpegDecoder.h"

namespace platform {

namespace {

// A JPEG file larger than this is refused before it is read into memory;
// the largest picture we accept compresses to far less.
constexpr qint64 kMaxJpegFileBytes = qint64(1) << 30;

constexpr int kFileHeaderBytes = 14;

QString InvalidBitmap() { return QStringLiteral("Bitmap image is not valid"); }

QString CannotOpen(const QString& path, const QString& reason) {
    return QStringLiteral("Cannot open file \"%1\". %2").arg(path, reason);
}

quint32 U32(const QByteArray& b, int at) { return qFromLittleEndian<quint32>(b.constData() + at); }
qint32 I32(const QByteArray& b, int at) { return qFromLittleEndian<qint32>(b.constData() + at); }
quint16 U16(const QByteArray& b, int at) { return qFromLittleEndian<quint16>(b.constData() + at); }

QImage ToRgb32(QImage image) {
    if (image.format() != QImage::Format_RGB32) image = image.convertToFormat(QImage::Format_RGB32);
    return image;
}

constexpr uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3;

// What the checks below need from the headers.
struct BmpLayout {
    QSize size;
    int bpp = 0;
    uint32_t compression = kBiRgb;
    uint32_t dataOffset = 0;
    uint32_t masks[3] = {0, 0, 0};  // red, green, blue when given
};

BmpLayout ReadBmpLayout(const QByteArray& head) {
    BmpLayout l;
    l.size = ReadBmpSize(head);
    l.dataOffset = U32(head, 10);
    const quint32 infoSize = U32(head, kFileHeaderBytes);
    if (infoSize == 12) {
        l.bpp = U16(head, kFileHeaderBytes + 10);
    } else {
        if (head.size() < kFileHeaderBytes + 20) throw Error(InvalidBitmap());
        l.bpp = U16(head, kFileHeaderBytes + 14);
        l.compression = U32(head, kFileHeaderBytes + 16);
        // Masks follow a 40-byte header, or sit at the same place inside a
        // larger one.
        if (l.compression == kBiBitfields && head.size() >= kFileHeaderBytes + 52)
            for (int i = 0; i < 3; ++i) l.masks[i] = U32(head, kFileHeaderBytes + 40 + 4 * i);
    }
    return l;
}

// Walks RLE4/RLE8 data and tells whether it reaches the end of the picture
// (an end-of-bitmap code, or line ends for every row). Cut-off data would
// otherwise load as a partly blank picture without a word.
bool RleDataComplete(const QByteArray& data, int width, int height, bool rle4) {
    const auto* p = reinterpret_cast<const uchar*>(data.constData());
    const qsizetype n = data.size();
    int64_t x = 0, y = 0;
    qsizetype i = 0;
    while (i + 1 < n) {
        const uchar count = p[i], code = p[i + 1];
        i += 2;
        if (count) {  // a run
            x += count;
        } else if (code == 0) {  // end of line
            ++y;
            x = 0;
        } else if (code == 1) {  // end of bitmap
            return true;
        } else if (code == 2) {  // delta
            if (i + 2 > n) return false;
            x += p[i];
            y += p[i + 1];
            i += 2;
        } else {  // absolute run of `code` pixels, padded to a word
            qsizetype bytes = rle4 ? (code + 1) / 2 : code;
            bytes = (bytes + 1) & ~qsizetype(1);
            if (i + bytes > n) return false;
            i += bytes;
            x += code;
        }
    }
    return y >= height || (y == height - 1 && x >= width);
}

// Qt widens 5- and 6-bit channels by a plain shift, so white comes out as
// (248, 252, 248). Widen them the usual way instead: full scale to 255.
void Widen16BitChannels(QImage* image, const BmpLayout& l) {
    uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};  // 5-5-5 unless given
    if (l.compression == kBiBitfields && (l.masks[0] | l.masks[1] | l.masks[2]))
        for (int i = 0; i < 3; ++i) masks[i] = l.masks[i];
    uchar lut[3][256];
    bool any = false;
    for (int c = 0; c < 3; ++c) {
        const int bits = std::popcount(masks[c]);
        for (int v = 0; v < 256; ++v) {
            if (bits >= 1 && bits < 8) {
                const int level = v >> (8 - bits), top = (1 << bits) - 1;
                lut[c][v] = uchar((level * 255 + top / 2) / top);
            } else {
                lut[c][v] = uchar(v);
            }
        }
        any = any || (bits >= 1 && bits < 8);
    }
    if (!any) return;
    for (int y = 0; y < image->height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image->scanLine(y));
        for (int x = 0; x < image->width(); ++x)
            row[x] = qRgb(lut[0][qRed(row[x])], lut[1][qGreen(row[x])], lut[2][qBlue(row[x])]);
    }
}

QImage ReadBmpFrom(QIODevice* device, int64_t maxPixels) {
    // Header first: no pixel memory is touched for a picture we refuse.
    const BmpLayout l = ReadBmpLayout(device->peek(kFileHeaderBytes + 52));
    const QSize size = l.size;
    if (!PictureSizeAllowed(size.width(), size.height()) || int64_t(size.width()) * size.height() > maxPixels)
        throw Error(QStringLiteral("Bitmap too large: %1 x %2").arg(size.width()).arg(size.height()));

    // The pixel data must be all there: uncompressed rows have a known size,
    // compressed data must reach its end.
    if (l.compression == kBiRgb || l.compression == kBiBitfields) {
        if (l.bpp < 1 || l.bpp > 32) throw Error(InvalidBitmap());
        const int64_t rowBytes = (int64_t(size.width()) * l.bpp + 31) / 32 * 4;
        if (device->size() < int64_t(l.dataOffset) + rowBytes * size.height()) throw Error(InvalidBitmap());
    } else if (l.compression == kBiRle8 || l.compression == kBiRle4) {
        if (device->size() <= l.dataOffset) throw Error(InvalidBitmap());
        const QByteArray all = device->peek(device->size());
        if (!RleDataComplete(all.mid(l.dataOffset), size.width(), size.height(), l.compression == kBiRle4))
            throw Error(InvalidBitmap());
    }

    AllowLargePictureReads();
    QImageReader reader(device, "BMP");
    reader.setAutoTransform(false);
    QImage image;
    if (!reader.read(&image) || image.isNull()) throw Error(InvalidBitmap());
    if (image.size() != size) throw Error(InvalidBitmap());
    image = ToRgb32(std::move(image));
    if (image.isNull()) throw Error(InvalidBitmap());
    if (l.bpp == 16) Widen16BitChannels(&image, l);
    return image;
}

}  // namespace

void AllowLargePictureReads() {
    const int neededMb = static_cast<int>(kMaxPicturePixels * 4 / (1024 * 1024)) + 16;
    if (QImageReader::allocationLimit() < neededMb) QImageReader::setAllocationLimit(neededMb);
}

bool PictureSizeAllowed(int64_t width, int64_t height) {
    return width >= 1 && height >= 1 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
           width * height <= kMaxPicturePixels;
}

QSize ReadBmpSize(const QByteArray& head) {
    if (head.size() < kFileHeaderBytes + 4 || head[0] != 'B' || head[1] != 'M') throw Error(InvalidBitmap());
    const quint32 infoSize = U32(head, kFileHeaderBytes);
    int64_t width = 0;
    int64_t height = 0;
    if (infoSize == 12) {  // OS/2 core header: 16-bit sizes
        if (head.size() < kFileHeaderBytes + 12) throw Error(InvalidBitmap());
        width = U16(head, kFileHeaderBytes + 4);
        height = U16(head, kFileHeaderBytes + 6);
    } else if (infoSize >= 16) {
        if (head.size() < kFileHeaderBytes + 12) throw Error(InvalidBitmap());
        width = I32(head, kFileHeaderBytes + 4);
        height = I32(head, kFileHeaderBytes + 8);
        if (height < 0) height = -height;  // top-down rows
    } else {
        throw Error(InvalidBitmap());
    }
    if (width < 1 || height < 1) throw Error(InvalidBitmap());
    if (width > INT32_MAX || height > INT32_MAX) throw Error(InvalidBitmap());
    return QSize(static_cast<int>(width), static_cast<int>(height));
}

QImage ReadBmp(const QByteArray& data, int64_t maxPixels) {
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    return ReadBmpFrom(&buffer, maxPixels);
}

QImage ReadBmpFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) throw Error(CannotOpen(path, file.errorString()));
    return ReadBmpFrom(&file, kMaxPicturePixels);
}

QImage ReadJpegFile(const QString& path) {
    AllowLargePictureReads();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) throw Error(CannotOpen(path, file.errorString()));
    if (file.size() > kMaxJpegFileBytes) throw Error(QStringLiteral("JPEG file too large"));
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) throw Error(CannotOpen(path, file.errorString()));
    return DecodeJpeg(data);
}

void WriteBmpFile(const QImage& image, const QString& path) {
    if (image.isNull()) throw Error(QStringLiteral("No picture to save"));
    // QSaveFile writes to a temporary file beside the target and renames it
    // over the target on commit(); without commit() the target is untouched.
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) throw Error(CannotOpen(path, file.errorString()));
    QImageWriter writer(&file, "BMP");
    if (!writer.write(image)) {
        file.cancelWriting();
        throw Error(QStringLiteral("Cannot write \"%1\". %2").arg(path, writer.errorString()));
    }
    if (!file.commit()) throw Error(QStringLiteral("Cannot write \"%1\". %2").arg(path, file.errorString()));
}

QImage ReadPreview(const QString& path, int maxWidth, int maxHeight, QSize* fullSize) {
    try {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) return {};
        const QByteArray magic = file.peek(3);
        QImage image;
        QSize full;
        if (magic.startsWith("BM")) {
            image = ReadBmpFrom(&file, kMaxPicturePixels);
            full = image.size();
        } else if (magic.size() == 3 && uchar(magic[0]) == 0xFF && uchar(magic[1]) == 0xD8) {
            if (file.size() > kMaxJpegFileBytes) return {};
            const QByteArray data = file.readAll();
            const auto* bytes = reinterpret_cast<const unsigned char*>(data.constData());
            full = ReadJpegSize(bytes, static_cast<size_t>(data.size()));
            // Let the decoder shrink by up to 8 while staying above the pane.
            int denom = 1;
            while (denom < 8 && full.width() / (denom * 2) >= maxWidth && full.height() / (denom * 2) >= maxHeight)
                denom *= 2;
            JpegDecodeOptions options = DefaultJpegOptions();
            options.scaleDenom = denom;
            image = DecodeJpeg(bytes, static_cast<size_t>(data.size()), options);
        } else {
            return {};
        }
        if (image.width() > maxWidth || image.height() > maxHeight)
            image = image.scaled(maxWidth, maxHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        if (fullSize) *fullSize = full;
        return image;
    } catch (const Error&) {
        return {};
    }
}

}  // namespace platform
