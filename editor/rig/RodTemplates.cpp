#include "editor/rig/RodTemplates.h"

#include <initializer_list>
#include <vector>

namespace editor {

using platform::Canvas;
using platform::TPoint;
namespace colors = platform::colors;

namespace {

void Polyline(Canvas& c, std::initializer_list<TPoint> pts) {
    bool first = true;
    for (const TPoint& p : pts) {
        if (first)
            c.MoveTo(p.X, p.Y);
        else
            c.LineTo(p.X, p.Y);
        first = false;
    }
}

void Polygon(Canvas& c, std::initializer_list<TPoint> pts) {
    const std::vector<TPoint> v(pts);
    c.Polygon(v);
}

// The rod itself, a long thin triangle, with the pen width the caller set.
void DrawRodBlank(Canvas& c) { Polyline(c, {{200, 20}, {20, 480}, {16, 478}, {200, 20}}); }

struct Segment {
    TPoint from, to;
};

void DrawGuides(Canvas& c, std::initializer_list<Segment> guides) {
    for (const Segment& s : guides) {
        c.MoveTo(s.from.X, s.from.Y);
        c.LineTo(s.to.X, s.to.Y);
    }
}

}  // namespace

void Draw_Rod_Spinning(Canvas& c) {
    c.SetPenWidth(1);
    c.SetPenColor(colors::Black);
    c.SetBrushColor(colors::Black);
    // Reel foot.
    Polygon(c, {{72, 384}, {66, 396}, {91, 409}, {97, 397}, {95, 397}, {91, 405}, {70, 394}, {74, 386}, {72, 384}});
    c.SetPenWidth(2);
    Polyline(c, {{80, 380}, {70, 394}, {91, 405}, {96, 388}, {80, 380}});
    // Reel body with its bail and handle.
    c.SetPenWidth(1);
    Polygon(c, {{60, 380}, {52, 400}, {54, 400}, {56, 394}, {62, 396}, {66, 418}, {74, 422}, {82, 416}, {86, 408},
                {70, 400}, {68, 404}, {64, 396}, {66, 392}, {64, 390}, {62, 394}, {57, 391}, {61, 383}, {60, 380}});
    // Spool and its rim.
    c.SetBrushColor(colors::White);
    c.Rectangle(72, 414, 76, 430);
    c.SetBrushColor(colors::Black);
    c.Ellipse(68, 428, 80, 432);
    c.SetPenWidth(2);
    DrawRodBlank(c);
    DrawGuides(c, {{{124, 217}, {144, 226}},
                   {{155, 136}, {168, 142}},
                   {{176, 86}, {182, 89}},
                   {{185, 59}, {189, 61}},
                   {{192, 38}, {196, 41}},
                   {{200, 20}, {205, 20}}});
    c.SetPenWidth(1);
    c.SetBrushColor(colors::White);
}

void Draw_Rod_Revolving(Canvas& c) {
    c.SetPenColor(colors::Black);
    c.SetPenWidth(2);
    DrawRodBlank(c);
    DrawGuides(c, {{{120, 216}, {111, 212}},
                   {{155, 136}, {147, 133}},
                   {{175, 87}, {167, 84}},
                   {{185, 61}, {178, 58}},
                   {{193, 40}, {188, 37}},
                   {{200, 20}, {198, 17}}});
    c.SetPenWidth(1);
    c.SetPenColor(colors::Black);
    c.SetBrushColor(colors::Black);
    // The reel's side plate.
    c.SetPenWidth(3);
    c.SetBrushStyle(platform::BrushStyle::Solid);
    c.SetBrushColor(colors::SkyBlue);
    c.Ellipse(28, 374, 52, 398);
    // Handle arm with its knobs.
    c.SetPenWidth(1);
    c.SetBrushColor(colors::Black);
    c.Rectangle(45, 386, 49, 408);
    c.SetPenWidth(1);
    c.SetBrushColor(colors::White);
    c.Ellipse(45, 384, 49, 388);
    c.SetPenWidth(1);
    c.SetBrushColor(colors::White);
    c.Ellipse(45, 390, 49, 394);
    c.SetPenWidth(1);
    c.SetBrushColor(colors::White);
    c.Ellipse(43, 406, 51, 410);
}

}  // namespace editor
