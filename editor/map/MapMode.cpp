// Point-map mode: the mode switch and the point-map palette.
#include "editor/Main.h"
#include "editor/window/Controls.h"

void TForm_Main::Btn_Shikake_Or_PointClick() {}
void TForm_Main::R_Group1Click() {}
void TForm_Main::S2_Btn_Click(TSpeedButton*) {}
void TForm_Main::LoadMapPaletteGlyphs() {}
