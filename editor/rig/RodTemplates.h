#pragma once
// Rod templates: a whole rod with its reel, drawn at fixed positions of a
// 500 x 500 picture as the starting point of a rig diagram.
//
// Both draw the same slanting rod from the tip (200, 20) to the butt
// (20, 480)/(16, 478); the spinning reel hangs on its lower-right side, the
// revolving reel (light blue) sits on its upper-left side, with the guides on
// the same side as the reel. Afterwards the pen is black, width 1, and the
// brush colour is white. Namespace `editor`, like the other canvas-only
// drawing routines; they keep no state.

#include "platform/Canvas.h"

namespace editor {

void Draw_Rod_Spinning(platform::Canvas& c);   // rig tool 13
void Draw_Rod_Revolving(platform::Canvas& c);  // rig tool 14

}  // namespace editor
