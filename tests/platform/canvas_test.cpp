// The canvas conventions, checked on pixels: lines without their end pixel,
// the box convention of the box figures for pen widths 1-4, alternate
// filling, the direction of pies and arcs, curves, text and pixel access.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <array>
#include <climits>
#include <functional>
#include <set>
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

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);

std::set<std::pair<int, int>> InkSet(const QImage& img) {
    std::set<std::pair<int, int>> s;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != kWhite) s.insert({x, y});
    return s;
}

// The part of `img` reachable from its border through pixels of colour
// `through` (4-connected).
std::vector<bool> ReachFromBorder(const QImage& img, QRgb through) {
    const int w = img.width(), h = img.height();
    std::vector<bool> seen(size_t(w) * h, false);
    std::vector<std::pair<int, int>> todo;
    const auto push = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= h) return;
        if (seen[size_t(y) * w + x] || img.pixel(x, y) != through) return;
        seen[size_t(y) * w + x] = true;
        todo.push_back({x, y});
    };
    for (int x = 0; x < w; ++x) push(x, 0), push(x, h - 1);
    for (int y = 0; y < h; ++y) push(0, y), push(w - 1, y);
    while (!todo.empty()) {
        auto [x, y] = todo.back();
        todo.pop_back();
        push(x + 1, y), push(x - 1, y), push(x, y + 1), push(x, y - 1);
    }
    return seen;
}

// ---------------------------------------------------------------- defaults

TEST(CanvasDefaults, FreshCanvasAndResetGiveTheDefaultSettings) {
    Bitmap bmp(20, 20);
    Canvas& c = bmp.GetCanvas();
    const auto expectDefaults = [&] {
        EXPECT_EQ(c.PenColor(), colors::Black);
        EXPECT_EQ(c.PenWidth(), 1);
        EXPECT_EQ(c.GetPenMode(), PenMode::Copy);
        EXPECT_EQ(c.BrushColor(), colors::White);
        EXPECT_EQ(c.GetBrushStyle(), BrushStyle::Solid);
        EXPECT_EQ(c.FontColor(), colors::Black);
        EXPECT_EQ(c.Font(), Canvas::DefaultFont());
        EXPECT_EQ(c.PenPos(), (TPoint{0, 0}));
    };
    expectDefaults();

    c.SetPenColor(kRed);
    c.SetPenWidth(3);
    c.SetPenMode(PenMode::NotXor);
    c.SetBrushColor(kGreen);
    c.SetBrushStyle(BrushStyle::Clear);
    c.SetFontColor(kYellow);
    c.MoveTo(7, 8);
    c.LineTo(12, 8);
    c.Ellipse(1, 1, 9, 9);
    // Settings persist across drawing.
    EXPECT_EQ(c.PenColor(), kRed);
    EXPECT_EQ(c.PenWidth(), 3);
    EXPECT_EQ(c.GetPenMode(), PenMode::NotXor);
    EXPECT_EQ(c.BrushColor(), kGreen);
    EXPECT_EQ(c.GetBrushStyle(), BrushStyle::Clear);
    EXPECT_EQ(c.FontColor(), kYellow);
    EXPECT_EQ(c.PenPos(), (TPoint{12, 8}));

    c.ResetDefaults();
    expectDefaults();
}

TEST(CanvasDefaults, DefaultFontIsAnEightPointFontThatDrawsJapanese) {
    const QFont f = Canvas::DefaultFont();
    EXPECT_EQ(f.pointSize(), 8);
    EXPECT_EQ(QFontInfo(f).family(), QStringLiteral("IPAPGothic"));
    const QFontMetrics fm(f);
    for (char32_t ch : {U'仕', U'掛', U'け', U'図', U'ポ', U'ン'}) EXPECT_TRUE(fm.inFontUcs4(ch)) << int(ch);
}

TEST(CanvasDefaults, PenWidthBelowOneCountsAsOne) {
    Bitmap bmp(4, 4);
    Canvas& c = bmp.GetCanvas();
    c.SetPenWidth(0);
    EXPECT_EQ(c.PenWidth(), 1);
    c.SetPenWidth(-5);
    EXPECT_EQ(c.PenWidth(), 1);
}

// ---------------------------------------------------------------- lines

struct LineCase {
    const char* name;
    TPoint from, to;
};

const LineCase kLines[] = {
    {"right", {10, 30}, {40, 30}},      {"left", {40, 30}, {10, 30}},        {"down", {30, 10}, {30, 40}},
    {"up", {30, 40}, {30, 10}},         {"down-right", {10, 10}, {40, 40}}, {"up-left", {40, 40}, {10, 10}},
    {"down-left", {40, 10}, {10, 40}},  {"up-right", {10, 40}, {40, 10}},   {"shallow", {10, 30}, {45, 37}},
    {"steep", {30, 10}, {34, 45}},      {"one step", {20, 20}, {21, 20}},   {"one diagonal step", {20, 20}, {19, 21}},
};

