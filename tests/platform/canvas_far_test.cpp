// Clipping and the changed area: figures far outside the bitmap (up to the
// ends of the integer range) draw what falls inside and return at once; the
// changed area reported to the surface widget covers what changed and not
// much more.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "canvas_support.h"

namespace {

using namespace canvas_test;
using platform::Bitmap;
using platform::BrushStyle;
using platform::Canvas;
using platform::PenMode;
using platform::TPoint;

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);
constexpr int M = 1000000;

struct FarCase {
    const char* name;
    std::function<void(Canvas&)> draw;
    std::function<QRgb(int x, int y)> expected;  // on a 200 x 100 white bitmap, red brush
};

const FarCase kFar[] = {
    {"rectangle around everything", [](Canvas& c) { c.Rectangle(-M, -M, M, M); },
     [](int, int) { return Rgb(kRed); }},
    {"rectangle of the whole integer range", [](Canvas& c) { c.Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX); },
     [](int, int) { return Rgb(kRed); }},
    {"ellipse around everything", [](Canvas& c) { c.Ellipse(-M, -M, M, M); }, [](int, int) { return Rgb(kRed); }},
    {"ellipse of the whole integer range", [](Canvas& c) { c.Ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX); },
     [](int, int) { return Rgb(kRed); }},
    {"huge ellipse whose top crosses the picture", [](Canvas& c) { c.Ellipse(-M, 20, M, 2 * M + 21); },
     [](int, int y) { return y < 20 ? kWhite : y == 20 ? kBlack : Rgb(kRed); }},
    {"round rectangle around everything", [](Canvas& c) { c.RoundRect(-M, -M, M, M, M, M); },
     [](int, int) { return Rgb(kRed); }},
    {"huge triangle around everything",
     [](Canvas& c) {
         const TPoint tri[] = {{-M, -M}, {M, -M}, {0, M}};
         c.Polygon(tri);
     },
     [](int, int) { return Rgb(kRed); }},
    {"huge triangle far away",
     [](Canvas& c) {
         const TPoint tri[] = {{-M, -M}, {-M + 5, -M}, {-M, INT_MAX}};
         c.Polygon(tri);
     },
     [](int, int) { return kWhite; }},
    {"huge pie's quarter over the picture", [](Canvas& c) { c.Pie(-M, -M, M, M, 0, M, M, 0); },
     [](int, int) { return Rgb(kRed); }},
    {"huge pie's quarter beside the picture", [](Canvas& c) { c.Pie(-M, -M, M, M, M, 0, 0, -M); },
     [](int, int) { return kWhite; }},
    {"huge arc through the picture", [](Canvas& c) { c.Arc(-M, 30, M, 2 * M + 31, M, 0, -M, 0); },
     [](int, int y) { return y == 30 ? kBlack : kWhite; }},
    {"line across", [](Canvas& c) { c.MoveTo(-M, 10); c.LineTo(M, 10); },
     [](int, int y) { return y == 10 ? kBlack : kWhite; }},
    {"diagonal line across", [](Canvas& c) { c.MoveTo(-M, -M); c.LineTo(M, M); },
     [](int x, int y) { return x == y ? kBlack : kWhite; }},
    {"line over the whole integer range", [](Canvas& c) { c.MoveTo(INT_MIN, 50); c.LineTo(INT_MAX, 50); },
     [](int, int y) { return y == 50 ? kBlack : kWhite; }},
    {"line far away", [](Canvas& c) { c.MoveTo(INT_MIN, INT_MIN); c.LineTo(INT_MIN + 7, INT_MAX); },
     [](int, int) { return kWhite; }},
    {"level curve with far control points",
     [](Canvas& c) {
         const TPoint pts[] = {{-M, 40}, {-M / 3, 40}, {M / 3, 40}, {M, 40}};
         c.PolyBezier(pts);
     },
     [](int, int y) { return y == 40 ? kBlack : kWhite; }},
    {"curve with control points at the integer range's ends",
     [](Canvas& c) {
         const TPoint pts[] = {{INT_MIN, INT_MIN}, {INT_MAX, INT_MIN}, {INT_MIN, INT_MAX}, {INT_MAX, INT_MAX}};
         c.PolyBezier(pts);
     },
     nullptr},
    {"text far away", [](Canvas& c) { c.TextOut(INT_MAX - 3, INT_MIN, QStringLiteral("far")); },
     [](int, int) { return kWhite; }},
};

