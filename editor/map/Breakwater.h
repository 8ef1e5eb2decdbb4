#pragma once
// Breakwater bands of the fishing-spot map (breakwater set, tools 101-109).
//
// A drag from S (press) to E fixes one long side of a band; the band reaches
// sideways by the offset W, whose length is the breakwater width, to the right
// of the drag direction as seen on the screen. The band is the quadrilateral
// S, E, E + W, S + W: drag line S-E, end edge E-(E+W), far side
// (E+W)-(S+W), start edge (S+W)-S. Some tools draw a divider (E+D)-(S+D)
// parallel to the drag line at a quarter or three quarters of the width.
//
// Tool  ends                  divider
// 101   start open, end closed  -
// 102   start open, end closed  quarter
// 103   start open, end closed  three quarters
// 104   both closed             -
// 105   both closed             quarter
// 106   both closed             three quarters
// 107   both open               -
// 108   both open               quarter
// 109   both open               three quarters
//
// While dragging, the outline is drawn in not-xor mode and removed by drawing
// the same strokes again, so the picture is never copied; on release the band
// is painted for good in the chosen colour. The window keeps the drag state
// in its fields and hands it in; these functions keep no state of their own.
// Namespace `editor`, like the other canvas-only drawing routines.

#include <optional>

#include "platform/Canvas.h"
#include "platform/Types.h"

namespace editor {

// The three offsets of a band, measured from the drag line.
struct BandOffsets {
    platform::TPoint Band;          // to the far long side (length = width)
    platform::TPoint Quarter;       // to the quarter-width divider
    platform::TPoint ThreeQuarter;  // to the three-quarter-width divider
    friend bool operator==(const BandOffsets&, const BandOffsets&) = default;
};

// Offsets of a band of width W for the drag direction from `start` to `last`:
// the direction turned by a right angle, rounded half to even; the dividers
// lie at W div 4 and 3 x (W div 4). When `start` equals `last` there is no
// direction and `current` is returned unchanged.
BandOffsets ComputeBandOffsets(platform::TPoint start, platform::TPoint last, int W,
                               const BandOffsets& current);

// True for the nine band tools 101-109.
bool IsBreakwaterCode(int code);

// The divider offset of a band tool, or none for 101, 104, 107 and for codes
// that are not band tools.
std::optional<platform::TPoint> BandDividerOffset(int code, const BandOffsets& offsets);

// An outline as it stands on the canvas: the points its strokes run through.
struct BandOutline {
    platform::TPoint Start;         // S
    platform::TPoint End;           // E
    platform::TPoint EndCorner;     // E + W
    platform::TPoint StartCorner;   // S + W
    platform::TPoint DividerEnd;    // E + D
    platform::TPoint DividerStart;  // S + D
    friend bool operator==(const BandOutline&, const BandOutline&) = default;

    // The outline of a fresh press: every point on the press position.
    static BandOutline AtPress(platform::TPoint p) { return {p, p, p, p, p, p}; }
};

// Draws the strokes of the figure of `code` with the canvas's current pen:
//   101       S -> E -> E+W -> S+W
//   104       S -> E -> E+W -> S+W -> S
//   107       S -> E;  E+W -> S+W
//   others    as 101 / 104 / 107, then E+D -> S+D
// Codes that are not band tools draw nothing. Drawing the same outline twice
// in not-xor mode restores every pixel.
void DrawBandOutline(platform::Canvas& c, int code, const BandOutline& outline);

// One preview step of a drag: pen black, width 1, not-xor; for a band tool
// the previous outline is removed and the outline from `previous.Start` to
// `end` with the given offsets is drawn. Returns the outline now on the
// canvas (to be handed in as `previous` at the next step). For the divider
// points, codes without a divider keep the previous ones. For a code that is
// not a band tool nothing is drawn and `previous` is returned as it was.
// The pen mode is left at not-xor.
BandOutline DrawBandPreview(platform::Canvas& c, int code, const BandOutline& previous,
                            platform::TPoint end, const BandOffsets& offsets);

// What the release paints.
struct BandPaint {
    int Code = 0;             // band tool 101-109
    platform::TPoint Start;   // S, the press point
    platform::TPoint End;     // E, the release point
    BandOffsets Offsets;      // as computed at the last move
    platform::Color Colour;   // the colour chosen for the band
};

// The release painting: pen copy mode, pen in the chosen colour, width 2,
// brush solid (its colour is left as it is: white in the map). For a band
// tool, paints the band polygon S, E, E+W, S+W, then for a divider tool the
// polygon S, E, E+D, S+D; then paints the open edges over in white (start
// edge for 101-103, both edges for 107-109) and leaves the pen black after
// that. Returns whether a band was painted (false for other codes, which only
// get the pen and brush settings).
bool PaintBand(platform::Canvas& c, const BandPaint& band);

}  // namespace editor
