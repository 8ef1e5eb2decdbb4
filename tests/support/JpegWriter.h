#pragma once
// JPEG files made with libjpeg's own compressor, for tests and benchmarks.

#include <QByteArray>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <vector>

#include <cstdio>
#include <jpeglib.h>

struct JpegParts {
    J_COLOR_SPACE input = JCS_RGB;  // JCS_RGB, JCS_GRAYSCALE or JCS_CMYK
    J_COLOR_SPACE stored = JCS_YCbCr;
    bool adobeMarker = true;  // only matters for CMYK / YCCK
    bool progressive = false;
    int restartRows = 0;
    int width = 48, height = 32;
    int quality = 95;
    std::function<std::vector<uint8_t>(int, int)> pixel;  // components of (x, y), in scan order
};

inline QByteArray MakeJpeg(const JpegParts& p) {
    jpeg_compress_struct c;
    jpeg_error_mgr err;
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&c, &out, &outSize);
    c.image_width = static_cast<JDIMENSION>(p.width);
    c.image_height = static_cast<JDIMENSION>(p.height);
    c.in_color_space = p.input;
    c.input_components = p.input == JCS_GRAYSCALE ? 1 : p.input == JCS_CMYK ? 4 : 3;
    jpeg_set_defaults(&c);
    jpeg_set_colorspace(&c, p.stored);
    if (!p.adobeMarker) c.write_Adobe_marker = FALSE;
    jpeg_set_quality(&c, p.quality, TRUE);
    if (p.progressive) jpeg_simple_progression(&c);
    c.restart_in_rows = p.restartRows;
    jpeg_start_compress(&c, TRUE);
    std::vector<uint8_t> row(static_cast<size_t>(p.width) * static_cast<size_t>(c.input_components));
    while (c.next_scanline < c.image_height) {
        for (int x = 0; x < p.width; ++x) {
            const auto px = p.pixel(x, static_cast<int>(c.next_scanline));
            std::copy(px.begin(), px.end(), row.begin() + x * c.input_components);
        }
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&c, &r, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    QByteArray result(reinterpret_cast<const char*>(out), static_cast<qsizetype>(outSize));
    std::free(out);
    return result;
}