TEST(CanvasFar, FarOffFiguresDrawOnlyWhatFallsInside) {
    for (const FarCase& fc : kFar)
        for (BrushStyle style : {BrushStyle::Solid, BrushStyle::Clear}) {
            SCOPED_TRACE(std::string(fc.name) + (style == BrushStyle::Solid ? " filled" : " clear"));
            Bitmap bmp(200, 100);
            Canvas& c = bmp.GetCanvas();
            c.SetBrushColor(kRed);
            c.SetBrushStyle(style);
            fc.draw(c);
            if (!fc.expected) continue;
            const QImage& img = bmp.Image();
            for (int y = 0; y < 100; ++y)
                for (int x = 0; x < 200; ++x) {
                    QRgb want = fc.expected(x, y);
                    if (style == BrushStyle::Clear && want == Rgb(kRed)) want = kWhite;
                    ASSERT_EQ(img.pixel(x, y), want) << x << "," << y;
                }
        }
}

TEST(CanvasFar, FarOffFiguresRestoreInNotXorForEveryWidth) {
    std::mt19937 rng(3);
    for (const FarCase& fc : kFar)
        for (int w = 1; w <= 4; ++w) {
            Bitmap bmp(RandomPicture(120, 70, rng));
            Canvas& c = bmp.GetCanvas();
            const QImage before = bmp.Image().copy();
            c.SetPenMode(PenMode::NotXor);
            c.SetPenWidth(w);
            c.SetBrushColor(kGreen);
            fc.draw(c);
            fc.draw(c);
            EXPECT_EQ(Diff(before, bmp.Image()).count, 0) << fc.name << " width " << w;
        }
}

TEST(CanvasFar, TextPenPositionStaysInTheIntegerRange) {
    Bitmap bmp(20, 20);
    Canvas& c = bmp.GetCanvas();
    c.TextOut(INT_MAX - 3, 5, QStringLiteral("far away"));
    EXPECT_EQ(c.PenPos(), (TPoint{INT_MAX, 5}));
}

TEST(CanvasFar, HugePenWidthsFinish) {
    Bitmap bmp(200, 100);
    Canvas& c = bmp.GetCanvas();
    c.SetPenWidth(INT_MAX);
    c.MoveTo(0, 50);
    c.LineTo(200, 50);
    EXPECT_EQ(Ink(bmp.Image(), kWhite).count, 200 * 100);
    c.SetPenMode(PenMode::NotXor);
    c.Ellipse(10, 10, 20, 20);
    c.Rectangle(-M, -M, M, M);
    const TPoint pts[] = {{0, 0}, {50, 90}, {150, 90}, {199, 0}};
    c.PolyBezier(pts);
    c.Pie(-M, -M, M, M, 0, 1, 1, 0);
}

TEST(CanvasFar, HugePolygonWithManyVerticesAroundThePictureFillsIt) {
    // 200,000 vertices on a circle of radius 1,000,000 around the picture:
    // none of its edges comes near, so only the inside shows.
    Bitmap bmp(100, 100);
    Canvas& c = bmp.GetCanvas();
    c.SetBrushColor(kRed);
    std::vector<TPoint> pts;
    const int n = 200000;
    for (int i = 0; i < n; ++i) {
        const double t = 2 * 3.141592653589793 * i / n;
        pts.push_back({int(50 + M * std::cos(t)), int(50 + M * std::sin(t))});
    }
    c.Polygon(pts);
    EXPECT_EQ(Ink(bmp.Image(), Rgb(kRed)).count, 0);
}