int Sign(int v) { return (v > 0) - (v < 0); }

TEST(CanvasLineTo, LeavesOutTheEndPixelAndMovesThePenForEveryWidth) {
    for (const LineCase& lc : kLines)
        for (int w = 1; w <= 4; ++w) {
            SCOPED_TRACE(std::string(lc.name) + " width " + std::to_string(w));
            Bitmap bmp(60, 60);
            Canvas& c = bmp.GetCanvas();
            c.SetPenWidth(w);
            c.MoveTo(lc.from.X, lc.from.Y);
            c.LineTo(lc.to.X, lc.to.Y);
            const QImage& img = bmp.Image();
            EXPECT_EQ(c.PenPos(), lc.to);
            EXPECT_EQ(img.pixel(lc.from.X, lc.from.Y), kBlack) << "start pixel";
            EXPECT_EQ(img.pixel(lc.to.X, lc.to.Y), kWhite) << "end pixel";
            const int sx = Sign(lc.to.X - lc.from.X), sy = Sign(lc.to.Y - lc.from.Y);
            const bool straight = lc.from.X == lc.to.X || lc.from.Y == lc.to.Y ||
                                  std::abs(lc.to.X - lc.from.X) == std::abs(lc.to.Y - lc.from.Y);
            if (straight) {
                for (int k = 1; k <= 3; ++k)
                    EXPECT_EQ(img.pixel(lc.to.X + k * sx, lc.to.Y + k * sy), kWhite) << "beyond the end, " << k;
            }
            // Everything within the segment's box widened by the pen.
            const QRect allowed(QPoint(std::min(lc.from.X, lc.to.X) - w / 2, std::min(lc.from.Y, lc.to.Y) - w / 2),
                                QPoint(std::max(lc.from.X, lc.to.X) + (w - 1) / 2,
                                       std::max(lc.from.Y, lc.to.Y) + (w - 1) / 2));
            const Change ink = Ink(img, kWhite);
            EXPECT_TRUE(allowed.contains(ink.bounds)) << Dump(img, allowed.adjusted(-3, -3, 3, 3), kWhite, kBlack, 0);
            if (w == 1) {  // one pixel per step along the major axis
                EXPECT_EQ(ink.count, std::max(std::abs(lc.to.X - lc.from.X), std::abs(lc.to.Y - lc.from.Y)));
            }
        }
}

TEST(CanvasLineTo, AxisLinesAreBandsOfThePenWidthAboveAndLeftForEvenWidths) {
    for (int w = 1; w <= 4; ++w)
        for (bool reversed : {false, true}) {
            SCOPED_TRACE("width " + std::to_string(w) + (reversed ? " reversed" : ""));
            Bitmap bmp(60, 60);
            Canvas& c = bmp.GetCanvas();
            c.SetPenWidth(w);
            // Horizontal along row 20 over columns 10..29, vertical along
            // column 40 over rows 30..49 (the end pixel is the far one).
            c.MoveTo(reversed ? 30 : 10, 20);
            c.LineTo(reversed ? 10 : 30, 20);
            c.MoveTo(40, reversed ? 50 : 30);
            c.LineTo(40, reversed ? 30 : 50);
            const QImage& img = bmp.Image();
            const int lo = w / 2, hi = (w - 1) / 2;
            const QRect horizontal(QPoint(reversed ? 11 : 10, 20 - lo), QPoint(reversed ? 30 : 29, 20 + hi));
            const QRect vertical(QPoint(40 - lo, reversed ? 31 : 30), QPoint(40 + hi, reversed ? 50 : 49));
            for (int y = 0; y < 60; ++y)
                for (int x = 0; x < 60; ++x) {
                    const bool expected = horizontal.contains(x, y) || vertical.contains(x, y);
                    ASSERT_EQ(img.pixel(x, y) == kBlack, expected)
                        << x << "," << y << Dump(img, QRect(5, 15, 50, 40), kWhite, kBlack, 0);
                }
        }
}

TEST(CanvasLineTo, ThinLineCoversTheSamePixelsEitherWayApartFromItsEnds) {
    for (const LineCase& lc : kLines) {
        SCOPED_TRACE(lc.name);
        Bitmap forward(60, 60), backward(60, 60);
        forward.GetCanvas().MoveTo(lc.from.X, lc.from.Y);
        forward.GetCanvas().LineTo(lc.to.X, lc.to.Y);
        forward.GetCanvas().SetPixel(lc.to.X, lc.to.Y, colors::Black);
        backward.GetCanvas().MoveTo(lc.to.X, lc.to.Y);
        backward.GetCanvas().LineTo(lc.from.X, lc.from.Y);
        backward.GetCanvas().SetPixel(lc.from.X, lc.from.Y, colors::Black);
        EXPECT_EQ(InkSet(forward.Image()), InkSet(backward.Image()));
    }
}

