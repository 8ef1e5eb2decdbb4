#pragma once
// Map symbols of the fishing-spot map: tetrapods, wave-breaking blocks, sandy
// beach, rocky shore and parking place, each placed with one press at (x, y).
//
// Each routine sets only the pen and brush attributes it needs (listed
// below) and leaves everything else as the previous drawing left it. In
// particular the polygons are filled with the current brush: white over what
// lies beneath when the brush style is solid, outlines only when it is clear.
// Namespace `editor`, like the other canvas-only drawing routines; no state.

#include "platform/Canvas.h"

namespace editor {

// Pen black, width 2; one Y-shaped polygon, arm ends next to (x, y), foot
// 35 pixels below.
void DrawTetrapodUpright(platform::Canvas& c, int x, int y);
// Pen black, width 2; an upside-down Y with its top at (x, y).
void DrawTetrapodInverted(platform::Canvas& c, int x, int y);
// Pen black, width 2; a triangle, then brush white and a smaller triangle.
void DrawTriangleWaveBreaker(platform::Canvas& c, int x, int y);
// Pen black, width 2; a square, then brush white and a smaller square.
void DrawSquareWaveBreaker(platform::Canvas& c, int x, int y);
// 17 sand dots of 2 x 2 black pixels; pen and brush untouched.
void DrawSandyBeach(platform::Canvas& c, int x, int y);
// Sets pixels (a, b), (a+1, b), (a+1, b+1), (a, b+1) black.
void DrawSandDot(platform::Canvas& c, int a, int b);
// Pen black, width 1, brush solid white; six overlapping stones.
void DrawRockyShore(platform::Canvas& c, int x, int y);
// A double square frame (pen width 1) and the letter P (pen width 2),
// pen black.
void DrawParkingSign(platform::Canvas& c, int x, int y);

// True for the symbol codes 101-107 of the parts set.
bool IsMapSymbolCode(int code);
// Draws the symbol of parts-set code 101-107 at (x, y); other codes draw
// nothing.
void DrawMapSymbol(platform::Canvas& c, int code, int x, int y);

}  // namespace editor
