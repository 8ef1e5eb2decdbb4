// Picture import, export and clearing.
#include <QFileDialog>

#include "editor/Main.h"
#include "editor/window/Controls.h"

void TForm_Main::Btn_FileClick() {}
void TForm_Main::Btn_ClipClick() {}
void TForm_Main::Btn_ClipBordClick() {}
void TForm_Main::Button4Click() {}

void TForm_Main::Button_ClearClick() {
    Image1->move(6, 6);
    Image1->resize(500, 500);
    Image1->SetPicture(platform::Bitmap(500, 500).Image());
    Image1->SetAutoSize(false);
    RefreshSizeLabel();
    ResetUndo();
}

QFileDialog* TForm_Main::OpenPicDialog1() { return openDialog_; }
QFileDialog* TForm_Main::SavePictureDialog1() { return saveDialog_; }
