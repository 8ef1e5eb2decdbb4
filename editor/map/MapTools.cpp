// Point-map tools: the move step, breakwaters, lines and shapes, symbols,
// map text and the eraser.
#include "editor/Main.h"
#include "editor/window/Controls.h"

void TForm_Main::MapPointerMove(int, int) {}
void TForm_Main::ComputeBandOffsets(int) {}
void TForm_Main::BreakwaterPreview(int, int) {}
void TForm_Main::BreakwaterRelease(int, int) {}
void TForm_Main::LineSetPreview(int, int) {}
void TForm_Main::LineSetRelease(int, int) {}
void TForm_Main::PartsSetMove(int, int) {}
void TForm_Main::PartsSetRelease(int, int) {}
void TForm_Main::MapPartClick(int, int, int) {}
void TForm_Main::PlaceMapTextEdit(int, int) {}
void TForm_Main::Edit_YKeyPress(QChar&) {}
