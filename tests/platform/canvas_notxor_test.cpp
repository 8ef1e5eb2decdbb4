// Not-xor mode: every pixel a figure covers becomes ~(colour ^ pixel), once
// per figure, so drawing a figure twice restores the picture; the outline
// combines with the pen, the inside with the brush.
#include <gtest/gtest.h>

#include <functional>
#include <random>
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
namespace colors = platform::colors;

// A figure with its pen width and brush style; colours and mode are set by
// the test.
struct Shape {
    std::string name;
    int width = 1;
    BrushStyle brush = BrushStyle::Solid;
    std::function<void(Canvas&)> geometry;
};

void Draw(Canvas& c, const Shape& s, PenMode mode, Color pen, Color brush) {
    c.SetPenMode(mode);
    c.SetPenWidth(s.width);
    c.SetPenColor(pen);
    c.SetBrushColor(brush);
    c.SetBrushStyle(s.brush);
    s.geometry(c);
}

// One of every operation, with random geometry; coordinates reach a little
// beyond a w x h picture.
Shape RandomShape(std::mt19937& rng, int w, int h) {
    std::uniform_int_distribution<int> X(-15, w + 15), Y(-15, h + 15), width(1, 4), kind(0, 8), n(3, 9), coin(0, 1);
    Shape s;
    s.width = width(rng);
    s.brush = coin(rng) ? BrushStyle::Solid : BrushStyle::Clear;
    const int a = X(rng), b = Y(rng), d = X(rng), e = Y(rng), f = X(rng), g = Y(rng), i = X(rng), j = Y(rng);
    std::vector<TPoint> pts;
    switch (kind(rng)) {
        case 0:
            s.name = "LineTo";
            s.geometry = [=](Canvas& c) {
                c.MoveTo(a, b);
                c.LineTo(d, e);
            };
            break;
        case 1: {
            s.name = "polyline";
            for (int k = n(rng); k > 0; --k) pts.push_back({X(rng), Y(rng)});
            s.geometry = [=](Canvas& c) {
                c.MoveTo(pts[0].X, pts[0].Y);
                for (const TPoint& p : pts) c.LineTo(p.X, p.Y);
            };
            break;
        }
        case 2:
            s.name = "Rectangle";
            s.geometry = [=](Canvas& c) { c.Rectangle(a, b, d, e); };
            break;
        case 3:
            s.name = "Ellipse";
            s.geometry = [=](Canvas& c) { c.Ellipse(a, b, d, e); };
            break;
        case 4:
            s.name = "RoundRect";
            s.geometry = [=](Canvas& c) { c.RoundRect(a, b, d, e, std::abs(f - a), std::abs(g - b)); };
            break;
        case 5:
            s.name = "Polygon";
            for (int k = n(rng); k > 0; --k) pts.push_back({X(rng), Y(rng)});
            s.geometry = [=](Canvas& c) { c.Polygon(pts); };
            break;
        case 6:
            s.name = "Pie";
            s.geometry = [=](Canvas& c) { c.Pie(a, b, d, e, f, g, i, j); };
            break;
        case 7:
            s.name = "Arc";
            s.geometry = [=](Canvas& c) { c.Arc(a, b, d, e, f, g, i, j); };
            break;
        default:
            s.name = "PolyBezier";
            pts = {{a, b}, {d, e}, {f, g}, {i, j}};
            for (int k = coin(rng) * 3; k > 0; --k) pts.push_back({X(rng), Y(rng)});
            s.geometry = [=](Canvas& c) { c.PolyBezier(pts); };
            break;
    }
    s.name += " width " + std::to_string(s.width) + (s.brush == BrushStyle::Solid ? " filled" : " clear") + " (" +
              std::to_string(a) + "," + std::to_string(b) + "," + std::to_string(d) + "," + std::to_string(e) + "," +
              std::to_string(f) + "," + std::to_string(g) + "," + std::to_string(i) + "," + std::to_string(j) + ")";
    return s;
}

