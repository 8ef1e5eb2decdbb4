#pragma once
// Tacklepad's one window: the rig and fishing-spot map editor.
//
// The class keeps its controls (from Main.ui), its state fields and one
// handler per control event. Its code is split by area:
//   Main.cpp                 creation, showing, closing, cursors, version
//   window/Palette.cpp       rig tool palette
//   window/Undo.cpp          single-step undo
//   window/PictureIO.cpp     save, copy, paste, load, clear
//   rig/Dispatch.cpp         the surface's pointer handlers
//   rig/Strokes.cpp          recorded strokes, free and constrained lines,
//                            eraser, text
//   map/MapMode.cpp          mode switch and point-map palette
//   map/MapTools.cpp         point-map move step, breakwaters, lines and
//                            shapes, symbols, map text and eraser

#include <QByteArray>
#include <QString>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "platform/Types.h"

namespace Ui {
class TForm_Main;
}
namespace platform {
class Canvas;
}
class QFileDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class TSpeedButton;
class TRadioGroup;
class TColorBox;
class TImage;
class TPanel;
class TUpDown;

using platform::TPoint;

class TForm_Main : public QWidget {
    Q_OBJECT

public:
    explicit TForm_Main(QWidget* parent = nullptr);
    ~TForm_Main() override;

    // Capacity of the recorded stroke, the press point included.
    static constexpr int kStrokeCapacity = 10000;

    // ---- controls (owned by the form) ----
    TPanel* Panel2;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label_Size;
    QLabel* Label_Var;
    QPushButton* Btn_Shikake_Or_Point;
    QPushButton* Button_Clear;
    QPushButton* Btn_File;
    QPushButton* Btn_Clip;
    QPushButton* Button1;
    TPanel* Panel_Image;
    TImage* Image1;
    QLineEdit* Edit_Y;
    QLineEdit* Edit_X;
    TPanel* Panel_Shikake;
    TSpeedButton* S_Btn_Default;
    QLabel* Label_Buhin;
    QPushButton* Btn_Undo_1;
    TPanel* Panel_Color;
    TColorBox* ColorBox1;
    QPushButton* Btn_ClipBord;
    QPushButton* Button4;
    TPanel* Panel_Point;
    TSpeedButton* S2_Btn0;
    QLabel* Label_Point;
    QPushButton* Btn_Undo_2;
    TRadioGroup* R_Group1;
    QLabel* Image_H;
    QLabel* Label_Hato;
    QLineEdit* Edit_Haba;
    TUpDown* UpDown1;
    TRadioGroup* R_Group_line;
    TRadioGroup* R_Group2;
    TRadioGroup* R_Group_Keshigomu;

    // The rig tool buttons by code (index 0 .. 34), the map tool buttons
    // S2_Btn0 .. S2_Btn9.
    TSpeedButton* RigButton(int code) const;
    TSpeedButton* MapButton(int k) const;
    // Every speed button of the window.
    std::vector<TSpeedButton*> SpeedButtons() const;

    // ---- creation, showing, closing ----
    void FormCreate();
    void FormShow();
    void FormDestroy();
    void Button1Click();
    void LoadToolCursor(int code, const QString& name);
    QString GetFileVersionText();

    // ---- rig palette ----
    void _cursor_sel_(TSpeedButton* sender);
    void S_Btn_DefaultClick();
    void SelectRigTool();
    void Panel2MouseMove(int x, int y);
    void Panel_ColorMouseMove(int x, int y);

    // ---- undo ----
    void TakeUndoSnapshot();
    void Btn_Undo_1Click();
    void Btn_Undo_1MouseMove();
    // Clear's reset: empty streams, state 0, buttons disabled.
    void ResetUndo();

    // ---- picture import, export, clearing ----
    void Btn_FileClick();
    void Btn_ClipClick();
    void Btn_ClipBordClick();
    void Button4Click();
    void Button_ClearClick();
    // "BitMapのサイズ　" + width + " * " + height of Image1.
    void RefreshSizeLabel();

