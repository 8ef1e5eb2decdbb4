#pragma once
// Arrow head at the end of a line, shared by the rig arrow and the map's
// arrow line. Namespace `editor`, like the other canvas-only drawing routines.

#include "platform/Canvas.h"

namespace editor {

// Filled isosceles triangle with its tip on (X2, Y2), pointing along the
// direction from (X1, Y1) to (X2, Y2). Its base lies L = pen width x 3 + 6
// pixels back along the line and L x tan(15 deg) pixels to either side of it.
// Drawn with the current pen; the brush is set solid in the pen colour for
// the fill and its colour is white afterwards. When both points coincide the
// head points to the left.
void DrawArrowHead(platform::Canvas& c, int X1, int Y1, int X2, int Y2);

// The two base corners of that triangle for a pen of `penWidth` (the third
// corner is the tip itself).
struct ArrowHeadCorners {
    platform::TPoint A, B;
};
ArrowHeadCorners ArrowHeadBase(int penWidth, int X1, int Y1, int X2, int Y2);

}  // namespace editor
