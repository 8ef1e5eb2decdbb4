#include "editor/rig/Stamps.h"

#include <array>
#include <initializer_list>

namespace editor {

using platform::Canvas;
using platform::TPoint;
namespace colors = platform::colors;

namespace {

struct Box {
    int x1, y1, x2, y2;
};

// A swivel: two links (rectangles) then ring, barrel, ring (ellipses), all
// white inside and outlined in black with a 1-pixel pen.
struct SwivelShape {
    Box link1, link2, ring1, barrel, ring2;
};

void DrawSwivel(Canvas& c, int X, int Y, const SwivelShape& s) {
    c.SetPenWidth(1);
    c.SetPenColor(colors::Black);
    c.SetBrushColor(colors::White);
    for (const Box& b : {s.link1, s.link2})
        c.Rectangle(X + b.x1, Y + b.y1, X + b.x2, Y + b.y2);
    for (const Box& b : {s.ring1, s.barrel, s.ring2})
        c.Ellipse(X + b.x1, Y + b.y1, X + b.x2, Y + b.y2);
}

// Polygon with its vertices given as offsets from (X, Y).
void OffsetPolygon(Canvas& c, int X, int Y, std::initializer_list<TPoint> offsets) {
    std::array<TPoint, 16> pts{};
    size_t n = 0;
    for (const TPoint& p : offsets) pts[n++] = {X + p.X, Y + p.Y};
    c.Polygon(std::span<const TPoint>(pts.data(), n));
}

// An open line through offsets from (X, Y): move to the first, line to the rest.
void OffsetPolyline(Canvas& c, int X, int Y, std::initializer_list<TPoint> offsets) {
    bool first = true;
    for (const TPoint& p : offsets) {
        if (first)
            c.MoveTo(X + p.X, Y + p.Y);
        else
            c.LineTo(X + p.X, Y + p.Y);
        first = false;
    }
}

// A hook: one open black line from the eye at the anchor, no fill.
void DrawHook(Canvas& c, int X, int Y, int penWidth, const std::array<TPoint, 8>& pts) {
    c.SetPenColor(colors::Black);
    c.SetPenWidth(penWidth);
    c.MoveTo(X + pts[0].X, Y + pts[0].Y);
    for (size_t i = 1; i < pts.size(); ++i) c.LineTo(X + pts[i].X, Y + pts[i].Y);
}

}  // namespace

void Draw_V_Sarukan(Canvas& c, int X, int Y) {
    DrawSwivel(c, X, Y, {{-1, 5, 1, 8}, {-1, 14, 1, 17}, {-3, 0, 3, 6}, {-3, 7, 3, 15}, {-3, 16, 3, 22}});
}

void Draw_H_Sarukan(Canvas& c, int X, int Y) {
    DrawSwivel(c, X, Y, {{5, -1, 8, 1}, {14, -1, 17, 1}, {0, -3, 6, 3}, {7, -3, 15, 3}, {16, -3, 22, 3}});
}

void Draw_V_Big_Sarukan(Canvas& c, int X, int Y) {
    DrawSwivel(c, X, Y, {{-2, 8, 2, 14}, {-2, 21, 2, 27}, {-5, 0, 5, 10}, {-5, 12, 5, 23}, {-5, 25, 5, 35}});
}

void Draw_H_Big_Sarukan(Canvas& c, int X, int Y) {
    DrawSwivel(c, X, Y, {{7, -2, 14, 2}, {21, -2, 27, 2}, {0, -5, 10, 5}, {12, -5, 24, 5}, {25, -5, 35, 5}});
}

void Draw_Omori_Kotei(Canvas& c, int X, int Y) {
    // The sinker: rounded bottom, then the pointed body.
    c.SetPenWidth(2);
    c.SetPenColor(colors::Black);
    c.SetBrushColor(colors::Black);
    c.Pie(X - 4, Y + 62, X + 4, Y + 70, X - 4, Y + 66, X + 4, Y + 66);
    OffsetPolygon(c, X, Y, {{0, 50}, {-4, 58}, {-4, 66}, {4, 66}, {4, 58}, {0, 50}});
    // The L-shaped wire arm.
    c.SetPenWidth(2);
    c.MoveTo(X, Y + 2);
    c.LineTo(X, Y + 50);
    c.LineTo(X + 48, Y + 50);
    // Top ring and the ring at the arm's end.
    c.SetPenWidth(1);
    c.SetBrushColor(colors::White);
    c.Ellipse(X - 2, Y, X + 2, Y + 4);
    c.Ellipse(X + 46, Y + 48, X + 50, Y + 52);
}

void Draw_Omori_Yudou(Canvas& c, int X, int Y) {
    Draw_Omori_Kotei(c, X, Y);
    // The diagonal wire through the arm's ring and beyond.
    c.SetPenWidth(2);
    c.MoveTo(X + 2, Y + 4);
    c.LineTo(X + 46, Y + 48);
    c.MoveTo(X + 46, Y + 48);
    c.LineTo(X + 56, Y + 58);
    // Beads along the diagonal.
    c.SetBrushColor(colors::Black);
    c.SetPenWidth(1);
    c.Ellipse(X + 10, Y + 12, X + 14, Y + 16);
    c.Ellipse(X + 14, Y + 16, X + 18, Y + 20);
    c.Ellipse(X + 16, Y + 18, X + 20, Y + 22);
    c.Ellipse(X + 20, Y + 22, X + 24, Y + 26);
    // A small diamond across the diagonal.
    OffsetPolyline(c, X, Y, {{18, 16}, {14, 20}, {16, 22}, {20, 18}, {18, 16}});
    c.SetBrushColor(colors::White);
}

void Draw_V_Omori(Canvas& c, int X, int Y) {
    c.SetPenWidth(1);
    c.SetPenColor(colors::Black);
    c.SetBrushColor(colors::Black);
    OffsetPolygon(c, X, Y,
                  {{3, 3}, {3, 13}, {5, 15}, {5, 26}, {0, 30}, {-5, 26}, {-5, 15}, {-3, 13}, {-3, 3}, {3, 3}});
    c.SetBrushColor(colors::White);
    c.Ellipse(X - 2, Y, X + 2, Y + 5);
}

void Draw_H_Omori(Canvas& c, int X, int Y) {
    c.SetPenWidth(1);
    c.SetPenColor(colors::Black);
    c.SetBrushColor(colors::Black);
    OffsetPolygon(c, X, Y,
                  {{3, -3}, {13, -3}, {20, -5}, {26, -5}, {30, 0}, {26, 5}, {20, 5}, {13, 3}, {3, 3}, {3, 3}});
    c.SetBrushColor(colors::White);
    c.Ellipse(X, Y - 2, X + 5, Y + 2);
}

void Draw_H_M_Hari(Canvas& c, int X, int Y) {
    DrawHook(c, X, Y, 1, {{{0, 0}, {1, 0}, {7, 5}, {12, 5}, {14, 3}, {14, 1}, {12, -1}, {10, -1}}});
}

void Draw_V_M_Hari(Canvas& c, int X, int Y) {
    DrawHook(c, X, Y, 1, {{{0, 0}, {0, 1}, {-5, 7}, {-5, 12}, {-3, 14}, {-1, 14}, {1, 12}, {1, 10}}});
}

void Draw_H_B_Hari(Canvas& c, int X, int Y) {
    DrawHook(c, X, Y, 2, {{{0, 0}, {2, 0}, {14, 10}, {24, 10}, {28, 6}, {28, 2}, {24, -2}, {20, -2}}});
}

void Draw_V_B_Hari(Canvas& c, int X, int Y) {
    DrawHook(c, X, Y, 2, {{{0, 0}, {0, 2}, {-10, 14}, {-10, 24}, {-6, 28}, {-2, 28}, {2, 24}, {2, 20}}});
}

void Draw_H_M_Hari_Mirror(Canvas& c, int X, int Y) {
    DrawHook(c, X, Y, 1, {{{0, 0}, {-1, 0}, {-7, 5}, {-12, 5}, {-14, 3}, {-14, 1}, {-12, -1}, {-10, -1}}});
}

void Draw_V_M_Hari_Mirror(Canvas& c, int X, int Y) {
    DrawHook(c, X, Y, 1, {{{0, 0}, {0, 1}, {5, 7}, {5, 12}, {3, 14}, {1, 14}, {-1, 12}, {-1, 10}}});
}

void Draw_H_B_Hari_Mirror(Canvas& c, int X, int Y) {
    DrawHook(c, X, Y, 2, {{{0, 0}, {-2, 0}, {-14, 10}, {-24, 10}, {-28, 6}, {-28, 2}, {-24, -2}, {-20, -2}}});
}

void Draw_V_B_Hari_Mirror(Canvas& c, int X, int Y) {
    DrawHook(c, X, Y, 2, {{{0, 0}, {0, 2}, {10, 14}, {10, 24}, {6, 28}, {2, 28}, {-2, 24}, {-2, 20}}});
}

bool IsRigStampCode(int code) { return (code >= 1 && code <= 12) || (code >= 31 && code <= 34); }

void DrawRigStamp(Canvas& c, int code, int x, int y) {
    switch (code) {
        case 1: Draw_V_Sarukan(c, x, y); break;
        case 2: Draw_H_Sarukan(c, x, y); break;
        case 3: Draw_V_Big_Sarukan(c, x, y); break;
        case 4: Draw_H_Big_Sarukan(c, x, y); break;
        case 5: Draw_Omori_Kotei(c, x, y); break;
        case 6: Draw_Omori_Yudou(c, x, y); break;
        case 7: Draw_V_Omori(c, x, y); break;
        case 8: Draw_H_Omori(c, x, y); break;
        case 9: Draw_H_M_Hari(c, x, y); break;
        case 10: Draw_V_M_Hari(c, x, y); break;
        case 11: Draw_H_B_Hari(c, x, y); break;
        case 12: Draw_V_B_Hari(c, x, y); break;
        case 31: Draw_H_M_Hari_Mirror(c, x, y); break;
        case 32: Draw_V_M_Hari_Mirror(c, x, y); break;
        case 33: Draw_H_B_Hari_Mirror(c, x, y); break;
        case 34: Draw_V_B_Hari_Mirror(c, x, y); break;
        default: break;
    }
}

}  // namespace editor
