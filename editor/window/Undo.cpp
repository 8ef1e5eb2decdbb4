// Single-step undo: two snapshots of the surface's bitmap, the latest and the
// one before it.
#include <QPushButton>

#include "editor/Main.h"
#include "editor/window/Controls.h"
#include "platform/Cursors.h"

void TForm_Main::TakeUndoSnapshot() {
    if (FUndoState == 0) {
        FUndoCurrent = Image1->Picture().SaveToBmp();
        FUndoState = 1;
    }
    Btn_Undo_1->setEnabled(FUndoState == 2);
    Btn_Undo_2->setEnabled(FUndoState == 2);
    if (FUndoState == 1 || FUndoState == 2) {
        FUndoPrevious = FUndoCurrent;
        FUndoCurrent = Image1->Picture().SaveToBmp();
        FUndoState = 2;
    }
}

void TForm_Main::Btn_Undo_1Click() {
    if (FUndoState != 2) return;
    FUndoCurrent = FUndoPrevious;
    platform::Bitmap restored;
    restored.LoadFromBmp(FUndoCurrent);
    Image1->SetPicture(restored.Image());
    Btn_Undo_1->setEnabled(false);
    Btn_Undo_2->setEnabled(false);
}

void TForm_Main::Btn_Undo_1MouseMove() { platform::Screen::SetCursor(platform::crDefault); }

void TForm_Main::ResetUndo() {
    FUndoCurrent = QByteArray();
    FUndoPrevious = QByteArray();
    FUndoState = 0;
    Btn_Undo_1->setEnabled(false);
    Btn_Undo_2->setEnabled(false);
}
