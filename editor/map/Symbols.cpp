#include "editor/map/Symbols.h"

#include <array>
#include <initializer_list>

namespace editor {

using platform::Canvas;
using platform::TPoint;
namespace colors = platform::colors;

namespace {

// Polygon with its vertices given as offsets from (x, y).
void OffsetPolygon(Canvas& c, int x, int y, std::initializer_list<TPoint> offsets) {
    std::array<TPoint, 16> pts{};
    size_t n = 0;
    for (const TPoint& p : offsets) pts[n++] = {x + p.X, y + p.Y};
    c.Polygon(std::span<const TPoint>(pts.data(), n));
}

void Line(Canvas& c, int x1, int y1, int x2, int y2) {
    c.MoveTo(x1, y1);
    c.LineTo(x2, y2);
}

}  // namespace

void DrawTetrapodUpright(Canvas& c, int x, int y) {
    c.SetPenWidth(2);
    c.SetPenColor(colors::Black);
    OffsetPolygon(c, x, y,
                  {{12, 35}, {18, 35}, {20, 18}, {33, 5}, {29, 1}, {15, 9}, {1, 1}, {-3, 5}, {10, 18}, {12, 35}});
}

void DrawTetrapodInverted(Canvas& c, int x, int y) {
    c.SetPenWidth(2);
    c.SetPenColor(colors::Black);
    OffsetPolygon(c, x, y,
                  {{0, 0}, {6, 0}, {8, 17}, {21, 30}, {17, 34}, {3, 26}, {-11, 34}, {-15, 30}, {-2, 17}, {0, 0}});
}

void DrawTriangleWaveBreaker(Canvas& c, int x, int y) {
    c.SetPenWidth(2);
    c.SetPenColor(colors::Black);
    OffsetPolygon(c, x, y, {{0, -19}, {16, 9}, {-16, 9}, {0, -19}});
    c.SetBrushColor(colors::White);
    OffsetPolygon(c, x, y, {{0, -8}, {7, 4}, {-7, 4}, {0, -8}});
}

void DrawSquareWaveBreaker(Canvas& c, int x, int y) {
    c.SetPenWidth(2);
    c.SetPenColor(colors::Black);
    OffsetPolygon(c, x, y, {{12, -12}, {12, 12}, {-12, 12}, {-12, -12}, {12, -12}});
    c.SetBrushColor(colors::White);
    OffsetPolygon(c, x, y, {{5, -5}, {5, 5}, {-5, 5}, {-5, -5}, {5, -5}});
}

void DrawSandyBeach(Canvas& c, int x, int y) {
    static constexpr std::array<TPoint, 17> kDots{{{-8, -11}, {-3, -12}, {5, -11}, {-10, -5}, {-5, -3}, {1, -6},
                                                   {-10, 3},  {-5, 5},   {0, 0},   {6, -3},   {11, -4}, {2, 6},
                                                   {10, 4},   {-9, 9},   {-3, 10}, {3, 13},   {8, 8}}};
    for (const TPoint& d : kDots) DrawSandDot(c, x + d.X, y + d.Y);
}

void DrawSandDot(Canvas& c, int a, int b) {
    c.SetPixel(a, b, colors::Black);
    c.SetPixel(a + 1, b, colors::Black);
    c.SetPixel(a + 1, b + 1, colors::Black);
    c.SetPixel(a, b + 1, colors::Black);
}

void DrawRockyShore(Canvas& c, int x, int y) {
    c.SetPenColor(colors::Black);
    c.SetBrushStyle(platform::BrushStyle::Solid);
    c.SetBrushColor(colors::White);
    c.SetPenWidth(1);
    c.Ellipse(x - 12, y - 11, x, y);
    c.Ellipse(x + 2, y - 13, x + 11, y - 5);
    c.Ellipse(x + 5, y - 6, x + 15, y);
    c.Ellipse(x - 13, y, x - 3, y + 11);
    c.Ellipse(x + 12, y, x - 1, y + 13);
    c.Ellipse(x - 5, y + 5, x + 8, y - 7);
}

void DrawParkingSign(Canvas& c, int x, int y) {
    // Frame two pixels thick.
    c.SetPenWidth(1);
    c.SetPenColor(colors::Black);
    OffsetPolygon(c, x, y, {{11, -11}, {11, 11}, {-11, 11}, {-11, -11}, {11, -11}});
    OffsetPolygon(c, x, y, {{10, -10}, {10, 10}, {-10, 10}, {-10, -10}, {10, -10}});
    // The letter P: the bowl is the right half of an ellipse, counter-clockwise
    // from its bottom to its top.
    c.SetPenWidth(2);
    c.Arc(x - 3, y - 8, x + 7, y + 1, x + 2, y + 1, x + 2, y - 8);
    Line(c, x - 4, y - 8, x - 4, y + 8);  // stem
    Line(c, x - 2, y + 8, x - 6, y + 8);  // foot
    Line(c, x + 2, y - 7, x - 4, y - 7);  // upper bar
    Line(c, x + 2, y, x - 4, y);          // lower bar
}

bool IsMapSymbolCode(int code) { return code >= 101 && code <= 107; }

void DrawMapSymbol(Canvas& c, int code, int x, int y) {
    switch (code) {
        case 101: DrawTetrapodUpright(c, x, y); break;
        case 102: DrawTetrapodInverted(c, x, y); break;
        case 103: DrawTriangleWaveBreaker(c, x, y); break;
        case 104: DrawSquareWaveBreaker(c, x, y); break;
        case 105: DrawSandyBeach(c, x, y); break;
        case 106: DrawRockyShore(c, x, y); break;
        case 107: DrawParkingSign(c, x, y); break;
        default: break;
    }
}

}  // namespace editor
