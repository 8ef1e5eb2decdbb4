#pragma once
// Rig part stamps: swivels, sinker arms, sinkers and hooks.
//
// Every routine draws one fixed little black-and-white figure on the canvas,
// placed relative to the anchor (X, Y) in bitmap pixels. The pen is always
// black; fills are black or white. The pen mode (copy) and the brush style
// (solid) are left alone. Afterwards the brush colour is white and the pen
// width is the last one the figure used: 2 after a large hook, 1 otherwise.
// What falls outside the bitmap is clipped by the canvas.
//
// The routines live in namespace `editor`, like every canvas-only drawing
// routine of the editor, and keep no state; the window calls them from its
// press handler and does the tool reset and the undo snapshot itself.

#include "platform/Canvas.h"

namespace editor {

// Swivels (codes 1-4).
void Draw_V_Sarukan(platform::Canvas& c, int X, int Y);      // 1 small, vertical
void Draw_H_Sarukan(platform::Canvas& c, int X, int Y);      // 2 small, horizontal
void Draw_V_Big_Sarukan(platform::Canvas& c, int X, int Y);  // 3 large, vertical
void Draw_H_Big_Sarukan(platform::Canvas& c, int X, int Y);  // 4 large, horizontal

// Sinker arms with their sinker (codes 5, 6).
void Draw_Omori_Kotei(platform::Canvas& c, int X, int Y);    // 5 fixed arm
void Draw_Omori_Yudou(platform::Canvas& c, int X, int Y);    // 6 sliding arm

// Sinkers (codes 7, 8).
void Draw_V_Omori(platform::Canvas& c, int X, int Y);        // 7 vertical
void Draw_H_Omori(platform::Canvas& c, int X, int Y);        // 8 horizontal

// Hooks: the anchor is the eye (codes 9-12, 31-34).
void Draw_H_M_Hari(platform::Canvas& c, int X, int Y);        // 9  small, bend right
void Draw_V_M_Hari(platform::Canvas& c, int X, int Y);        // 10 small, hanging, shank left
void Draw_H_B_Hari(platform::Canvas& c, int X, int Y);        // 11 large, bend right
void Draw_V_B_Hari(platform::Canvas& c, int X, int Y);        // 12 large, hanging, shank left
void Draw_H_M_Hari_Mirror(platform::Canvas& c, int X, int Y); // 31 small, bend left
void Draw_V_M_Hari_Mirror(platform::Canvas& c, int X, int Y); // 32 small, hanging, shank right
void Draw_H_B_Hari_Mirror(platform::Canvas& c, int X, int Y); // 33 large, bend left
void Draw_V_B_Hari_Mirror(platform::Canvas& c, int X, int Y); // 34 large, hanging, shank right

// True for the rig tool codes that stamp a part: 1-12 and 31-34.
bool IsRigStampCode(int code);

// Stamps the part of rig tool `code` at (x, y); any other code draws nothing.
void DrawRigStamp(platform::Canvas& c, int code, int x, int y);

}  // namespace editor