Color RandomColor(std::mt19937& rng) {
    std::uniform_int_distribution<int> c(0, 255);
    return Color{uint8_t(c(rng)), uint8_t(c(rng)), uint8_t(c(rng))};
}

TEST(CanvasNotXor, EveryFigureDrawnTwiceRestoresTheRandomPicture) {
    std::mt19937 rng(20240611);
    int changedSomething = 0;
    const int kRounds = 600;
    for (int round = 0; round < kRounds; ++round) {
        Bitmap bmp(RandomPicture(61, 47, rng));
        Canvas& c = bmp.GetCanvas();
        const Shape s = RandomShape(rng, 61, 47);
        const Color pen = RandomColor(rng), brush = RandomColor(rng);
        const QImage before = bmp.Image().copy();
        c.TakeDirtyRect();
        Draw(c, s, PenMode::NotXor, pen, brush);
        const Change once = Diff(before, bmp.Image());
        const QRect dirty = c.TakeDirtyRect();
        EXPECT_TRUE(dirty.contains(once.bounds) || once.count == 0) << s.name;
        changedSomething += once.count > 0;
        Draw(c, s, PenMode::NotXor, pen, brush);
        ASSERT_EQ(Diff(before, bmp.Image()).count, 0) << s.name;
    }
    EXPECT_GT(changedSomething, kRounds * 3 / 4);
}

TEST(CanvasNotXor, StrokesOfARubberBandRestoreInTheSameOrder) {
    // A preview draws the same strokes twice, each a run of lines on a
    // picture that the first run already changed.
    std::mt19937 rng(7);
    Bitmap bmp(RandomPicture(80, 60, rng));
    Canvas& c = bmp.GetCanvas();
    const QImage before = bmp.Image().copy();
    c.SetPenMode(PenMode::NotXor);
    std::vector<TPoint> pts;
    std::uniform_int_distribution<int> X(-5, 85), Y(-5, 65);
    for (int k = 0; k < 40; ++k) pts.push_back({X(rng), Y(rng)});
    for (int w : {1, 2, 3, 4}) {
        c.SetPenWidth(w);
        for (int pass = 0; pass < 2; ++pass) {
            c.MoveTo(pts[0].X, pts[0].Y);
            for (const TPoint& p : pts) c.LineTo(p.X, p.Y);
        }
        ASSERT_EQ(Diff(before, bmp.Image()).count, 0) << "width " << w;
    }
}

// The pixels of a figure drawn in copy mode on a plain picture: where it put
// the pen colour (outline) and where the brush colour (inside).
struct Coverage {
    std::vector<char> kind;  // 0 none, 'o' outline, 'i' inside
};

Coverage CoverageOf(const Shape& s, int w, int h) {
    const QRgb plain = qRgb(10, 20, 30);
    const Color pen{200, 30, 60}, brush{40, 220, 90};
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(plain);
    Bitmap bmp(img);
    Draw(bmp.GetCanvas(), s, PenMode::Copy, pen, brush);
    Coverage cov;
    cov.kind.resize(size_t(w) * h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const QRgb v = bmp.Image().pixel(x, y);
            cov.kind[size_t(y) * w + x] = v == Rgb(pen) ? 'o' : v == Rgb(brush) ? 'i' : 0;
        }
    return cov;
}

TEST(CanvasNotXor, ChangesEachPixelOfTheCopyFigureOnceWithPenOrBrush) {
    std::mt19937 rng(99);
    for (int round = 0; round < 300; ++round) {
        const Shape s = RandomShape(rng, 53, 41);
        if (s.name.rfind("polyline", 0) == 0) continue;  // several figures, which may cross
        const Coverage cov = CoverageOf(s, 53, 41);
        const QImage picture = RandomPicture(53, 41, rng);
        const Color pen = RandomColor(rng), brush = RandomColor(rng);
        Bitmap bmp(picture);
        Draw(bmp.GetCanvas(), s, PenMode::NotXor, pen, brush);
        for (int y = 0; y < 41; ++y)
            for (int x = 0; x < 53; ++x) {
                const QRgb orig = picture.pixel(x, y);
                const char k = cov.kind[size_t(y) * 53 + x];
                const QRgb expected = k == 'o' ? (~(Rgb(pen) ^ orig) | 0xff000000u)
                                      : k == 'i' ? (~(Rgb(brush) ^ orig) | 0xff000000u)
                                                 : orig;
                ASSERT_EQ(bmp.Image().pixel(x, y), expected) << s.name << " at " << x << "," << y;
            }
    }
}

