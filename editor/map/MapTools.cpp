// Point-map tools: the move step, breakwaters, lines and shapes, symbols,
// map text and the eraser.
#include <QLineEdit>
#include <QPushButton>

#include "editor/Main.h"
#include "editor/map/Breakwater.h"
#include "editor/map/Symbols.h"
#include "editor/rig/ArrowHead.h"
#include "editor/window/Controls.h"
#include "platform/Canvas.h"
#include "platform/Cursors.h"

using platform::BrushStyle;
using platform::Canvas;
using platform::PenMode;
namespace colors = platform::colors;

namespace {

// Pen width of the line set's rubber band and freehand line ("細", "太",
// "極太"), and of its finished figures; 0 for an index that is no item.
int PreviewWidth(int item) { return item == 0 ? 1 : item == 1 ? 2 : item == 2 ? 3 : 0; }
int FinalWidth(int item) { return item == 0 ? 1 : item == 1 ? 2 : item == 2 ? 4 : 0; }

// Radius of the eraser disc ("小", "大"); 0 for an index that is no item.
int EraserRadius(int item) { return item == 0 ? 5 : item == 1 ? 10 : 0; }

void Line(Canvas& c, TPoint a, TPoint b) {
    c.MoveTo(a.X, a.Y);
    c.LineTo(b.X, b.Y);
}

// The figure of a line-set code from S to P as the rubber band shows it.
// Codes without a rubber band (104 and unknown codes) draw nothing.
void LineSetFigure(Canvas& c, int code, TPoint S, TPoint P) {
    switch (code) {
        case 101: Line(c, S, {S.X, P.Y}); break;
        case 102: Line(c, S, {P.X, S.Y}); break;
        case 103:
        case 105:
        case 106: Line(c, S, P); break;
        case 107: c.Rectangle(S.X, S.Y, P.X, P.Y); break;
        case 108: c.RoundRect(S.X, S.Y, P.X, P.Y, 30, 30); break;
        case 109: c.Ellipse(S.X, S.Y, P.X, P.Y); break;
        default: break;
    }
}

}  // namespace

// ------------------------------------------------------------ move step

void TForm_Main::MapPointerMove(int X, int Y) {
    bool ok = false;
    int width = Edit_Haba->text().toInt(&ok);
    if (!ok) width = UpDown1->Position();
    ComputeBandOffsets(width);
    if (FMouseIsDown) {
        switch (R_Group1->ItemIndex()) {
            case 0: BreakwaterPreview(X, Y); break;
            case 1: LineSetPreview(X, Y); break;
            case 2: PartsSetMove(X, Y); break;
            default: break;
        }
    }
    SurfaceCanvas().SetPenMode(PenMode::Copy);
}

void TForm_Main::ComputeBandOffsets(int W) {
    const editor::BandOffsets now =
        editor::ComputeBandOffsets(FStartPt, FLastPt, W, {FBandOffset, FQuarterOffset, FThreeQuarterOffset});
    FBandOffset = now.Band;
    FQuarterOffset = now.Quarter;
    FThreeQuarterOffset = now.ThreeQuarter;
}

// ---------------------------------------------------------- breakwaters

void TForm_Main::BreakwaterPreview(int X, int Y) {
    const editor::BandOutline shown{FStartPt, FLastPt, FBandEndCorner, FBandStartCorner, FDividerEnd, FDividerStart};
    const editor::BandOutline next = editor::DrawBandPreview(
        SurfaceCanvas(), FMapTool, shown, {X, Y}, {FBandOffset, FQuarterOffset, FThreeQuarterOffset});
    FLastPt = next.End;
    FBandEndCorner = next.EndCorner;
    FBandStartCorner = next.StartCorner;
    FDividerEnd = next.DividerEnd;
    FDividerStart = next.DividerStart;
}

void TForm_Main::BreakwaterRelease(int X, int Y) {
    Canvas& c = SurfaceCanvas();
    if (FMouseIsDown && editor::IsBreakwaterCode(FMapTool)) {
        // Take the last outline away first, so that none of it stays when
        // the release comes off the last move's position.
        c.SetPenColor(colors::Black);
        c.SetPenWidth(1);
        c.SetPenMode(PenMode::NotXor);
        editor::DrawBandOutline(
            c, FMapTool, {FStartPt, FLastPt, FBandEndCorner, FBandStartCorner, FDividerEnd, FDividerStart});
    }
    const editor::BandPaint band{FMapTool, FStartPt, {X, Y}, {FBandOffset, FQuarterOffset, FThreeQuarterOffset},
                                 ColorBox1->Selected()};
    if (editor::PaintBand(c, band)) TakeUndoSnapshot();
}

// --------------------------------------------------------- lines, shapes

void TForm_Main::LineSetPreview(int X, int Y) {
    Canvas& c = SurfaceCanvas();
    c.SetPenMode(PenMode::NotXor);
    c.SetBrushStyle(BrushStyle::Clear);
    c.SetPenColor(ColorBox1->Selected());
    if (const int w = PreviewWidth(R_Group_line->ItemIndex())) c.SetPenWidth(w);

    if (FMapTool == 104) {
        // The freehand line is drawn for good as the pointer goes.
        c.SetPenMode(PenMode::Copy);
        c.SetPenColor(ColorBox1->Selected());
        c.LineTo(X, Y);
    } else {
        LineSetFigure(c, FMapTool, FStartPt, FLastPt);  // away with the last one
        LineSetFigure(c, FMapTool, FStartPt, {X, Y});
    }
    FLastPt = {X, Y};
}