TEST(CanvasLineTo, ZeroLengthLineDrawsNothingForAnyWidthOrMode) {
    for (int w = 1; w <= 4; ++w)
        for (PenMode mode : {PenMode::Copy, PenMode::NotXor}) {
            Bitmap bmp(20, 20);
            Canvas& c = bmp.GetCanvas();
            c.TakeDirtyRect();
            c.SetPenWidth(w);
            c.SetPenMode(mode);
            c.MoveTo(10, 10);
            c.LineTo(10, 10);
            EXPECT_EQ(Ink(bmp.Image(), kWhite).count, 0) << "width " << w;
            EXPECT_TRUE(c.TakeDirtyRect().isEmpty());
            EXPECT_EQ(c.PenPos(), (TPoint{10, 10}));
        }
}

TEST(CanvasLineTo, DrawsInThePenColour) {
    Bitmap bmp(20, 20);
    Canvas& c = bmp.GetCanvas();
    c.SetPenColor(kGreen);
    c.MoveTo(2, 5);
    c.LineTo(12, 5);
    EXPECT_EQ(bmp.Image().pixel(6, 5), Rgb(kGreen));
}

// ---------------------------------------------------------------- box figures

struct BoxFigure {
    const char* name;
    std::function<void(Canvas&, int, int, int, int)> draw;
};

const BoxFigure kBoxFigures[] = {
    {"Rectangle", [](Canvas& c, int a, int b, int d, int e) { c.Rectangle(a, b, d, e); }},
    {"Ellipse", [](Canvas& c, int a, int b, int d, int e) { c.Ellipse(a, b, d, e); }},
    {"RoundRect", [](Canvas& c, int a, int b, int d, int e) { c.RoundRect(a, b, d, e, 8, 6); }},
    {"Pie", [](Canvas& c, int a, int b, int d, int e) { c.Pie(a, b, d, e, d, (b + e) / 2, a, (b + e) / 2); }},
};

struct BoxCase {
    int x1, y1, x2, y2;  // normalised
};

const BoxCase kBoxes[] = {{10, 12, 31, 26}, {12, 10, 20, 30}, {10, 10, 13, 13}, {10, 10, 12, 12}, {10, 10, 11, 20}};

// The box the figure must stay in: x1 - w/2 .. x2-1 + (w-1)/2, rows alike.
QRect Extent(const BoxCase& b, int w) {
    return QRect(QPoint(b.x1 - w / 2, b.y1 - w / 2), QPoint(b.x2 - 1 + (w - 1) / 2, b.y2 - 1 + (w - 1) / 2));
}

TEST(CanvasBoxFigures, StayWithinTheBoxWidenedByThePen) {
    for (const BoxFigure& fig : kBoxFigures)
        for (const BoxCase& box : kBoxes)
            for (int w = 1; w <= 4; ++w)
                for (BrushStyle style : {BrushStyle::Solid, BrushStyle::Clear}) {
                    SCOPED_TRACE(std::string(fig.name) + " box " + std::to_string(box.x1) + "," +
                                 std::to_string(box.y1) + "-" + std::to_string(box.x2) + "," + std::to_string(box.y2) +
                                 " width " + std::to_string(w) + (style == BrushStyle::Solid ? " filled" : " clear"));
                    Bitmap bmp(45, 45);
                    Canvas& c = bmp.GetCanvas();
                    c.SetPenWidth(w);
                    c.SetBrushColor(kRed);
                    c.SetBrushStyle(style);
                    fig.draw(c, box.x1, box.y1, box.x2, box.y2);
                    const QImage& img = bmp.Image();
                    const Change ink = Ink(img, kWhite);
                    const QRect extent = Extent(box, w);
                    // Along curves, the extra row or column that an even
                    // width has above / left of a level or upright path may
                    // be missing at the curve's extreme.
                    const QRect core(QPoint(box.x1 - (w - 1) / 2, box.y1 - (w - 1) / 2),
                                     QPoint(box.x2 - 1 + (w - 1) / 2, box.y2 - 1 + (w - 1) / 2));
                    const std::string pic = Dump(img, extent.adjusted(-2, -2, 2, 2), kWhite, kBlack, Rgb(kRed));
                    const std::string name = fig.name;
                    if (name == "Rectangle") {
                        EXPECT_EQ(ink.bounds, extent) << pic;
                    } else if (name == "Pie") {  // the upper half
                        EXPECT_TRUE(extent.contains(ink.bounds)) << pic;
                        EXPECT_LE(ink.bounds.top(), core.top()) << pic;
                    } else {
                        EXPECT_TRUE(extent.contains(ink.bounds)) << pic;
                        EXPECT_TRUE(ink.bounds.contains(core)) << pic;
                    }
                }
}

