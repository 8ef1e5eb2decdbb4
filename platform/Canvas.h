#pragma once
// The drawing canvas of a bitmap.
//
// Conventions every drawing routine relies on:
//  - The canvas keeps a pen (colour, width, mode copy / not-xor), a brush
//    (colour, solid / clear), a font and a pen position. Settings persist
//    between operations until changed.
//  - LineTo draws from the pen position to (x, y) without the end pixel and
//    leaves the pen position at (x, y). A zero-length line draws nothing.
//  - Rectangle, Ellipse and RoundRect take a box (x1, y1)-(x2, y2), normalised
//    when the corners come in reverse order, covering columns x1 .. x2-1 and
//    rows y1 .. y2-1; filled with the brush unless its style is clear, outlined
//    with the pen. A box of zero width or height draws nothing.
//  - Polygon closes the vertex list, fills it (alternate rule), outlines it.
//  - Pie and Arc: the part of the box's ellipse from the radial through
//    (x3, y3) counter-clockwise (as seen on the screen) to the radial through
//    (x4, y4). Pie closes it with the two radii and fills it. Radials that
//    coincide give the whole ellipse. The radials start at the centre of the
//    box ((x1 + x2) / 2, (y1 + y2) / 2).
//  - PolyBezier draws cubic curves with the pen only; the pen position is
//    neither used nor moved. Like a line, the curve leaves out its end pixel.
//    Points after the last whole curve (4, 7, 10, ... points) are ignored;
//    fewer than 4 draw nothing.
//  - Polygon with fewer than 2 points draws nothing.
//  - Pixel reads outside the bitmap give no colour; writes outside are ignored.
//    Pixel writes always copy, whatever the pen mode.
//  - TextOut draws with the top-left corner at (x, y); a solid brush fills the
//    text cell (TextWidth x TextHeight), a clear one leaves it; the pen
//    position afterwards is (x + text width, y). Text always copies, whatever
//    the pen mode.
//  - Not-xor mode: every pixel the figure covers becomes ~(colour ^ pixel),
//    where the colour is the pen's for the outline and the brush's for the
//    inside (so a white brush leaves the inside unchanged). Each pixel of one
//    figure is changed once, so the same figure drawn twice restores every
//    pixel and a figure shows whole on a plain background.
//  - Everything outside the bitmap is clipped; coordinates far outside neither
//    crash nor hang. No operation costs in proportion to the bitmap: a figure
//    works only on the pixels its (clipped) bounds can reach.
//  - TakeDirtyRect gives the bounds of the pixels changed since the last call.
//
// Pixels and pen widths. A point (x, y) names the pixel (x, y). A 1-pixel pen
// draws thin (8-connected) lines through the pixels of the figure's path, one
// pixel per step along the major axis, the nearest to the path (halves go up
// / left). A pen of width w > 1 covers the pixels whose point, nudged a hair
// right and down, lies within w/2 of the path: a band of w pixels across a
// level or upright path, w/2 of them above / left of it and (w-1)/2 below /
// right. So the outline of a box figure lies centred on the box's border
// pixels, and the whole figure stays within columns
// x1 - w/2 .. x2 - 1 + (w-1)/2 (rows alike, integer halves). Being centred
// on the path, a wider pen covers every pixel of a narrower one (and a pen of
// width 2 or more the thin line) drawing the same figure: a final figure
// covers its rubber band. Lines and curves of any width end flat at their end
// point (nothing beyond it). Rectangle corners are square; polygon and pie
// corners are round. The inside of a figure is the set of pixels whose
// nudged point lies inside its path (the top-left rule). Pen widths above
// 4096 draw as 4096.

#include <QFont>
#include <QRect>
#include <QString>
#include <span>

#include "platform/Types.h"

class QImage;
class QPainter;

namespace platform {

enum class PenMode { Copy, NotXor };
enum class BrushStyle { Solid, Clear };

class Canvas {
public:
    // The canvas draws on `image`, which must be Format_RGB32 and outlive it.
    explicit Canvas(QImage* image);
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // Back to the settings of a fresh canvas: black solid pen of width 1 in
    // copy mode, white solid brush, default font, pen position (0, 0).
    void ResetDefaults();

    // The font of a fresh canvas: the user-interface font at 8 points, able
    // to draw Japanese, in the window-text colour.
    static QFont DefaultFont();
    static Color DefaultFontColor();

    // Pen
    void SetPenColor(Color c) { penColor_ = c; }
    Color PenColor() const { return penColor_; }
    void SetPenWidth(int w) { penWidth_ = w < 1 ? 1 : w; }
    int PenWidth() const { return penWidth_; }
    void SetPenMode(PenMode m) { penMode_ = m; }
    PenMode GetPenMode() const { return penMode_; }

    // Brush
    void SetBrushColor(Color c) { brushColor_ = c; }
    Color BrushColor() const { return brushColor_; }
    void SetBrushStyle(BrushStyle s) { brushStyle_ = s; }
    BrushStyle GetBrushStyle() const { return brushStyle_; }

    // Font
    void SetFont(const QFont& f) { font_ = f; }
    const QFont& Font() const { return font_; }
    void SetFontColor(Color c) { fontColor_ = c; }
    Color FontColor() const { return fontColor_; }

    // Pen position
    TPoint PenPos() const { return penPos_; }
    void SetPenPos(TPoint p) { penPos_ = p; }

    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Rectangle(int x1, int y1, int x2, int y2);
    void Ellipse(int x1, int y1, int x2, int y2);
    void RoundRect(int x1, int y1, int x2, int y2, int cornerW, int cornerH);
    void Polygon(std::span<const TPoint> points);
    void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void PolyBezier(std::span<const TPoint> points);  // 4, 7, 10, ... points

    std::optional<Color> Pixel(int x, int y) const;
    void SetPixel(int x, int y, Color c);

    void TextOut(int x, int y, const QString& text);
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;

    int Width() const;
    int Height() const;

    // The area changed since the last call (empty when nothing was drawn),
    // within the bitmap; the surface widget repaints only that. A new canvas
    // starts with nothing changed: whoever replaces the picture repaints it
    // whole.
    QRect TakeDirtyRect();
    // Adds `r` to the changed area, for code that writes the image directly.
    void MarkDirty(const QRect& r);

private:
    struct Figure;
    void DrawFigure(Figure& figure);
    void Invalidate(const QRect& r);
    QFont DrawingFont() const;

    QImage* image_;
    Color penColor_{};
    int penWidth_ = 1;
    PenMode penMode_ = PenMode::Copy;
    Color brushColor_ = colors::White;
    BrushStyle brushStyle_ = BrushStyle::Solid;
    QFont font_;
    Color fontColor_{};
    TPoint penPos_{};
    QRect dirty_;
};

}  // namespace platform
