#include "editor/map/Breakwater.h"

#include <array>
#include <cmath>

namespace editor {

using platform::Canvas;
using platform::RoundHalfEven;
using platform::TPoint;
namespace colors = platform::colors;

namespace {

TPoint Add(TPoint a, TPoint b) { return {a.X + b.X, a.Y + b.Y}; }

// The offset of length `len` at right angles to the drag direction.
TPoint Across(double sn, double cs, int len) { return {-RoundHalfEven(cs * len), RoundHalfEven(sn * len)}; }

enum class Ends { StartOpen, Closed, BothOpen };

Ends EndsOf(int code) {
    if (code <= 103) return Ends::StartOpen;
    if (code <= 106) return Ends::Closed;
    return Ends::BothOpen;
}

void Line(Canvas& c, TPoint a, TPoint b) {
    c.MoveTo(a.X, a.Y);
    c.LineTo(b.X, b.Y);
}

}  // namespace

BandOffsets ComputeBandOffsets(TPoint start, TPoint last, int W, const BandOffsets& current) {
    const int dx = last.X - start.X;
    const int dy = last.Y - start.Y;
    if (dx == 0 && dy == 0) return current;
    // atan2 with dx as its first argument: sin = dx / length, cos = dy / length.
    const double theta = std::atan2(static_cast<double>(dx), static_cast<double>(dy));
    const double sn = std::sin(theta);
    const double cs = std::cos(theta);
    const int q = W / 4;
    return {Across(sn, cs, W), Across(sn, cs, q), Across(sn, cs, 3 * q)};
}

bool IsBreakwaterCode(int code) { return code >= 101 && code <= 109; }

std::optional<TPoint> BandDividerOffset(int code, const BandOffsets& offsets) {
    switch (code) {
        case 102:
        case 105:
        case 108: return offsets.Quarter;
        case 103:
        case 106:
        case 109: return offsets.ThreeQuarter;
        default: return std::nullopt;
    }
}

void DrawBandOutline(Canvas& c, int code, const BandOutline& o) {
    if (!IsBreakwaterCode(code)) return;
    c.MoveTo(o.Start.X, o.Start.Y);
    c.LineTo(o.End.X, o.End.Y);
    switch (EndsOf(code)) {
        case Ends::StartOpen:
            c.LineTo(o.EndCorner.X, o.EndCorner.Y);
            c.LineTo(o.StartCorner.X, o.StartCorner.Y);
            break;
        case Ends::Closed:
            c.LineTo(o.EndCorner.X, o.EndCorner.Y);
            c.LineTo(o.StartCorner.X, o.StartCorner.Y);
            c.LineTo(o.Start.X, o.Start.Y);
            break;
        case Ends::BothOpen:
            Line(c, o.EndCorner, o.StartCorner);
            break;
    }
    if ((code - 101) % 3 != 0) Line(c, o.DividerEnd, o.DividerStart);  // 101, 104, 107 have none
}

BandOutline DrawBandPreview(Canvas& c, int code, const BandOutline& previous, TPoint end,
                            const BandOffsets& offsets) {
    c.SetPenColor(colors::Black);
    c.SetPenWidth(1);
    c.SetPenMode(platform::PenMode::NotXor);
    if (!IsBreakwaterCode(code)) return previous;

    BandOutline next = previous;
    next.End = end;
    next.EndCorner = Add(end, offsets.Band);
    next.StartCorner = Add(previous.Start, offsets.Band);
    if (const auto d = BandDividerOffset(code, offsets)) {
        next.DividerEnd = Add(end, *d);
        next.DividerStart = Add(previous.Start, *d);
    }
    DrawBandOutline(c, code, previous);
    DrawBandOutline(c, code, next);
    return next;
}

bool PaintBand(Canvas& c, const BandPaint& b) {
    c.SetPenMode(platform::PenMode::Copy);
    c.SetPenColor(b.Colour);
    c.SetPenWidth(2);
    c.SetBrushStyle(platform::BrushStyle::Solid);
    if (!IsBreakwaterCode(b.Code)) return false;

    const TPoint S = b.Start;
    const TPoint E = b.End;
    const TPoint SW = Add(S, b.Offsets.Band);
    const TPoint EW = Add(E, b.Offsets.Band);
    const std::array<TPoint, 4> band{S, E, EW, SW};
    c.Polygon(band);
    if (const auto d = BandDividerOffset(b.Code, b.Offsets)) {
        const std::array<TPoint, 4> divider{S, E, Add(E, *d), Add(S, *d)};
        c.Polygon(divider);
    }
    switch (EndsOf(b.Code)) {
        case Ends::StartOpen:
            c.SetPenColor(colors::White);
            Line(c, S, SW);
            c.SetPenColor(colors::Black);
            break;
        case Ends::BothOpen:
            c.SetPenColor(colors::White);
            Line(c, S, SW);
            Line(c, E, EW);
            c.SetPenColor(colors::Black);
            break;
        case Ends::Closed: break;
    }
    return true;
}

}  // namespace editor
