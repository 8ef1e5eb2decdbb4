// Rig strokes: the recorded stroke of lines, arcs and arrows; free,
// vertical and horizontal lines; the eraser; the text box; rod templates.
#include <QGuiApplication>
#include <QInputMethod>
#include <QLineEdit>
#include <QWidget>

#include "editor/Main.h"
#include "editor/rig/ArrowHead.h"
#include "editor/rig/RodTemplates.h"
#include "editor/window/Controls.h"
#include "platform/Canvas.h"
#include "platform/Cursors.h"

namespace {
constexpr platform::Color kMark = platform::colors::Blue;

int EraserRadius(int code) { return code == 25 ? 15 : code == 26 ? 10 : 0; }

// Integer division truncating toward zero (as C++ does).
int Div(int a, int b) { return a / b; }
}  // namespace

// ---------------------------------------------------------- recorded stroke

void TForm_Main::StrokePress(int X, int Y) {
    FStrokePts[0].resize(kStrokeCapacity);
    FStrokePts[1].resize(kStrokeCapacity);
    FStrokeColors.resize(kStrokeCapacity);
    FStrokeCount = 0;
    FStrokeKind = 1;
    platform::Canvas& c = SurfaceCanvas();
    FStrokePts[0][0] = X;
    FStrokePts[1][0] = Y;
    FStrokeColors[0] = c.Pixel(X, Y);
    FStrokeStart = {X, Y};
    c.SetPixel(X, Y, kMark);
}

void TForm_Main::StrokeMove(int X, int Y) {
    // The buffer never grows past its capacity: moves beyond it are not
    // recorded and not marked.
    if (FStrokeCount + 1 >= kStrokeCapacity) return;
    FStrokeCount += 1;
    platform::Canvas& c = SurfaceCanvas();
    FStrokePts[0][static_cast<size_t>(FStrokeCount)] = X;
    FStrokePts[1][static_cast<size_t>(FStrokeCount)] = Y;
    FStrokeColors[static_cast<size_t>(FStrokeCount)] = c.Pixel(X, Y);
    c.SetPixel(X, Y, kMark);
}

namespace {
// Puts back every recorded pixel, last to first, so a pixel recorded twice
// gets the colour it had before the drag. Each saved colour is put back once:
// a second release without a new press (another mouse button let go) must
// not paint old colours over the shape drawn by the first.
void RestoreStroke(TForm_Main& f) {
    platform::Canvas& c = f.SurfaceCanvas();
    for (int i = f.FStrokeCount; i >= 0; --i) {
        auto& saved = f.FStrokeColors[static_cast<size_t>(i)];
        if (saved) c.SetPixel(f.FStrokePts[0][static_cast<size_t>(i)], f.FStrokePts[1][static_cast<size_t>(i)], *saved);
        saved.reset();
    }
}
}  // namespace

void TForm_Main::StrokeRelease(int code, int X, int Y) {
    platform::Canvas& c = SurfaceCanvas();
    if (code == 15 || code == 18) {
        RestoreStroke(*this);
        c.SetPenWidth(code == 15 ? 1 : 2);
        c.SetPenColor(ColorBox1->Selected());
        c.MoveTo(FStrokePts[0][0], FStrokePts[1][0]);
        c.LineTo(X, Y);
    } else if (code == 16 || code == 17 || code == 19 || code == 20) {
        c.SetPenColor(ColorBox1->Selected());
        c.SetPenWidth(code == 16 || code == 17 ? 1 : 2);
        RestoreStroke(*this);
        const TPoint S = FStrokeStart;
        const TPoint E = FStrokeEnd;
        const int h = std::abs(E.Y - S.Y) / 10;
        const int d = Div(E.Y - S.Y, 10);
        const TPoint thirds1{S.X + Div(E.X - S.X, 3), S.Y - h};
        const TPoint thirds2{S.X + 2 * Div(E.X - S.X, 3), S.Y - 2 * d};
        const TPoint quarters1{S.X + Div(E.X - S.X, 4), E.Y - h};
        const TPoint quarters2{S.X + 3 * Div(E.X - S.X, 4), E.Y - 2 * d};
        const bool upward = code == 16 || code == 19;
        const bool pressedAbove = S.Y <= E.Y;
        const bool useThirds = upward == pressedAbove;
        FCurvePts = {S, useThirds ? thirds1 : quarters1, useThirds ? thirds2 : quarters2, E};
        c.PolyBezier(FCurvePts);
    } else if (code == 30) {
        RestoreStroke(*this);
        c.SetPenWidth(2);
        c.SetPenColor(ColorBox1->Selected());
        c.MoveTo(FStrokeStart.X, FStrokeStart.Y);
        c.LineTo(X, Y);
        editor::DrawArrowHead(c, FStrokeStart.X, FStrokeStart.Y, X, Y);
    }
    FStrokeKind = 0;
    TakeUndoSnapshot();
}

