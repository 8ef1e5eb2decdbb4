// Picture file readers and the bitmap writer, over files the test makes
// itself: every common BMP variant, JPEG pictures written with libjpeg's own
// compressor, and damaged or hostile files.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>
#include <cstdio>
#include <functional>
#include <vector>

#include <jpeglib.h>

#include "platform/Bitmap.h"
#include "support/JpegWriter.h"
#include "platform/Error.h"
#include "platform/JpegDecoder.h"
#include "platform/PictureFile.h"

namespace {

using platform::Error;

// ---------------------------------------------------------------- BMP maker

constexpr uint32_t BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3;

struct BmpParts {
    int width = 0;
    int height = 0;  // negative: top-down
    int bpp = 24;
    uint32_t compression = BI_RGB;
    std::vector<QRgb> palette;
    std::vector<uint32_t> masks;  // red, green, blue for BI_BITFIELDS
    QByteArray pixels;            // rows as stored
};

void Put16(QByteArray& b, uint16_t v) {
    char c[2];
    qToLittleEndian(v, c);
    b.append(c, 2);
}
void Put32(QByteArray& b, uint32_t v) {
    char c[4];
    qToLittleEndian(v, c);
    b.append(c, 4);
}

QByteArray MakeBmp(const BmpParts& p) {
    QByteArray info;
    Put32(info, 40);
    Put32(info, static_cast<uint32_t>(p.width));
    Put32(info, static_cast<uint32_t>(p.height));
    Put16(info, 1);
    Put16(info, static_cast<uint16_t>(p.bpp));
    Put32(info, p.compression);
    Put32(info, static_cast<uint32_t>(p.pixels.size()));
    Put32(info, 2835);
    Put32(info, 2835);
    Put32(info, static_cast<uint32_t>(p.palette.size()));
    Put32(info, 0);
    for (uint32_t m : p.masks) Put32(info, m);
    for (QRgb c : p.palette) Put32(info, c & 0x00FFFFFFu);  // B, G, R, 0
    QByteArray file("BM");
    const uint32_t offset = 14 + static_cast<uint32_t>(info.size());
    Put32(file, offset + static_cast<uint32_t>(p.pixels.size()));
    Put32(file, 0);
    Put32(file, offset);
    return file + info + p.pixels;
}

// The test picture: 7 x 5 (odd width, so rows need padding).
constexpr int W = 7, H = 5;

// Rows in file order for a per-pixel packer; pads each row to 4 bytes.
QByteArray PackRows(int bpp, bool topDown, const std::function<uint32_t(int, int)>& value) {
    QByteArray out;
    for (int i = 0; i < H; ++i) {
        const int y = topDown ? i : H - 1 - i;
        QByteArray row;
        uint32_t acc = 0;
        int bits = 0;
        for (int x = 0; x < W; ++x) {
            const uint32_t v = value(x, y);
            if (bpp < 8) {
                acc = (acc << bpp) | v;
                bits += bpp;
                if (bits == 8) {
                    row.append(char(acc));
                    acc = 0;
                    bits = 0;
                }
            } else {
                for (int k = 0; k < bpp / 8; ++k) row.append(char((v >> (8 * k)) & 0xFF));
            }
        }
        if (bits) row.append(char(acc << (8 - bits)));
        while (row.size() % 4) row.append('\0');
        out += row;
    }
    return out;
}

QRgb Pal1(int i) { return i ? qRgb(240, 200, 100) : qRgb(10, 20, 30); }
int Idx1(int x, int y) { return (x + y) & 1; }
QRgb Pal4(int i) { return qRgb(i * 16, 255 - i * 16, i * 8 + 3); }
int Idx4(int x, int y) { return (x + 3 * y) % 16; }
QRgb Pal8(int i) { return qRgb(i, (i * 7) & 255, 255 - i); }
int Idx8(int x, int y) { return (x * 37 + y * 11) % 256; }

std::vector<QRgb> Palette(int n, QRgb (*f)(int)) {
    std::vector<QRgb> p;
    for (int i = 0; i < n; ++i) p.push_back(f(i));
    return p;
}

int R5(int x, int) { return (x * 5 + 1) % 32; }  // reaches 31
int G5(int, int y) { return (y * 7) % 32; }
int G6(int, int y) { return (y * 13) % 64; }
int B5(int x, int y) { return (x + y * 3) % 32; }
int Expand(int v, int bits) { return (v * 255 + ((1 << bits) - 1) / 2) / ((1 << bits) - 1); }
QRgb True24(int x, int y) { return qRgb((x * 40) & 255, (y * 50) & 255, (x * y * 9 + 7) & 255); }

// RLE8: each row is a run of three pixels and four pixels in absolute mode.
int RleRun8(int y) { return y * 10 + 1; }
int RleAbs8(int x, int y) { return (x * 20 + y) % 256; }
int Rle8Index(int x, int y) { return x < 3 ? RleRun8(y) : RleAbs8(x, y); }
QByteArray Rle8Data() {
    QByteArray d;
    for (int y = H - 1; y >= 0; --y) {
        d.append(char(3)).append(char(RleRun8(y)));
        d.append(char(0)).append(char(4));
        for (int x = 3; x < 7; ++x) d.append(char(RleAbs8(x, y)));
        d.append(char(0)).append(char(0));  // end of line
    }
    d.append(char(0)).append(char(1));  // end of bitmap
    return d;
}

// RLE4: a run of three pixels alternating two indexes, then four pixels in
// absolute mode.
int Rle4Index(int x, int y) {
    if (x < 3) return (x % 2 == 0) ? (y & 15) : ((y + 1) & 15);
    return (x + y) & 15;
}
QByteArray Rle4Data() {
    QByteArray d;
    for (int y = H - 1; y >= 0; --y) {
        d.append(char(3)).append(char(((y & 15) << 4) | ((y + 1) & 15)));
        d.append(char(0)).append(char(4));
        d.append(char((Rle4Index(3, y) << 4) | Rle4Index(4, y)));
        d.append(char((Rle4Index(5, y) << 4) | Rle4Index(6, y)));
        d.append(char(0)).append(char(0));
    }
    d.append(char(0)).append(char(1));
    return d;
}

QByteArray Bmp24(bool topDown) {
    BmpParts p{W, topDown ? -H : H, 24, BI_RGB, {}, {}, {}};
    p.pixels = PackRows(24, topDown, [](int x, int y) { return True24(x, y) & 0xFFFFFF; });
    return MakeBmp(p);
}

QByteArray BmpHeaderOnly(int width, int height) {
    BmpParts p{width, height, 24, BI_RGB, {}, {}, QByteArray(64, '\x55')};
    return MakeBmp(p);
}

// --------------------------------------------------------------- JPEG maker

constexpr int JW = 48, JH = 32;  // 3 x 2 blocks of 16 x 16


int Block(int x, int y) { return (y / 16) * 3 + (x / 16); }
const QRgb kBlockRgb[6] = {qRgb(220, 30, 40), qRgb(30, 200, 60), qRgb(40, 50, 210),
                           qRgb(240, 230, 40), qRgb(255, 255, 255), qRgb(0, 0, 0)};
const int kBlockGray[6] = {20, 80, 140, 200, 250, 0};
// Ink amounts (0 = none) and the colour they print.
const uint8_t kBlockInk[6][4] = {{255, 0, 0, 0}, {0, 255, 0, 0}, {0, 0, 255, 0},
                                 {0, 0, 0, 255}, {0, 0, 0, 0},   {128, 0, 0, 64}};
QRgb InkColour(int b) {
    const uint8_t* k = kBlockInk[b];
    auto ch = [&](int ink) { return ((255 - ink) * (255 - k[3]) + 127) / 255; };
    return qRgb(ch(k[0]), ch(k[1]), ch(k[2]));
}


std::vector<uint8_t> RgbBlocks(int x, int y) {
    const QRgb c = kBlockRgb[Block(x, y)];
    return {uint8_t(qRed(c)), uint8_t(qGreen(c)), uint8_t(qBlue(c))};
}
std::vector<uint8_t> GrayBlocks(int x, int y) { return {uint8_t(kBlockGray[Block(x, y)])}; }
std::vector<uint8_t> InkBlocks(int x, int y) {
    const uint8_t* k = kBlockInk[Block(x, y)];
    return {k[0], k[1], k[2], k[3]};
}
// Photoshop's way: Adobe files store 255 - ink.
std::vector<uint8_t> InvertedInkBlocks(int x, int y) {
    auto v = InkBlocks(x, y);
    for (auto& b : v) b = uint8_t(255 - b);
    return v;
}

QByteArray BaselineJpeg() { return MakeJpeg({.pixel = RgbBlocks}); }

// Sets the size in the frame header (SOF0 or SOF2).
QByteArray WithFrameSize(QByteArray jpeg, int width, int height) {
    for (int i = 2; i + 9 < jpeg.size(); ++i) {
        if (uchar(jpeg[i]) == 0xFF && (uchar(jpeg[i + 1]) == 0xC0 || uchar(jpeg[i + 1]) == 0xC2)) {
            qToBigEndian<quint16>(quint16(height), jpeg.data() + i + 5);
            qToBigEndian<quint16>(quint16(width), jpeg.data() + i + 7);
            return jpeg;
        }
    }
    ADD_FAILURE() << "no frame header";
    return jpeg;
}

// Stray bytes between two header segments: the library warns about them
// and decodes the picture all the same.
QByteArray WithStrayBytesAfterApp0(QByteArray jpeg) {
    const int app0 = jpeg.indexOf("\xFF\xE0");
    const int len = qFromBigEndian<quint16>(jpeg.constData() + app0 + 2);
    jpeg.insert(app0 + 2 + len, QByteArray("\x12\x34\x56", 3));
    return jpeg;
}

QByteArray RandomBytes(int n, quint32 seed) {
    QRandomGenerator gen(seed);
    QByteArray b(n, '\0');
    for (auto& c : b) c = char(gen.bounded(256));
    return b;
}

QByteArray PngBytes() {
    QImage img(8, 8, QImage::Format_RGB32);
    img.fill(Qt::red);
    QByteArray b;
    QBuffer buf(&b);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return b;
}

// ------------------------------------------------------------------- table

struct Probe {
    int x, y;
    QRgb rgb;
    int tolerance;
};

enum class Reader { Bmp, Jpeg };

struct PictureCase {
    const char* name;
    Reader reader;
    std::function<QByteArray()> make;
    QSize size;                 // expected size (when no error)
    std::vector<Probe> probes;  // known pixels
    const char* error = nullptr;  // expected error text (substring)
    std::function<QRgb(int, int)> everyPixel = nullptr;  // exact check of all pixels
};

std::vector<Probe> BlockProbes(const std::function<QRgb(int)>& colour, int tolerance) {
    std::vector<Probe> v;
    for (int b = 0; b < 6; ++b) v.push_back({(b % 3) * 16 + 8, (b / 3) * 16 + 8, colour(b), tolerance});
    return v;
}
QRgb BlockRgb(int b) { return kBlockRgb[b]; }
QRgb BlockGray(int b) { return qRgb(kBlockGray[b], kBlockGray[b], kBlockGray[b]); }


std::vector<PictureCase> Cases() {
    const QSize bmpSize(W, H), jpegSize(JW, JH);
    std::vector<PictureCase> v;
    // --- BMP variants: every pixel is known exactly. 16-bit channels are
    // widened to full scale (31 -> 255).
    v.push_back({"bmp_1bit_palette", Reader::Bmp, [] {
                     return MakeBmp({W, H, 1, BI_RGB, Palette(2, Pal1), {}, PackRows(1, false, [](int x, int y) { return uint32_t(Idx1(x, y)); })});
                 }, bmpSize, {}, nullptr, [](int x, int y) { return Pal1(Idx1(x, y)); }});
    v.push_back({"bmp_4bit_palette", Reader::Bmp, [] {
                     return MakeBmp({W, H, 4, BI_RGB, Palette(16, Pal4), {}, PackRows(4, false, [](int x, int y) { return uint32_t(Idx4(x, y)); })});
                 }, bmpSize, {}, nullptr, [](int x, int y) { return Pal4(Idx4(x, y)); }});
    v.push_back({"bmp_8bit_palette", Reader::Bmp, [] {
                     return MakeBmp({W, H, 8, BI_RGB, Palette(256, Pal8), {}, PackRows(8, false, [](int x, int y) { return uint32_t(Idx8(x, y)); })});
                 }, bmpSize, {}, nullptr, [](int x, int y) { return Pal8(Idx8(x, y)); }});
    v.push_back({"bmp_16bit_555", Reader::Bmp, [] {
                     return MakeBmp({W, H, 16, BI_RGB, {}, {}, PackRows(16, false, [](int x, int y) {
                                         return uint32_t(R5(x, y) << 10 | G5(x, y) << 5 | B5(x, y));
                                     })});
                 }, bmpSize, {}, nullptr, [](int x, int y) { return qRgb(Expand(R5(x, y), 5), Expand(G5(x, y), 5), Expand(B5(x, y), 5)); }});
    v.push_back({"bmp_16bit_565_bitfields", Reader::Bmp, [] {
                     return MakeBmp({W, H, 16, BI_BITFIELDS, {}, {0xF800, 0x07E0, 0x001F}, PackRows(16, false, [](int x, int y) {
                                         return uint32_t(R5(x, y) << 11 | G6(x, y) << 5 | B5(x, y));
                                     })});
                 }, bmpSize, {}, nullptr, [](int x, int y) { return qRgb(Expand(R5(x, y), 5), Expand(G6(x, y), 6), Expand(B5(x, y), 5)); }});
    v.push_back({"bmp_24bit", Reader::Bmp, [] { return Bmp24(false); }, bmpSize, {}, nullptr, True24});
    v.push_back({"bmp_24bit_top_down", Reader::Bmp, [] { return Bmp24(true); }, bmpSize, {}, nullptr, True24});
    v.push_back({"bmp_32bit_bgrx", Reader::Bmp, [] {
                     return MakeBmp({W, H, 32, BI_RGB, {}, {}, PackRows(32, false, [](int x, int y) { return uint32_t(True24(x, y) & 0xFFFFFF); })});
                 }, bmpSize, {}, nullptr, True24});
    v.push_back({"bmp_32bit_bitfields_rgbx", Reader::Bmp, [] {
                     return MakeBmp({W, H, 32, BI_BITFIELDS, {}, {0x000000FF, 0x0000FF00, 0x00FF0000}, PackRows(32, false, [](int x, int y) {
                                         const QRgb c = True24(x, y);
                                         return uint32_t(qRed(c) | qGreen(c) << 8 | qBlue(c) << 16);
                                     })});
                 }, bmpSize, {}, nullptr, True24});
    v.push_back({"bmp_rle8", Reader::Bmp, [] { return MakeBmp({W, H, 8, BI_RLE8, Palette(256, Pal8), {}, Rle8Data()}); },
                 bmpSize, {}, nullptr, [](int x, int y) { return Pal8(Rle8Index(x, y)); }});
    v.push_back({"bmp_rle4", Reader::Bmp, [] { return MakeBmp({W, H, 4, BI_RLE4, Palette(16, Pal4), {}, Rle4Data()}); },
                 bmpSize, {}, nullptr, [](int x, int y) { return Pal4(Rle4Index(x, y)); }});
    // --- damaged and hostile bitmaps
    v.push_back({"bmp_truncated", Reader::Bmp, [] { return Bmp24(false).left(14 + 40 + 30); }, {}, {}, "not valid"});
    v.push_back({"bmp_rle8_truncated", Reader::Bmp, [] {
                     return MakeBmp({W, H, 8, BI_RLE8, Palette(256, Pal8), {}, Rle8Data().left(20)});
                 }, {}, {}, "not valid"});
    v.push_back({"bmp_header_cut", Reader::Bmp, [] { return Bmp24(false).left(20); }, {}, {}, "not valid"});
    v.push_back({"bmp_random_bytes", Reader::Bmp, [] { return RandomBytes(4000, 7); }, {}, {}, "not valid"});
    v.push_back({"bmp_random_after_signature", Reader::Bmp, [] { return "BM" + RandomBytes(4000, 8); }, {}, {}, nullptr});
    v.push_back({"bmp_zero_bytes", Reader::Bmp, [] { return QByteArray(); }, {}, {}, "not valid"});
    v.push_back({"bmp_huge_header", Reader::Bmp, [] { return BmpHeaderOnly(100000, 100000); }, {}, {}, "too large"});
    v.push_back({"bmp_huge_top_down_header", Reader::Bmp, [] { return BmpHeaderOnly(20000, -20000); }, {}, {}, "too large"});
    v.push_back({"bmp_negative_width", Reader::Bmp, [] { return BmpHeaderOnly(-7, 5); }, {}, {}, "not valid"});
    // 12,000 x 12,000 is within the limit: the size passes, the missing
    // pixel data does not.
    v.push_back({"bmp_12000_square_without_data", Reader::Bmp, [] { return BmpHeaderOnly(12000, 12000); }, {}, {}, "not valid"});
    // --- JPEG
    v.push_back({"jpeg_baseline", Reader::Jpeg, BaselineJpeg, jpegSize, BlockProbes(BlockRgb, 10)});
    v.push_back({"jpeg_progressive", Reader::Jpeg, [] { return MakeJpeg({.progressive = true, .pixel = RgbBlocks}); },
                 jpegSize, BlockProbes(BlockRgb, 10)});
    v.push_back({"jpeg_grayscale", Reader::Jpeg, [] {
                     return MakeJpeg({.input = JCS_GRAYSCALE, .stored = JCS_GRAYSCALE, .pixel = GrayBlocks});
                 }, jpegSize, BlockProbes(BlockGray, 4)});
    v.push_back({"jpeg_rgb_stored_as_rgb", Reader::Jpeg, [] { return MakeJpeg({.stored = JCS_RGB, .pixel = RgbBlocks}); },
                 jpegSize, BlockProbes(BlockRgb, 6)});
    v.push_back({"jpeg_cmyk_adobe_inverted", Reader::Jpeg, [] {
                     return MakeJpeg({.input = JCS_CMYK, .stored = JCS_CMYK, .pixel = InvertedInkBlocks});
                 }, jpegSize, BlockProbes(InkColour, 8)});
    v.push_back({"jpeg_cmyk_plain", Reader::Jpeg, [] {
                     return MakeJpeg({.input = JCS_CMYK, .stored = JCS_CMYK, .adobeMarker = false, .pixel = InkBlocks});
                 }, jpegSize, BlockProbes(InkColour, 8)});
    v.push_back({"jpeg_ycck", Reader::Jpeg, [] {
                     return MakeJpeg({.input = JCS_CMYK, .stored = JCS_YCCK, .pixel = InvertedInkBlocks});
                 }, jpegSize, BlockProbes(InkColour, 10)});
    v.push_back({"jpeg_restart_markers", Reader::Jpeg, [] { return MakeJpeg({.restartRows = 1, .pixel = RgbBlocks}); },
                 jpegSize, BlockProbes(BlockRgb, 10)});
    v.push_back({"jpeg_progressive_restart_odd_size", Reader::Jpeg, [] {
                     return MakeJpeg({.progressive = true, .restartRows = 1, .width = 45, .height = 31, .pixel = RgbBlocks});
                 }, QSize(45, 31), {{8, 8, kBlockRgb[0], 10}, {40, 24, kBlockRgb[5], 10}}});
    v.push_back({"jpeg_stray_bytes_between_segments", Reader::Jpeg, [] { return WithStrayBytesAfterApp0(BaselineJpeg()); },
                 jpegSize, BlockProbes(BlockRgb, 10)});
    // --- damaged and hostile JPEG files
    v.push_back({"jpeg_truncated", Reader::Jpeg, [] { const auto j = BaselineJpeg(); return j.left(j.size() * 2 / 3); },
                 {}, {}, "Premature end"});
    v.push_back({"jpeg_progressive_truncated", Reader::Jpeg, [] {
                     const auto j = MakeJpeg({.progressive = true, .pixel = RgbBlocks});
                     return j.left(j.size() / 2);
                 }, {}, {}, "Premature end"});
    v.push_back({"jpeg_header_only", Reader::Jpeg, [] { return BaselineJpeg().left(30); }, {}, {}, "JPEG"});
    v.push_back({"jpeg_random_bytes", Reader::Jpeg, [] { return RandomBytes(4000, 9); }, {}, {}, "Not a JPEG"});
    v.push_back({"jpeg_zero_bytes", Reader::Jpeg, [] { return QByteArray(); }, {}, {}, "JPEG"});
    v.push_back({"png_named_jpg", Reader::Jpeg, PngBytes, {}, {}, "Not a JPEG"});
    v.push_back({"jpeg_huge_header", Reader::Jpeg, [] { return WithFrameSize(BaselineJpeg(), 60000, 60000); }, {}, {}, "too large"});
    v.push_back({"jpeg_too_many_pixels", Reader::Jpeg, [] { return WithFrameSize(BaselineJpeg(), 20000, 20000); }, {}, {}, "too large"});
    v.push_back({"jpeg_12000_square_without_data", Reader::Jpeg, [] { return WithFrameSize(BaselineJpeg(), 12000, 12000); },
                 {}, {}, "Premature end"});
    return v;
}

class PictureFiles : public ::testing::TestWithParam<PictureCase> {};

TEST_P(PictureFiles, ReadsPixelsOrRefuses) {
    const PictureCase& c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QString::fromLatin1(c.name) + (c.reader == Reader::Bmp ? ".bmp" : ".jpg"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.make());
    }
    QImage img;
    QString error;
    bool threw = false;
    try {
        img = c.reader == Reader::Bmp ? platform::ReadBmpFile(path) : platform::ReadJpegFile(path);
    } catch (const Error& e) {
        threw = true;
        error = e.Message();
    }
    if (c.error || (!c.everyPixel && c.probes.empty() && !c.size.isValid())) {
        if (!c.error) {  // only "does not crash" is asked of this one
            if (!threw) {
                EXPECT_EQ(img.format(), QImage::Format_RGB32);
            }
            return;
        }
        ASSERT_TRUE(threw) << "expected an error, got a " << img.width() << " x " << img.height() << " picture";
        EXPECT_TRUE(error.contains(QLatin1String(c.error), Qt::CaseInsensitive)) << error.toStdString();
        return;
    }
    ASSERT_FALSE(threw) << error.toStdString();
    ASSERT_EQ(img.format(), QImage::Format_RGB32);
    ASSERT_EQ(img.size(), c.size);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) ASSERT_EQ(qAlpha(img.pixel(x, y)), 255) << x << "," << y;
    if (c.everyPixel) {
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                ASSERT_EQ(img.pixel(x, y) | 0xFF000000u, c.everyPixel(x, y) | 0xFF000000u) << "at " << x << "," << y;
    }
    for (const Probe& p : c.probes) {
        const QRgb got = img.pixel(p.x, p.y);
        EXPECT_NEAR(qRed(got), qRed(p.rgb), p.tolerance) << "red at " << p.x << "," << p.y;
        EXPECT_NEAR(qGreen(got), qGreen(p.rgb), p.tolerance) << "green at " << p.x << "," << p.y;
        EXPECT_NEAR(qBlue(got), qBlue(p.rgb), p.tolerance) << "blue at " << p.x << "," << p.y;
    }
}