TEST(CanvasNotXor, WhiteBrushLeavesTheInsideAndARedPenShowsARingOnWhite) {
    // The eraser's marker: a red ring in not-xor on white, later covered by a
    // white disc in copy mode over the same box.
    for (int r : {5, 10}) {
        Bitmap bmp(60, 60);
        Canvas& c = bmp.GetCanvas();
        c.SetPenMode(PenMode::NotXor);
        c.SetPenColor(colors::Red);
        c.SetBrushColor(colors::White);
        c.Ellipse(30 - r, 30 - r, 30 + r, 30 + r);
        const QImage& img = bmp.Image();
        int red = 0;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 60; ++x) {
                const QRgb v = img.pixel(x, y);
                ASSERT_TRUE(v == qRgb(255, 255, 255) || v == qRgb(255, 0, 0)) << x << "," << y;
                red += v == qRgb(255, 0, 0);
            }
        EXPECT_EQ(img.pixel(30, 30), qRgb(255, 255, 255));
        EXPECT_EQ(img.pixel(30 - r, 30), qRgb(255, 0, 0));
        EXPECT_GT(red, 4 * r);

        c.SetPenMode(PenMode::Copy);
        c.SetPenColor(colors::White);
        c.Ellipse(30 - r, 30 - r, 30 + r, 30 + r);
        EXPECT_EQ(Ink(img, qRgb(255, 255, 255)).count, 0) << "radius " << r;
    }
}

TEST(CanvasNotXor, BlackPenOnWhiteShowsTheSameFigureAsCopyMode) {
    // Black inverts: on white the preview looks like the final figure.
    std::mt19937 rng(5);
    for (int round = 0; round < 100; ++round) {
        Shape s = RandomShape(rng, 50, 40);
        if (s.name.rfind("polyline", 0) == 0) continue;  // its wide lines overlap at the joints
        s.brush = BrushStyle::Clear;
        Bitmap copy(50, 40), notXor(50, 40);
        Draw(copy.GetCanvas(), s, PenMode::Copy, colors::Black, colors::White);
        Draw(notXor.GetCanvas(), s, PenMode::NotXor, colors::Black, colors::White);
        ASSERT_EQ(Diff(copy.Image(), notXor.Image()).count, 0) << s.name;
    }
}

TEST(CanvasRubberBand, WiderFinalFigureCoversTheNarrowerPreview) {
    // Previews are removed by drawing them again, except the last one, which
    // the final figure - the same figure, with a pen as wide or wider - must
    // cover entirely.
    std::mt19937 rng(17);
    const std::pair<int, int> widths[] = {{1, 2}, {1, 3}, {1, 4}, {2, 3}, {2, 4}, {3, 4}, {2, 2}, {3, 3}};
    for (int round = 0; round < 400; ++round) {
        Shape s = RandomShape(rng, 50, 40);
        s.brush = BrushStyle::Clear;
        for (auto [preview, final] : widths) {
            Bitmap bmp(50, 40);
            Canvas& c = bmp.GetCanvas();
            s.width = preview;
            Draw(c, s, PenMode::NotXor, colors::Black, colors::White);
            s.width = final;
            Draw(c, s, PenMode::Copy, kRed, colors::White);
            int left = 0;
            for (int y = 0; y < 40; ++y)
                for (int x = 0; x < 50; ++x) left += bmp.Image().pixel(x, y) == qRgb(0, 0, 0);
            ASSERT_EQ(left, 0) << Dump(bmp.Image(), bmp.Image().rect(), qRgb(255, 255, 255), 0, Rgb(kRed))
                << s.name << " preview " << preview << " final " << final;
        }
    }
}

}  // namespace