// ------------------------------------------------ free and constrained lines

void TForm_Main::FreeLineMove(int X, int Y) {
    platform::Canvas& c = SurfaceCanvas();
    c.SetPenWidth(FRigTool == 21 ? 1 : 2);
    c.SetPenColor(ColorBox1->Selected());
    c.LineTo(X, Y);
}

void TForm_Main::VerticalHorizontalMove(int X, int Y) {
    platform::Canvas& c = SurfaceCanvas();
    c.SetPenWidth(FRigTool == 23 || FRigTool == 24 ? 2 : 1);
    c.SetPenColor(ColorBox1->Selected());
    if (FRigTool == 23 || FRigTool == 27)
        c.LineTo(FAnchor.X, Y);
    else
        c.LineTo(X, FAnchor.Y);
}

// ------------------------------------------------------------------ eraser

void TForm_Main::EraserMove(int X, int Y) {
    const int r = EraserRadius(FRigTool);
    platform::Canvas& c = SurfaceCanvas();
    c.SetBrushStyle(platform::BrushStyle::Solid);
    c.SetBrushColor(platform::colors::White);
    c.SetPenWidth(1);
    c.SetPenColor(platform::colors::White);
    c.Ellipse(FLastPt.X - r, FLastPt.Y - r, FLastPt.X + r, FLastPt.Y + r);
    c.SetPenColor(platform::colors::Red);
    c.Ellipse(X - r, Y - r, X + r, Y + r);
    FEraserRingShown = true;
}

void TForm_Main::EraserRelease(int X, int Y) {
    const int r = EraserRadius(FRigTool);
    platform::Canvas& c = SurfaceCanvas();
    c.SetPenMode(platform::PenMode::Copy);
    c.SetBrushStyle(platform::BrushStyle::Solid);
    c.SetBrushColor(platform::colors::White);
    c.SetPenWidth(1);
    c.SetPenColor(platform::colors::White);
    // The last ring goes too when the release comes elsewhere than the last
    // move; its disc is already erased, so the erased area stays the same.
    if (FEraserRingShown) c.Ellipse(FLastPt.X - r, FLastPt.Y - r, FLastPt.X + r, FLastPt.Y + r);
    FEraserRingShown = false;
    c.Ellipse(X - r, Y - r, X + r, Y + r);
    FStrokeKind = 0;
    TakeUndoSnapshot();
}

// -------------------------------------------------------------------- text

void TForm_Main::PlaceTextEdit() { OpenTextBox(Edit_X, FAnchor.X, FAnchor.Y); }

void TForm_Main::Edit_XKeyPress(QChar& key) {
    if (key != QChar(13)) return;
    key = QChar();
    platform::Canvas& c = SurfaceCanvas();
    const QString text = Edit_X->text();
    if (!text.isEmpty()) c.TextOut(FAnchor.X, FAnchor.Y - 8, text);
    CloseTextBox(Edit_X);
    S_Btn_Default->SetDown();
    platform::Screen::SetCursor(platform::crDefault);
    TakeUndoSnapshot();
}

// ------------------------------------------------------------ rod templates

void TForm_Main::Draw_Rod_Spinning() { editor::Draw_Rod_Spinning(SurfaceCanvas()); }

void TForm_Main::Draw_Rod_Revolving() { editor::Draw_Rod_Revolving(SurfaceCanvas()); }