TEST(CanvasBoxFigures, RectanglePixelsFollowThePenConvention) {
    const BoxCase box{10, 12, 31, 26};
    for (int w = 1; w <= 4; ++w)
        for (BrushStyle style : {BrushStyle::Solid, BrushStyle::Clear}) {
            SCOPED_TRACE("width " + std::to_string(w));
            Bitmap bmp(45, 45);
            Canvas& c = bmp.GetCanvas();
            c.SetPenWidth(w);
            c.SetBrushColor(kRed);
            c.SetBrushStyle(style);
            c.Rectangle(box.x1, box.y1, box.x2, box.y2);
            const QRect outer = Extent(box, w);
            // The band of each border pixel line: w/2 outwards above / left,
            // (w-1)/2 outwards below / right.
            const QRect inner(QPoint(box.x1 + (w - 1) / 2 + 1, box.y1 + (w - 1) / 2 + 1),
                              QPoint(box.x2 - 1 - w / 2 - 1, box.y2 - 1 - w / 2 - 1));
            const QImage& img = bmp.Image();
            for (int y = 0; y < 45; ++y)
                for (int x = 0; x < 45; ++x) {
                    const QRgb expected = inner.contains(x, y) ? (style == BrushStyle::Solid ? Rgb(kRed) : kWhite)
                                          : outer.contains(x, y) ? kBlack
                                                                 : kWhite;
                    ASSERT_EQ(img.pixel(x, y), expected) << x << "," << y << Dump(img, outer, kWhite, kBlack, Rgb(kRed));
                }
        }
}

TEST(CanvasBoxFigures, OutlineIsClosedAndTheFillLeavesNoGap) {
    for (const BoxFigure& fig : kBoxFigures)
        for (int w = 1; w <= 4; ++w) {
            SCOPED_TRACE(std::string(fig.name) + " width " + std::to_string(w));
            for (BrushStyle style : {BrushStyle::Solid, BrushStyle::Clear}) {
                Bitmap bmp(45, 45);
                Canvas& c = bmp.GetCanvas();
                c.SetPenWidth(w);
                c.SetBrushColor(kRed);
                c.SetBrushStyle(style);
                fig.draw(c, 8, 6, 37, 39);
                const QImage& img = bmp.Image();
                const std::vector<bool> outside = ReachFromBorder(img, kWhite);
                const std::string pic = Dump(img, img.rect(), kWhite, kBlack, Rgb(kRed));
                // The figure's inside (below the pie's radii) is never
                // reached from the border through white.
                EXPECT_FALSE(outside[size_t(18) * 45 + 22]) << pic;
                if (style == BrushStyle::Solid) {
                    for (int i = 0; i < 45 * 45; ++i)
                        ASSERT_TRUE(outside[size_t(i)] || img.pixel(i % 45, i / 45) != kWhite)
                            << "white hole at " << i % 45 << "," << i / 45 << pic;
                }
            }
        }
}

TEST(CanvasBoxFigures, ReversedCornersDrawTheSameFigure) {
    const BoxCase box{10, 12, 31, 26};
    const std::array<std::array<int, 4>, 3> reversed = {{{31, 26, 10, 12}, {10, 26, 31, 12}, {31, 12, 10, 26}}};
    for (const BoxFigure& fig : kBoxFigures)
        for (int w = 1; w <= 4; ++w) {
            Bitmap expected(45, 45);
            expected.GetCanvas().SetPenWidth(w);
            expected.GetCanvas().SetBrushColor(kRed);
            if (std::string(fig.name) == "Pie") continue;  // its radials say which part; not symmetric
            fig.draw(expected.GetCanvas(), box.x1, box.y1, box.x2, box.y2);
            for (const auto& r : reversed) {
                Bitmap bmp(45, 45);
                bmp.GetCanvas().SetPenWidth(w);
                bmp.GetCanvas().SetBrushColor(kRed);
                fig.draw(bmp.GetCanvas(), r[0], r[1], r[2], r[3]);
                EXPECT_EQ(bmp.Image(), expected.Image()) << fig.name << " width " << w;
            }
        }
}

TEST(CanvasBoxFigures, ZeroWidthOrHeightDrawsNothing) {
    const std::function<void(Canvas&, int, int, int, int)> ops[] = {
        [](Canvas& c, int a, int b, int d, int e) { c.Rectangle(a, b, d, e); },
        [](Canvas& c, int a, int b, int d, int e) { c.Ellipse(a, b, d, e); },
        [](Canvas& c, int a, int b, int d, int e) { c.RoundRect(a, b, d, e, 30, 30); },
        [](Canvas& c, int a, int b, int d, int e) { c.Pie(a, b, d, e, 0, 0, 5, 40); },
        [](Canvas& c, int a, int b, int d, int e) { c.Arc(a, b, d, e, 0, 0, 0, 0); },
    };
    const std::array<int, 4> boxes[] = {{10, 10, 10, 30}, {10, 20, 30, 20}, {15, 15, 15, 15}, {30, 10, 30, 5}};
    for (size_t op = 0; op < std::size(ops); ++op)
        for (const auto& b : boxes)
            for (int w = 1; w <= 4; ++w)
                for (PenMode mode : {PenMode::Copy, PenMode::NotXor}) {
                    Bitmap bmp(40, 40);
                    Canvas& c = bmp.GetCanvas();
                    c.SetPenWidth(w);
                    c.SetPenMode(mode);
                    c.SetBrushColor(kRed);
                    ops[op](c, b[0], b[1], b[2], b[3]);
                    EXPECT_EQ(Ink(bmp.Image(), kWhite).count, 0) << "op " << op << " width " << w;
                    EXPECT_TRUE(c.TakeDirtyRect().isEmpty());
                }
}

