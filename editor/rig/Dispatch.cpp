// The drawing surface's pointer handlers: press, move and release, in rig
// mode by the rig tool code, in point-map mode by the button set.
#include <QCursor>

#include "editor/Main.h"
#include "editor/map/Symbols.h"
#include "editor/rig/Stamps.h"
#include "editor/window/Controls.h"
#include "platform/Canvas.h"
#include "platform/Cursors.h"

void TForm_Main::_Image1_MouseDown_(QWidget*, Qt::MouseButton, int X, int Y) {
    // The press position over the surface comes from the screen cursor, read
    // afresh for each coordinate.
    FDownPos.X = QCursor::pos().x() - Image1->mapToGlobal(QPoint(0, 0)).x();
    FDownPos.Y = QCursor::pos().y() - Image1->mapToGlobal(QPoint(0, 0)).y();

    if (IsRigMode()) {
        const int code = FRigTool;
        if (editor::IsRigStampCode(code)) {
            editor::DrawRigStamp(SurfaceCanvas(), code, FDownPos.X, FDownPos.Y);
            FRigTool = 0;
            TakeUndoSnapshot();
            platform::Screen::SetCursor(platform::crDefault);
        } else if (code == 13 || code == 14) {
            // Both rod templates are drawn when chosen; a press afterwards
            // completes the edit.
            FRigTool = 0;
            TakeUndoSnapshot();
        } else if ((code >= 15 && code <= 20) || code == 30) {
            StrokePress(X, Y);
        } else if (code == 21 || code == 22) {
            FStrokeKind = 1;
            FAnchor = {X, Y};
            SurfaceCanvas().MoveTo(X, Y);
        } else if (code == 23 || code == 24 || code == 27 || code == 28) {
            FStrokeKind = code == 23 ? 2 : code == 24 ? 3 : code == 27 ? 4 : 5;
            FAnchor = {X, Y};
            SurfaceCanvas().MoveTo(X, Y);
        } else if (code == 25 || code == 26) {
            FStrokeKind = 1;
            // The first move wipes a disc at FLastPt: start it at the press
            // point, not wherever the last handled move happened to be
            // ((0, 0) before the first press inside the surface).
            FLastPt = {X, Y};
            FEraserRingShown = false;
        } else if (code == 29) {
            FAnchor = {X, Y};
            PlaceTextEdit();
        }
        return;
    }

    FMouseIsDown = true;
    SurfaceCanvas().MoveTo(X, Y);
    FStartPt = FLastPt = FBandEndCorner = FBandStartCorner = FDividerEnd = FDividerStart = {X, Y};
    FBandOffset = FQuarterOffset = FThreeQuarterOffset = {0, 0};
    if (R_Group1->ItemIndex() != 2) return;
    if (editor::IsMapSymbolCode(FMapTool)) {
        MapPartClick(FMapTool, FDownPos.X, FDownPos.Y);
        TakeUndoSnapshot();
    } else if (FMapTool == 108) {
        FAnchor = {X, Y};
        PlaceMapTextEdit(X, Y);
    }
}

void TForm_Main::Image1MouseMove(int X, int Y) {
    if (!IsRigMode()) {
        MapPointerMove(X, Y);
        return;
    }
    if (!(0 < FDownPos.X && FDownPos.X < Image1->width() && 0 < FDownPos.Y && FDownPos.Y < Image1->height())) return;

    const int code = FRigTool;
    if (((code >= 15 && code <= 20) || code >= 30) && FStrokeKind == 1) {
        StrokeMove(X, Y);
    } else if ((code == 21 || code == 22) && FStrokeKind == 1) {
        FreeLineMove(X, Y);
    } else if ((code == 23 && FStrokeKind == 2) || (code == 24 && FStrokeKind == 3) ||
               (code == 27 && FStrokeKind == 4) || (code == 28 && FStrokeKind == 5)) {
        VerticalHorizontalMove(X, Y);
    } else if ((code == 25 || code == 26) && FStrokeKind == 1) {
        EraserMove(X, Y);
    }
    FLastPt = {X, Y};
}

void TForm_Main::Image1MouseUp(Qt::MouseButton, int X, int Y) {
    if (IsRigMode()) {
        FStrokeEnd = {X, Y};
        const int code = FRigTool;
        if ((code >= 15 && code <= 20) || code == 30) {
            StrokeRelease(code, X, Y);
        } else if (code >= 21 && code <= 24) {
            FStrokeKind = 0;
            TakeUndoSnapshot();
        } else if (code == 25 || code == 26) {
            EraserRelease(X, Y);
        } else if (code == 27 || code == 28) {
            FStrokeKind = 0;
            TakeUndoSnapshot();
        }
        return;
    }
    switch (R_Group1->ItemIndex()) {
        case 0: BreakwaterRelease(X, Y); break;
        case 1: LineSetRelease(X, Y); break;
        case 2: PartsSetRelease(X, Y); break;
        default: break;
    }
    FMouseIsDown = false;
}
