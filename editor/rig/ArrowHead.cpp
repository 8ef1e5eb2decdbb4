#include "editor/rig/ArrowHead.h"

#include <array>
#include <cmath>
#include <numbers>

namespace editor {

using platform::RoundHalfEven;
using platform::TPoint;

ArrowHeadCorners ArrowHeadBase(int penWidth, int X1, int Y1, int X2, int Y2) {
    const int L = penWidth * 3 + 6;
    const double w = L * std::tan(std::numbers::pi / 12.0);
    // Direction from the tip back towards the start.
    const double theta = std::atan2(static_cast<double>(Y1) - Y2, static_cast<double>(X1) - X2);
    const double cs = std::cos(theta);
    const double sn = std::sin(theta);
    return {{X2 + RoundHalfEven(L * cs - w * sn), Y2 + RoundHalfEven(L * sn + w * cs)},
            {X2 + RoundHalfEven(L * cs + w * sn), Y2 + RoundHalfEven(L * sn - w * cs)}};
}

void DrawArrowHead(platform::Canvas& c, int X1, int Y1, int X2, int Y2) {
    const ArrowHeadCorners base = ArrowHeadBase(c.PenWidth(), X1, Y1, X2, Y2);
    c.SetBrushStyle(platform::BrushStyle::Solid);
    c.SetBrushColor(c.PenColor());
    const std::array<TPoint, 3> head{TPoint{X2, Y2}, base.A, base.B};
    c.Polygon(head);
    c.SetBrushColor(platform::colors::White);
}

}  // namespace editor
