#pragma once
// JPEG decoding with libjpeg(-turbo), straight into the rows of a
// Format_RGB32 image.
//
// Grayscale, YCbCr, RGB, CMYK and YCCK pictures, baseline or progressive,
// come out in true colour. A picture whose header claims more pixels than
// the limit is refused before the library allocates anything for the pixels.
// Data the library cannot decode, and data whose damage would leave the
// picture unusable (cut short, broken entropy data), raise platform::Error;
// the process never ends in the library.

#include <QByteArray>
#include <QImage>
#include <cstddef>
#include <cstdint>

namespace platform {

struct JpegDecodeOptions {
    // Pictures with more pixels than this (by the header) are refused.
    int64_t maxPixels;
    // Longest side accepted.
    int maxSide;
    // Decode at 1/scaleDenom of the size (1, 2, 4 or 8), for previews.
    int scaleDenom = 1;
};

// The options the program uses: the picture size limit of PictureFile.h,
// full size.
JpegDecodeOptions DefaultJpegOptions();

// Width and height from the header only; throws platform::Error when the
// header cannot be read.
QSize ReadJpegSize(const unsigned char* data, size_t size);

// Decodes; throws platform::Error on failure. The result is Format_RGB32 with
// every pixel opaque.
QImage DecodeJpeg(const unsigned char* data, size_t size, const JpegDecodeOptions& options);
QImage DecodeJpeg(const QByteArray& data);

}  // namespace platform