TEST(CanvasBoxFigures, SmallEllipseIsSymmetric) {
    // An eraser-sized disc and the 6 x 6 ring of a swivel.
    for (const BoxCase& box : {BoxCase{10, 10, 20, 20}, BoxCase{10, 10, 16, 16}, BoxCase{10, 10, 20, 30}}) {
        Bitmap bmp(40, 40);
        bmp.GetCanvas().SetBrushStyle(BrushStyle::Clear);
        bmp.GetCanvas().Ellipse(box.x1, box.y1, box.x2, box.y2);
        const QImage& img = bmp.Image();
        for (int y = box.y1; y < box.y2; ++y)
            for (int x = box.x1; x < box.x2; ++x) {
                const int mx = box.x1 + box.x2 - 1 - x, my = box.y1 + box.y2 - 1 - y;
                ASSERT_EQ(img.pixel(x, y), img.pixel(mx, y)) << x << "," << y << Dump(img, img.rect(), kWhite, kBlack, 0);
                ASSERT_EQ(img.pixel(x, y), img.pixel(x, my)) << x << "," << y << Dump(img, img.rect(), kWhite, kBlack, 0);
            }
    }
}

// ---------------------------------------------------------------- polygon

TEST(CanvasPolygon, SquareIsOutlinedThroughItsVerticesAndFilledInside) {
    Bitmap bmp(30, 30);
    Canvas& c = bmp.GetCanvas();
    c.SetBrushColor(kRed);
    const TPoint square[] = {{10, 10}, {20, 10}, {20, 20}, {10, 20}};
    c.Polygon(square);
    const QImage& img = bmp.Image();
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x) {
            const bool border = (x == 10 || x == 20 || y == 10 || y == 20) && x >= 10 && x <= 20 && y >= 10 && y <= 20;
            const bool inside = x > 10 && x < 20 && y > 10 && y < 20;
            ASSERT_EQ(img.pixel(x, y), border ? kBlack : inside ? Rgb(kRed) : kWhite) << x << "," << y;
        }
}

TEST(CanvasPolygon, SelfOverlappingStarLeavesItsCentreUnfilled) {
    // A five-pointed star drawn in one stroke: its centre pentagon is
    // enclosed twice, so alternate filling leaves it empty.
    Bitmap bmp(80, 80);
    Canvas& c = bmp.GetCanvas();
    c.SetBrushColor(kRed);
    const TPoint star[] = {{40, 5}, {61, 69}, {6, 29}, {74, 29}, {19, 69}};
    c.Polygon(star);
    const QImage& img = bmp.Image();
    const std::string pic = Dump(img, img.rect(), kWhite, kBlack, Rgb(kRed));
    EXPECT_EQ(img.pixel(40, 40), kWhite) << pic;
    for (const QPoint tip : {QPoint(40, 15), QPoint(15, 31), QPoint(65, 31), QPoint(24, 62), QPoint(56, 62)})
        EXPECT_EQ(img.pixel(tip), Rgb(kRed)) << tip.x() << "," << tip.y() << pic;
    for (const TPoint& v : star) EXPECT_EQ(img.pixel(v.X, v.Y), kBlack) << "vertex " << v.X << "," << v.Y;
}

TEST(CanvasPolygon, FewerThanTwoPointsDrawNothing) {
    Bitmap bmp(20, 20);
    Canvas& c = bmp.GetCanvas();
    c.Polygon(std::span<const TPoint>());
    const TPoint one[] = {{5, 5}};
    c.Polygon(one);
    EXPECT_EQ(Ink(bmp.Image(), kWhite).count, 0);
}

// ---------------------------------------------------------------- pie and arc

// Box (10, 10)-(110, 110); its quarters, probed well inside.
enum Quarter { UpperRight, UpperLeft, LowerLeft, LowerRight };
const QPoint kProbe[] = {{85, 35}, {35, 35}, {35, 85}, {85, 85}};
const TPoint kRight{110, 60}, kTop{60, 10}, kLeft{10, 60}, kBottom{60, 110};

struct SweepCase {
    const char* name;
    TPoint from, to;
    std::set<Quarter> covered;
};

