// The bitmap: BMP encoding that reads back exactly, refusal of damaged data
// without losing the picture, and which picture replacements renew the
// canvas settings.
#include <gtest/gtest.h>

#include <QtEndian>
#include <random>

#include "canvas_support.h"
#include "platform/Error.h"

namespace {

using namespace canvas_test;
using platform::Bitmap;
using platform::BrushStyle;
using platform::Canvas;
using platform::PenMode;
using platform::TPoint;
namespace colors = platform::colors;

uint32_t U32(const QByteArray& b, int at) { return qFromLittleEndian<uint32_t>(b.constData() + at); }
uint16_t U16(const QByteArray& b, int at) { return qFromLittleEndian<uint16_t>(b.constData() + at); }
int32_t I32(const QByteArray& b, int at) { return qFromLittleEndian<int32_t>(b.constData() + at); }

TEST(BitmapBmp, WritesA24BitBottomUpFileThatReadsBackExactly) {
    std::mt19937 rng(42);
    const std::pair<int, int> sizes[] = {{1, 1}, {3, 1}, {1, 3}, {2, 2}, {5, 7}, {501, 499}, {500, 500}};
    for (auto [w, h] : sizes) {
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        Bitmap original(RandomPicture(w, h, rng));
        const QByteArray bmp = original.SaveToBmp();
        ASSERT_GE(bmp.size(), 54);
        EXPECT_EQ(bmp.left(2), QByteArray("BM"));
        EXPECT_EQ(U32(bmp, 2), uint32_t(bmp.size()));
        EXPECT_EQ(I32(bmp, 18), w);
        EXPECT_EQ(I32(bmp, 22), h) << "positive height: rows stored bottom-up";
        EXPECT_EQ(U16(bmp, 28), 24);
        EXPECT_EQ(U32(bmp, 30), 0u) << "uncompressed";
        const int stride = (w * 3 + 3) / 4 * 4;
        EXPECT_EQ(bmp.size() - int(U32(bmp, 10)), stride * h);
        // The last row of the picture comes first.
        const uchar* first = reinterpret_cast<const uchar*>(bmp.constData()) + U32(bmp, 10);
        const QRgb bottomLeft = original.Image().pixel(0, h - 1);
        EXPECT_EQ(first[0], qBlue(bottomLeft));
        EXPECT_EQ(first[1], qGreen(bottomLeft));
        EXPECT_EQ(first[2], qRed(bottomLeft));

        Bitmap back;
        back.LoadFromBmp(bmp);
        ASSERT_EQ(back.Width(), w);
        ASSERT_EQ(back.Height(), h);
        EXPECT_EQ(back.Image().format(), QImage::Format_RGB32);
        EXPECT_EQ(Diff(original.Image(), back.Image()).count, 0);
    }
}

TEST(BitmapBmp, DamagedDataIsRefusedAndThePictureAndCanvasStay) {
    std::mt19937 rng(1);
    Bitmap good(RandomPicture(9, 4, rng));
    const QByteArray valid = good.SaveToBmp();
    QByteArray huge = valid;  // claims 40000 x 40000 pixels
    qToLittleEndian<int32_t>(40000, huge.data() + 18);
    qToLittleEndian<int32_t>(40000, huge.data() + 22);
    QByteArray badDepth = valid;
    qToLittleEndian<uint16_t>(13, badDepth.data() + 28);
    const QByteArray damaged[] = {QByteArray(), QByteArray("BM"), QByteArray("not a picture at all"),
                                  valid.left(30), huge, badDepth};
    for (const QByteArray& data : damaged) {
        Bitmap bmp(RandomPicture(6, 5, rng));
        Canvas& c = bmp.GetCanvas();
        c.SetPenWidth(3);
        const QImage before = bmp.Image().copy();
        EXPECT_THROW(bmp.LoadFromBmp(data), platform::Error) << data.size() << " bytes";
        EXPECT_EQ(bmp.Width(), 6);
        EXPECT_EQ(Diff(before, bmp.Image()).count, 0);
        EXPECT_EQ(c.PenWidth(), 3);
    }
}

TEST(BitmapAssign, NewPictureRenewsTheCanvasWhichStaysUsable) {
    Bitmap bmp(30, 20);
    Canvas& c = bmp.GetCanvas();
    c.SetPenWidth(4);
    c.SetPenColor(kRed);
    c.SetPenMode(PenMode::NotXor);
    c.SetBrushStyle(BrushStyle::Clear);
    c.MoveTo(3, 4);
    c.LineTo(20, 4);

    QImage argb(12, 8, QImage::Format_ARGB32);
    argb.fill(qRgba(10, 20, 30, 40));
    bmp.Assign(argb);
    EXPECT_EQ(bmp.Width(), 12);
    EXPECT_EQ(bmp.Height(), 8);
    EXPECT_EQ(bmp.Image().format(), QImage::Format_RGB32);
    // The same canvas object, with the settings of a new one and nothing
    // changed yet.
    EXPECT_EQ(&bmp.GetCanvas(), &c);
    EXPECT_EQ(c.PenWidth(), 1);
    EXPECT_EQ(c.PenColor(), colors::Black);
    EXPECT_EQ(c.GetPenMode(), PenMode::Copy);
    EXPECT_EQ(c.GetBrushStyle(), BrushStyle::Solid);
    EXPECT_EQ(c.PenPos(), (TPoint{0, 0}));
    EXPECT_TRUE(c.TakeDirtyRect().isEmpty());
    c.LineTo(5, 0);
    EXPECT_EQ(c.Pixel(2, 0), colors::Black);

    c.SetPenWidth(2);
    bmp.SetSize(40, 40);
    EXPECT_EQ(c.PenWidth(), 1);
    EXPECT_EQ(c.Pixel(39, 39), colors::White);
}

TEST(BitmapAssign, KeepingTheCanvasKeepsItsSettings) {
    Bitmap bmp(30, 20);
    Canvas& c = bmp.GetCanvas();
    c.SetPenWidth(3);
    c.SetPenColor(kGreen);
    c.SetBrushColor(kYellow);
    c.SetBrushStyle(BrushStyle::Clear);
    c.SetPenMode(PenMode::NotXor);
    c.MoveTo(7, 9);
    QImage other(50, 60, QImage::Format_RGB888);
    other.fill(Qt::blue);
    bmp.AssignKeepCanvas(other);
    EXPECT_EQ(bmp.Width(), 50);
    EXPECT_EQ(bmp.Image().format(), QImage::Format_RGB32);
    EXPECT_EQ(c.Pixel(49, 59), colors::Blue);
    EXPECT_EQ(c.PenWidth(), 3);
    EXPECT_EQ(c.PenColor(), kGreen);
    EXPECT_EQ(c.BrushColor(), kYellow);
    EXPECT_EQ(c.GetBrushStyle(), BrushStyle::Clear);
    EXPECT_EQ(c.GetPenMode(), PenMode::NotXor);
    EXPECT_EQ(c.PenPos(), (TPoint{7, 9}));
}

TEST(BitmapAssign, EmptyBitmapTakesEveryOperationQuietly) {
    Bitmap bmp;
    Canvas& c = bmp.GetCanvas();
    EXPECT_EQ(c.Width(), 0);
    c.MoveTo(-5, -5);
    c.LineTo(10, 10);
    c.SetPenWidth(3);
    c.LineTo(20, 0);
    c.Rectangle(0, 0, 10, 10);
    c.Ellipse(0, 0, 10, 10);
    const TPoint pts[] = {{0, 0}, {5, 9}, {9, 0}, {3, 3}};
    c.Polygon(pts);
    c.PolyBezier(pts);
    c.Pie(0, 0, 10, 10, 0, 0, 10, 10);
    c.TextOut(0, 0, QStringLiteral("x"));
    c.SetPixel(0, 0, kRed);
    EXPECT_FALSE(c.Pixel(0, 0).has_value());
    EXPECT_TRUE(c.TakeDirtyRect().isEmpty());
}

}  // namespace