// ---------------------------------------------------------------- changed area

TEST(CanvasDirty, NothingDrawnGivesAnEmptyArea) {
    Bitmap bmp(50, 50);
    Canvas& c = bmp.GetCanvas();
    EXPECT_TRUE(c.TakeDirtyRect().isEmpty());
    c.MoveTo(10, 10);
    c.LineTo(10, 10);
    c.Rectangle(5, 5, 5, 20);
    c.Ellipse(-40, -40, -20, -20);
    c.Polygon(std::span<const TPoint>());
    c.SetBrushStyle(BrushStyle::Clear);
    c.Ellipse(-M, -M, M, M);
    EXPECT_TRUE(c.TakeDirtyRect().isEmpty());
}

TEST(CanvasDirty, AreaCoversEveryChangedPixelAndIsTakenOnce) {
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> X(-10, 70), Y(-10, 50), W(1, 4);
    for (int round = 0; round < 200; ++round) {
        Bitmap bmp(60, 40);
        Canvas& c = bmp.GetCanvas();
        c.SetBrushColor(kRed);
        c.SetPenWidth(W(rng));
        const int a = X(rng), b = Y(rng), d = X(rng), e = Y(rng);
        const QImage before = bmp.Image().copy();
        switch (round % 5) {
            case 0: c.MoveTo(a, b), c.LineTo(d, e); break;
            case 1: c.Rectangle(a, b, d, e); break;
            case 2: c.Ellipse(a, b, d, e); break;
            case 3: c.Pie(a, b, d, e, X(rng), Y(rng), X(rng), Y(rng)); break;
            default: c.TextOut(a, b, QStringLiteral("Tg")); break;
        }
        const Change change = Diff(before, bmp.Image());
        const QRect dirty = c.TakeDirtyRect();
        EXPECT_TRUE(change.count == 0 || dirty.contains(change.bounds)) << "round " << round;
        EXPECT_TRUE(QRect(0, 0, 60, 40).contains(dirty) || dirty.isEmpty());
        EXPECT_TRUE(c.TakeDirtyRect().isEmpty());
    }
}

TEST(CanvasDirty, SmallFigureOnALargeBitmapGivesASmallArea) {
    Bitmap bmp(4000, 3000);
    Canvas& c = bmp.GetCanvas();
    for (int w = 1; w <= 4; ++w) {
        c.SetPenWidth(w);
        c.Ellipse(2000, 1500, 2010, 1510);
        const QRect r = c.TakeDirtyRect();
        EXPECT_TRUE(r.contains(QRect(2000, 1500, 10, 10)));
        EXPECT_TRUE(QRect(2000 - w / 2 - 3, 1500 - w / 2 - 3, 10 + w + 6, 10 + w + 6).contains(r)) << "width " << w;
        c.MoveTo(100, 100);
        c.LineTo(120, 90);
        const QRect l = c.TakeDirtyRect();
        EXPECT_TRUE(QRect(100 - w - 2, 90 - w - 2, 21 + 2 * w + 4, 11 + 2 * w + 4).contains(l)) << "width " << w;
    }
}

TEST(CanvasDirty, AreasOfSeveralFiguresAddUp) {
    Bitmap bmp(100, 100);
    Canvas& c = bmp.GetCanvas();
    c.Rectangle(10, 10, 20, 20);
    c.SetPixel(90, 80, kRed);
    EXPECT_EQ(c.TakeDirtyRect(), QRect(QPoint(10, 10), QPoint(90, 80)));
    c.MarkDirty(QRect(95, 95, 50, 50));
    EXPECT_EQ(c.TakeDirtyRect(), QRect(QPoint(95, 95), QPoint(99, 99)));
}

}  // namespace