const SweepCase kSweeps[] = {
    {"right to top", kRight, kTop, {UpperRight}},
    {"top to right", kTop, kRight, {UpperLeft, LowerLeft, LowerRight}},
    {"right to left", kRight, kLeft, {UpperRight, UpperLeft}},
    {"left to right", kLeft, kRight, {LowerLeft, LowerRight}},
    {"top to bottom", kTop, kBottom, {UpperLeft, LowerLeft}},
    {"bottom to top", kBottom, kTop, {LowerRight, UpperRight}},
    {"same radial", kRight, kRight, {UpperRight, UpperLeft, LowerLeft, LowerRight}},
    {"same radial, farther point", kRight, {300, 60}, {UpperRight, UpperLeft, LowerLeft, LowerRight}},
};

TEST(CanvasPieArc, PieRunsCounterClockwiseOnScreenFromTheFirstRadial) {
    for (const SweepCase& sc : kSweeps) {
        SCOPED_TRACE(sc.name);
        Bitmap bmp(120, 120);
        Canvas& c = bmp.GetCanvas();
        c.SetBrushColor(kRed);
        c.Pie(10, 10, 110, 110, sc.from.X, sc.from.Y, sc.to.X, sc.to.Y);
        for (Quarter q : {UpperRight, UpperLeft, LowerLeft, LowerRight})
            EXPECT_EQ(bmp.Image().pixel(kProbe[q]), sc.covered.count(q) ? Rgb(kRed) : kWhite) << "quarter " << q;
    }
}

TEST(CanvasPieArc, PieIsClosedByItsRadii) {
    Bitmap bmp(120, 120);
    Canvas& c = bmp.GetCanvas();
    c.SetBrushStyle(BrushStyle::Clear);
    c.Pie(10, 10, 110, 110, kRight.X, kRight.Y, kTop.X, kTop.Y);
    const QImage& img = bmp.Image();
    // Both radii run from the centre: along row 59 or 60 to the right and up
    // column 59 or 60.
    for (int k = 65; k < 105; k += 5) {
        EXPECT_TRUE(img.pixel(k, 59) == kBlack || img.pixel(k, 60) == kBlack) << "right radius at " << k;
        EXPECT_TRUE(img.pixel(59, 120 - k) == kBlack || img.pixel(60, 120 - k) == kBlack) << "upper radius at " << k;
    }
    const std::vector<bool> outside = ReachFromBorder(img, kWhite);
    EXPECT_FALSE(outside[size_t(kProbe[UpperRight].y()) * 120 + kProbe[UpperRight].x()]);
}

TEST(CanvasPieArc, ArcDrawsOnlyTheCounterClockwisePart) {
    for (const SweepCase& sc : kSweeps) {
        SCOPED_TRACE(sc.name);
        Bitmap bmp(120, 120);
        Canvas& c = bmp.GetCanvas();
        c.SetBrushColor(kRed);
        c.Arc(10, 10, 110, 110, sc.from.X, sc.from.Y, sc.to.X, sc.to.Y);
        const QImage& img = bmp.Image();
        EXPECT_EQ(img.pixel(60, 60), kWhite);  // no radii, no fill
        // Ink in each quarter, away from the axes.
        const QRect quarterRect[] = {QRect(QPoint(63, 5), QPoint(115, 56)), QRect(QPoint(5, 5), QPoint(56, 56)),
                                     QRect(QPoint(5, 63), QPoint(56, 115)), QRect(QPoint(63, 63), QPoint(115, 115))};
        for (Quarter q : {UpperRight, UpperLeft, LowerLeft, LowerRight}) {
            int count = 0;
            const QRect r = quarterRect[q];
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x) count += img.pixel(x, y) == kBlack;
            if (sc.covered.count(q))
                EXPECT_GT(count, 40) << "quarter " << q;
            else
                EXPECT_EQ(count, 0) << "quarter " << q;
        }
    }
}

TEST(CanvasPieArc, RadialsStartAtTheBoxCentre) {
    // The lower half of the 8-pixel circle of the sinker-arm's sinker: radials
    // through the left and right middle points of the box are level.
    Bitmap bmp(30, 30);
    Canvas& c = bmp.GetCanvas();
    c.SetBrushColor(colors::Black);
    c.Pie(6, 10, 14, 18, 6, 14, 14, 14);
    const Change ink = Ink(bmp.Image(), kWhite);
    EXPECT_EQ(ink.bounds, QRect(QPoint(6, 13), QPoint(13, 17)))
        << Dump(bmp.Image(), QRect(0, 5, 20, 20), kWhite, kBlack, 0);
}

// ---------------------------------------------------------------- curves

TEST(CanvasPolyBezier, LevelCurveDrawsLikeALineAndLeavesThePenPosition) {
    for (int w = 1; w <= 4; ++w) {
        Bitmap curve(60, 40), line(60, 40);
        curve.GetCanvas().SetPenWidth(w);
        curve.GetCanvas().MoveTo(3, 3);
        const TPoint pts[] = {{10, 20}, {20, 20}, {35, 20}, {50, 20}};
        curve.GetCanvas().PolyBezier(pts);
        EXPECT_EQ(curve.GetCanvas().PenPos(), (TPoint{3, 3}));
        line.GetCanvas().SetPenWidth(w);
        line.GetCanvas().MoveTo(10, 20);
        line.GetCanvas().LineTo(50, 20);
        EXPECT_EQ(curve.Image(), line.Image()) << "width " << w;
    }
}