    // ---- pointer dispatch ----
    void _Image1_MouseDown_(QWidget* sender, Qt::MouseButton button, int X, int Y);
    void Image1MouseMove(int X, int Y);
    void Image1MouseUp(Qt::MouseButton button, int X, int Y);
    bool IsRigMode() const;

    // ---- rig strokes ----
    void StrokePress(int X, int Y);         // codes 15-20, 30
    void StrokeMove(int X, int Y);
    void StrokeRelease(int code, int X, int Y);
    void FreeLineMove(int X, int Y);        // codes 21, 22
    void VerticalHorizontalMove(int X, int Y);  // codes 23, 24, 27, 28
    void EraserMove(int X, int Y);          // codes 25, 26
    void EraserRelease(int X, int Y);
    void PlaceTextEdit();
    void Edit_XKeyPress(QChar& key);
    void Draw_Rod_Spinning();
    void Draw_Rod_Revolving();

    // ---- point-map mode ----
    void Btn_Shikake_Or_PointClick();
    void R_Group1Click();
    void S2_Btn_Click(TSpeedButton* sender);
    void LoadMapPaletteGlyphs();
    void MapPointerMove(int X, int Y);
    void ComputeBandOffsets(int W);
    void BreakwaterPreview(int X, int Y);
    void BreakwaterRelease(int X, int Y);
    void LineSetPreview(int X, int Y);
    void LineSetRelease(int X, int Y);
    void PartsSetMove(int X, int Y);
    void PartsSetRelease(int X, int Y);
    void MapPartClick(int code, int X, int Y);  // codes 101-107
    void PlaceMapTextEdit(int X, int Y);
    void Edit_YKeyPress(QChar& key);

    // ---- the text boxes of both modes ----
    // Opens `box` on the surface panel for an entry at (X, Y) of the surface.
    void OpenTextBox(QLineEdit* box, int X, int Y);
    // Empties and hides `box`; it gives up the keyboard.
    void CloseTextBox(QLineEdit* box);

    // The drawing surface's canvas.
    platform::Canvas& SurfaceCanvas();

    // ---- pointer state ----
    int32_t FRigTool = 0;
    int32_t FMapTool = 0;
    int32_t FStrokeKind = 0;
    TPoint FAnchor;
    TPoint FDownPos;
    TPoint FStartPt;
    TPoint FLastPt;
    bool FMouseIsDown = false;
    // The rig eraser's red ring is on the picture at FLastPt.
    bool FEraserRingShown = false;

    // ---- undo ----
    QByteArray FUndoCurrent;
    QByteArray FUndoPrevious;
    int32_t FUndoState = 0;

    // ---- recorded stroke ----
    std::array<std::vector<int32_t>, 2> FStrokePts;
    std::vector<std::optional<platform::Color>> FStrokeColors;
    int32_t FStrokeCount = 0;
    TPoint FStrokeStart;
    TPoint FStrokeEnd;
    std::array<TPoint, 4> FCurvePts{};

    // ---- breakwater drag ----
    TPoint FBandOffset;
    TPoint FQuarterOffset;
    TPoint FThreeQuarterOffset;
    TPoint FBandEndCorner;
    TPoint FBandStartCorner;
    TPoint FDividerEnd;
    TPoint FDividerStart;

    // The file dialogs (made on first use).
    QFileDialog* OpenPicDialog1();
    QFileDialog* SavePictureDialog1();

protected:
    void showEvent(QShowEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void WireEvents();
    std::unique_ptr<Ui::TForm_Main> ui;
    std::array<TSpeedButton*, 35> rigButtons_{};
    std::array<TSpeedButton*, 10> mapButtons_{};
    bool shown_ = false;
    QFileDialog* openDialog_ = nullptr;
    QFileDialog* saveDialog_ = nullptr;
};