void TForm_Main::LineSetRelease(int X, int Y) {
    Canvas& c = SurfaceCanvas();
    const int code = FMapTool;
    if (FMouseIsDown && code >= 101 && code <= 109 && code != 104) {
        // Take the last rubber band away first; the final figure is then
        // drawn on the picture as it was, wherever the release comes.
        c.SetPenMode(PenMode::NotXor);
        c.SetBrushStyle(BrushStyle::Clear);
        c.SetPenColor(ColorBox1->Selected());
        if (const int w = PreviewWidth(R_Group_line->ItemIndex())) c.SetPenWidth(w);
        LineSetFigure(c, code, FStartPt, FLastPt);
    }

    c.SetPenMode(PenMode::Copy);
    c.SetPenColor(ColorBox1->Selected());
    c.SetPenWidth(2);
    c.SetBrushColor(colors::White);
    if (const int w = FinalWidth(R_Group_line->ItemIndex())) c.SetPenWidth(w);
    if (R_Group2->ItemIndex() == 0) c.SetBrushStyle(BrushStyle::Solid);
    if (R_Group2->ItemIndex() == 1) c.SetBrushStyle(BrushStyle::Clear);

    const TPoint S = FStartPt;
    switch (code) {
        case 101: Line(c, S, {S.X, Y}); break;
        case 102: Line(c, S, {X, S.Y}); break;
        case 103: Line(c, S, {X, Y}); break;
        case 104: break;  // drawn while moving
        case 105:
            Line(c, S, {X, Y});
            editor::DrawArrowHead(c, S.X, S.Y, X, Y);
            break;
        case 106: {
            Line(c, S, {X, Y});
            const int k = 3 * (R_Group_line->ItemIndex() + 1);
            Line(c, {X - k, Y - k}, {X + k, Y + k});
            Line(c, {X - k, Y + k}, {X + k, Y - k});
            break;
        }
        case 107: c.Rectangle(S.X, S.Y, FLastPt.X, FLastPt.Y); break;
        case 108: c.RoundRect(S.X, S.Y, FLastPt.X, FLastPt.Y, 30, 30); break;
        case 109: c.Ellipse(S.X, S.Y, FLastPt.X, FLastPt.Y); break;
        default: return;  // no tool: nothing drawn, no snapshot
    }
    TakeUndoSnapshot();
}

// ------------------------------------------------ symbols, text, eraser

void TForm_Main::MapPartClick(int code, int X, int Y) { editor::DrawMapSymbol(SurfaceCanvas(), code, X, Y); }

void TForm_Main::PlaceMapTextEdit(int X, int Y) { OpenTextBox(Edit_Y, X, Y); }

void TForm_Main::Edit_YKeyPress(QChar& key) {
    if (key != QChar(13)) return;
    key = QChar();
    SurfaceCanvas().TextOut(FAnchor.X, FAnchor.Y - 8, Edit_Y->text());
    CloseTextBox(Edit_Y);
    S2_Btn0->SetDown();
    platform::Screen::SetCursor(platform::crDefault);
    TakeUndoSnapshot();
}

void TForm_Main::PartsSetMove(int X, int Y) {
    if (FMapTool == 109) {
        Canvas& c = SurfaceCanvas();
        c.SetPenWidth(1);
        c.SetPenMode(PenMode::Copy);
        c.SetPenColor(colors::White);
        c.SetBrushColor(colors::White);
        c.SetBrushStyle(BrushStyle::Solid);
        if (const int r = EraserRadius(R_Group_Keshigomu->ItemIndex())) {
            // Erase where the pointer was; this also covers the ring shown there.
            c.Ellipse(FLastPt.X - r, FLastPt.Y - r, FLastPt.X + r, FLastPt.Y + r);
            // The ring that marks the eraser: red on white, the inside kept.
            c.SetPenMode(PenMode::NotXor);
            c.SetPenColor(colors::Red);
            c.Ellipse(X - r, Y - r, X + r, Y + r);
        } else {
            c.SetPenMode(PenMode::NotXor);
            c.SetPenColor(colors::Red);
        }
    }
    FLastPt = {X, Y};
}

void TForm_Main::PartsSetRelease(int X, int Y) {
    Canvas& c = SurfaceCanvas();
    c.SetPenMode(PenMode::Copy);
    c.SetPenColor(ColorBox1->Selected());
    c.SetPenWidth(2);
    if (FMapTool != 109) return;  // symbols and text are done at the press and on Enter

    c.SetBrushStyle(BrushStyle::Solid);
    c.SetBrushColor(colors::White);
    c.SetPenWidth(1);
    c.SetPenColor(colors::White);
    if (const int r = EraserRadius(R_Group_Keshigomu->ItemIndex())) {
        // The ring of the last move goes as well, also when the release
        // comes somewhere else.
        if (FMouseIsDown && FLastPt != TPoint{X, Y}) c.Ellipse(FLastPt.X - r, FLastPt.Y - r, FLastPt.X + r, FLastPt.Y + r);
        c.Ellipse(X - r, Y - r, X + r, Y + r);
    }
    TakeUndoSnapshot();
}