TEST(CanvasPolyBezier, CurveRunsFromFirstToLastPointWithThePenOnly) {
    for (int w = 1; w <= 4; ++w) {
        SCOPED_TRACE("width " + std::to_string(w));
        Bitmap bmp(60, 60);
        Canvas& c = bmp.GetCanvas();
        c.SetPenWidth(w);
        c.SetBrushColor(kRed);
        c.MoveTo(1, 1);
        // A closed-looking arch: the brush would show inside if it were used.
        const TPoint pts[] = {{10, 50}, {10, 10}, {50, 10}, {50, 50}};
        c.PolyBezier(pts);
        const QImage& img = bmp.Image();
        const std::string pic = Dump(img, img.rect(), kWhite, kBlack, Rgb(kRed));
        EXPECT_EQ(img.pixel(10, 50), kBlack) << "start" << pic;
        EXPECT_EQ(img.pixel(50, 50), kWhite) << "end" << pic;
        EXPECT_EQ(img.pixel(50, 49), kBlack) << "just before the end" << pic;
        // The curve's middle, B(1/2) = (30, 20).
        EXPECT_EQ(img.pixel(30, 20), kBlack) << pic;
        EXPECT_EQ(img.pixel(30, 35), kWhite) << pic;
        EXPECT_EQ(img.pixel(1, 1), kWhite);
        EXPECT_EQ(c.PenPos(), (TPoint{1, 1}));
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 60; ++x) ASSERT_NE(img.pixel(x, y), Rgb(kRed)) << pic;
    }
}

TEST(CanvasPolyBezier, CurveOnAStraightLineRunsBackBeyondItsStart) {
    // Control points in line with the ends but beyond the start: the curve
    // first rises from y = 50 to y = 32, then runs down to y = 90.
    for (int w = 1; w <= 4; ++w) {
        Bitmap bmp(40, 100);
        bmp.GetCanvas().SetPenWidth(w);
        const TPoint pts[] = {{20, 50}, {20, 30}, {20, 10}, {20, 90}};
        bmp.GetCanvas().PolyBezier(pts);
        // The turn, at y = 32.1, in the middle of the pen.
        const Change ink = Ink(bmp.Image(), kWhite);
        EXPECT_LE(ink.bounds.top(), 32) << "width " << w;
        EXPECT_GE(ink.bounds.top(), 32 - w / 2) << "width " << w;
        EXPECT_EQ(ink.bounds.bottom(), 89) << "width " << w;
    }
}

TEST(CanvasPolyBezier, SevenPointsDrawTwoJoinedCurvesAndTooFewDrawNothing) {
    Bitmap bmp(80, 40);
    Canvas& c = bmp.GetCanvas();
    const TPoint three[] = {{5, 5}, {20, 5}, {30, 30}};
    c.PolyBezier(three);
    EXPECT_EQ(Ink(bmp.Image(), kWhite).count, 0);
    const TPoint seven[] = {{5, 30}, {5, 10}, {35, 10}, {35, 30}, {35, 10}, {65, 10}, {65, 30}};
    c.PolyBezier(seven);
    const QImage& img = bmp.Image();
    EXPECT_EQ(img.pixel(20, 15), kBlack) << Dump(img, img.rect(), kWhite, kBlack, 0);
    EXPECT_EQ(img.pixel(50, 15), kBlack) << Dump(img, img.rect(), kWhite, kBlack, 0);
    EXPECT_EQ(img.pixel(35, 30), kBlack) << "joint";
}

// ---------------------------------------------------------------- text

TEST(CanvasText, SolidBrushFillsTheTextCellAndThePenMovesPastTheText) {
    Bitmap bmp(160, 40);
    Canvas& c = bmp.GetCanvas();
    c.SetBrushColor(kYellow);
    const QString text = QString::fromUtf8("仕掛け図 Abc");
    const int w = c.TextWidth(text), h = c.TextHeight(text);
    ASSERT_GT(w, 30);
    ASSERT_GE(h, 10);
    c.TextOut(7, 9, text);
    EXPECT_EQ(c.PenPos(), (TPoint{7 + w, 9}));
    const QImage& img = bmp.Image();
    const QRect cell(7, 9, w, h);
    int ink = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb v = img.pixel(x, y);
            if (!cell.contains(x, y)) {
                ASSERT_EQ(v, kWhite) << x << "," << y;
            } else {
                ASSERT_TRUE(v == Rgb(kYellow) || v == kBlack) << x << "," << y;  // no smoothing
                ink += v == kBlack;
            }
        }
    EXPECT_GT(ink, 60);
    EXPECT_EQ(img.pixel(cell.topLeft()), Rgb(kYellow));
    EXPECT_EQ(img.pixel(cell.bottomRight()), Rgb(kYellow));
}