INSTANTIATE_TEST_SUITE_P(AllKinds, PictureFiles, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<PictureCase>& info) { return std::string(info.param.name); });

// ------------------------------------------------------------ writing BMPs

QImage Gradient(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb(x * 3 & 255, y * 5 & 255, (x ^ y) & 255));
    return img;
}

TEST(WriteBmpFile, RoundTripKeepsEveryPixelAndReplacesTheOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("pic.bmp");
    platform::WriteBmpFile(Gradient(31, 17), path);
    platform::WriteBmpFile(Gradient(301, 203), path);  // over the first
    const QImage back = platform::ReadBmpFile(path);
    EXPECT_EQ(back, Gradient(301, 203));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"pic.bmp"});
}

// A failed save leaves an existing file alone and no stray file behind.
TEST(WriteBmpFile, FailureLeavesExistingFileAndFolderAlone) {
    QTemporaryDir dir;
    const QString path = dir.filePath("keep.bmp");
    platform::WriteBmpFile(Gradient(10, 10), path);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray before = f.readAll();
    f.close();

    // A null picture cannot be encoded: the write fails after the temporary
    // file was opened.
    EXPECT_THROW(platform::WriteBmpFile(QImage(), path), Error);
    // A folder that does not exist, and a path that is a folder.
    EXPECT_THROW(platform::WriteBmpFile(Gradient(4, 4), dir.filePath("no/such/folder/x.bmp")), Error);
    QDir(dir.path()).mkdir("sub.bmp");
    EXPECT_THROW(platform::WriteBmpFile(Gradient(4, 4), dir.filePath("sub.bmp")), Error);

    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{"keep.bmp", "sub.bmp"}));
}