TEST(CanvasText, ClearBrushLeavesTheBackgroundAndTextIgnoresThePenMode) {
    Bitmap bmp(160, 40);
    Canvas& c = bmp.GetCanvas();
    c.SetBrushColor(kYellow);
    c.SetBrushStyle(BrushStyle::Clear);
    c.SetPenMode(PenMode::NotXor);
    c.SetFontColor(kGreen);
    const QString text = QString::fromUtf8("ポイント図");
    c.TextOut(5, 5, text);
    const QImage& img = bmp.Image();
    const QRect cell(5, 5, c.TextWidth(text), c.TextHeight(text));
    int ink = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb v = img.pixel(x, y);
            ASSERT_TRUE(v == kWhite || (v == Rgb(kGreen) && cell.contains(x, y))) << x << "," << y;
            ink += v == Rgb(kGreen);
        }
    EXPECT_GT(ink, 40);
}

TEST(CanvasText, EmptyTextDrawsNothingButStillSetsThePenPosition) {
    Bitmap bmp(40, 40);
    Canvas& c = bmp.GetCanvas();
    c.SetBrushColor(kYellow);
    c.TextOut(12, 13, QString());
    EXPECT_EQ(c.PenPos(), (TPoint{12, 13}));
    EXPECT_EQ(Ink(bmp.Image(), kWhite).count, 0);
}

TEST(CanvasText, PictureResolutionDoesNotChangeTheTextSize) {
    // A loaded picture may claim any resolution; text keeps its pixel size.
    Bitmap plain(160, 40);
    QImage img72(160, 40, QImage::Format_RGB32);
    img72.fill(Qt::white);
    img72.setDotsPerMeterX(2835);  // 72 dpi
    img72.setDotsPerMeterY(2835);
    Bitmap loaded(img72);
    const QString text = QString::fromUtf8("仕掛け図");
    plain.GetCanvas().TextOut(3, 3, text);
    loaded.GetCanvas().TextOut(3, 3, text);
    EXPECT_EQ(Ink(loaded.Image(), kWhite).bounds, Ink(plain.Image(), kWhite).bounds);
    EXPECT_EQ(Diff(plain.Image(), loaded.Image()).count, 0);
}

// ---------------------------------------------------------------- pixels

TEST(CanvasPixel, ReadsOutsideGiveNoColourAndWritesOutsideAreIgnored) {
    Bitmap bmp(7, 5);
    Canvas& c = bmp.GetCanvas();
    const QImage before = bmp.Image();
    const std::pair<int, int> outside[] = {{-1, 0}, {0, -1}, {7, 0}, {0, 5}, {7, 5},
                                           {INT_MIN, 0}, {0, INT_MAX}, {INT_MAX, INT_MIN}};
    for (auto [x, y] : outside) {
        EXPECT_FALSE(c.Pixel(x, y).has_value()) << x << "," << y;
        c.SetPixel(x, y, kRed);
    }
    EXPECT_EQ(bmp.Image(), before);
    EXPECT_TRUE(c.TakeDirtyRect().isEmpty());
    EXPECT_EQ(c.Pixel(0, 0), colors::White);
    EXPECT_EQ(c.Pixel(6, 4), colors::White);
}

TEST(CanvasPixel, WriteSetsTheColourWhateverThePenMode) {
    Bitmap bmp(7, 5);
    Canvas& c = bmp.GetCanvas();
    c.SetPenMode(PenMode::NotXor);
    c.SetPixel(3, 2, kGreen);
    c.SetPixel(3, 2, kGreen);
    EXPECT_EQ(c.Pixel(3, 2), kGreen);
    EXPECT_EQ(bmp.Image().pixel(3, 2), Rgb(kGreen));
    EXPECT_EQ(c.TakeDirtyRect(), QRect(3, 2, 1, 1));
}

TEST(CanvasPixel, ReadSeesWhatWasJustDrawn) {
    Bitmap bmp(20, 20);
    Canvas& c = bmp.GetCanvas();
    c.SetBrushColor(kRed);
    c.Rectangle(2, 2, 10, 10);
    EXPECT_EQ(c.Pixel(5, 5), kRed);
    EXPECT_EQ(c.Pixel(2, 2), colors::Black);
    c.MoveTo(0, 15);
    c.LineTo(19, 15);
    EXPECT_EQ(c.Pixel(10, 15), colors::Black);
}

// ---------------------------------------------------------------- numbers

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    const std::pair<double, int32_t> cases[] = {
        {0.5, 0},   {1.5, 2},   {2.5, 2},     {3.5, 4},   {-0.5, 0},   {-1.5, -2}, {-2.5, -2},
        {0.49, 0},  {0.51, 1},  {-0.51, -1},  {2.0, 2},   {-7.0, -7},  {1e12, INT32_MAX},
        {-1e12, INT32_MIN}, {std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (auto [in, out] : cases) EXPECT_EQ(platform::RoundHalfEven(in), out) << in;
}

}  // namespace