TEST(ReadPicture, MissingFileNamesThePath) {
    const QString path = QStringLiteral("/nonexistent-folder/x.bmp");
    try {
        platform::ReadBmpFile(path);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_TRUE(e.Message().contains(path)) << e.Message().toStdString();
    }
    EXPECT_THROW(platform::ReadJpegFile(QStringLiteral("/nonexistent-folder/x.jpg")), Error);
}

TEST(ReadPreview, ShrinksBothKindsToTheBoxAndNeverThrows) {
    QTemporaryDir dir;
    const QString bmp = dir.filePath("a.bmp"), jpg = dir.filePath("a.jpg"), junk = dir.filePath("b.jpg");
    platform::WriteBmpFile(Gradient(400, 100), bmp);
    QFile j(jpg);
    ASSERT_TRUE(j.open(QIODevice::WriteOnly));
    j.write(MakeJpeg({.width = 640, .height = 480, .pixel = [](int x, int y) { return RgbBlocks(x % 48, y % 32); }}));
    j.close();
    QFile k(junk);
    ASSERT_TRUE(k.open(QIODevice::WriteOnly));
    k.write(BaselineJpeg().left(100));
    k.close();

    EXPECT_EQ(platform::ReadPreview(bmp, 200, 200).size(), QSize(200, 50));
    QSize full;
    EXPECT_EQ(platform::ReadPreview(jpg, 160, 160, &full).size(), QSize(160, 120));
    EXPECT_EQ(full, QSize(640, 480));
    EXPECT_TRUE(platform::ReadPreview(junk, 160, 160).isNull());
    EXPECT_TRUE(platform::ReadPreview(dir.filePath("missing.bmp"), 160, 160).isNull());
}

// The decoder at reduced scale, as the preview uses it.
TEST(DecodeJpeg, ScalesDownByPowersOfTwo) {
    const QByteArray data = MakeJpeg({.width = 640, .height = 480, .pixel = [](int x, int y) { return RgbBlocks(x / 256 % 3 * 16, y / 256 * 16); }});
    auto options = platform::DefaultJpegOptions();
    options.scaleDenom = 4;
    const QImage img = platform::DecodeJpeg(reinterpret_cast<const unsigned char*>(data.constData()), data.size(), options);
    ASSERT_EQ(img.size(), QSize(160, 120));
    const QRgb c = img.pixel(20, 20);
    EXPECT_NEAR(qRed(c), 220, 12);
    EXPECT_NEAR(qGreen(c), 30, 12);
}

}  // namespace

// Large pictures are decoded into memory the decoder allocates itself; the
// image must behave as any other: right pixels, paintable, copies detach.
TEST(DecodeJpeg, LargePictureIsAnOrdinaryImage) {
    const QByteArray data = MakeJpeg({.width = 1600, .height = 1200, .pixel = [](int x, int y) { return RgbBlocks(x % 48, y % 32); }});
    QImage img = platform::DecodeJpeg(data);
    ASSERT_EQ(img.size(), QSize(1600, 1200));
    const QRgb far = img.pixel(1599 - 1599 % 48 + 40 - 48, 1199 - 1199 % 32 + 24 - 32);
    EXPECT_NEAR(qRed(far), qRed(kBlockRgb[5]), 10);
    const QImage copy = img;
    img.setPixel(0, 0, qRgb(1, 2, 3));
    EXPECT_EQ(img.pixel(0, 0), qRgb(1, 2, 3));
    EXPECT_NE(copy.pixel(0, 0), qRgb(1, 2, 3));
}

// Qt's own image allocation limit (128 MB) is far below the pictures we take
// in: once a large picture is in, its snapshots must read back too.
TEST(ReadPicture, LargePictureTakenInCanBeReadBackAsASnapshot) {
    QImageReader::setAllocationLimit(128);  // Qt's default
    QTemporaryDir dir;
    const QString path = dir.filePath("p.jpg");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(BaselineJpeg());
    f.close();
    platform::ReadJpegFile(path);

    platform::Bitmap big(6000, 6000);  // 144 MB as a 32-bit image
    big.GetCanvas().SetPixel(5999, 5999, platform::colors::Red);
    platform::Bitmap back;
    back.LoadFromBmp(big.SaveToBmp());
    EXPECT_EQ(back.Image(), big.Image());
}
