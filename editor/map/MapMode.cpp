// Point-map mode: the mode switch and the point-map palette.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "editor/Main.h"
#include "editor/resources/Art.h"
#include "editor/window/Controls.h"
#include "platform/Canvas.h"

namespace {

const QString kRigCaption = QStringLiteral("仕掛け図へ");
const QString kMapCaption = QStringLiteral("ポイント図へ");

// What a tool button of a set shows when chosen: the tool's name in
// Label_Point and its glyph in Image_H (-1: none).
struct MapToolEntry {
    const char16_t* label;
    int preview;
};

// [set][button 1 .. 9]
constexpr MapToolEntry kMapTools[3][9] = {
    // "波止": the nine bands, no name.
    {{u"", 0}, {u"", 1}, {u"", 2}, {u"", 3}, {u"", 4}, {u"", 5}, {u"", 6}, {u"", 7}, {u"", 8}},
    // "線": lines carry only a name, shapes also their glyph.
    {{u"縦線", -1},
     {u"横線", -1},
     {u"斜め線", -1},
     {u"自由線", -1},
     {u"矢印線", -1},
     {u"×付線", -1},
     {u"四角", 15},
     {u"丸四角", 16},
     {u"丸", 17}},
    // "部品"
    {{u"テトラポッド", 18},
     {u"テトラポッド", 19},
     {u"三角　波消", 20},
     {u"四角　波消", 21},
     {u"砂浜", 22},
     {u"岩場", 23},
     {u"駐車場", 24},
     {u"文字入力", 25},
     {u"消しゴム", 26}},
};

// First glyph of a button set, or -1 for an index that is no set.
int GlyphBase(int set) { return set >= 0 && set <= 2 ? set * 9 : -1; }

}  // namespace

void TForm_Main::Btn_Shikake_Or_PointClick() {
    // A blank picture in both directions; what was drawn is discarded.
    Image1->move(6, 7);
    Image1->resize(500, 500);
    Image1->SetPicture(platform::Bitmap(500, 500).Image());

    if (IsRigMode()) {
        Panel_Point->raise();
        Btn_Shikake_Or_Point->setText(kMapCaption);
        LoadMapPaletteGlyphs();
        // Runs R_Group1Click when another set was chosen.
        R_Group1->setItemIndex(0);
        R_Group2->setEnabled(false);
        R_Group_line->setEnabled(false);
        R_Group_Keshigomu->setEnabled(false);
        Edit_Haba->setEnabled(true);
        UpDown1->setEnabled(true);
        Label_Hato->setEnabled(true);
        Label_Point->clear();
        Image_H->clear();
        S2_Btn0->SetDown();
        FMapTool = 0;
    } else {
        Panel_Shikake->raise();
        platform::Canvas& c = SurfaceCanvas();
        c.TextOut(5, 2, QStringLiteral("仕掛け図"));
        c.SetBrushColor(platform::colors::White);
        c.SetPenColor(platform::colors::Black);
        c.SetPenWidth(1);
        Btn_Shikake_Or_Point->setText(kRigCaption);
        S_Btn_Default->SetDown();
    }
    // The undo history starts afresh with the new picture.
    FUndoState = 0;
    Btn_Undo_1->setEnabled(false);
    Btn_Undo_2->setEnabled(false);
    RefreshSizeLabel();
    Image1->Flush();
}

void TForm_Main::LoadMapPaletteGlyphs() {
    const int base = GlyphBase(R_Group1->ItemIndex());
    if (base < 0) return;
    for (int k = 1; k <= 9; ++k) MapButton(k)->SetGlyph(editor::MapGlyph(base + k - 1));
}

void TForm_Main::R_Group1Click() {
    LoadMapPaletteGlyphs();
    FMouseIsDown = false;
    Image_H->clear();
    FMapTool = 0;
    Label_Point->clear();
    const int set = R_Group1->ItemIndex();
    R_Group2->setEnabled(set == 1);
    R_Group_line->setEnabled(set == 1);
    Edit_Haba->setEnabled(set == 0);
    UpDown1->setEnabled(set == 0);
    Label_Hato->setEnabled(set == 0);
}

void TForm_Main::S2_Btn_Click(TSpeedButton* sender) {
    FMapTool = sender->Tag();
    Image_H->clear();
    Label_Point->clear();
    R_Group_Keshigomu->setEnabled(false);

    const int set = R_Group1->ItemIndex();
    const int k = FMapTool - 100;
    if (set < 0 || set > 2 || k < 1 || k > 9) return;
    const MapToolEntry& e = kMapTools[set][k - 1];
    Label_Point->setText(QString::fromUtf16(e.label));
    if (e.preview >= 0) Image_H->setPixmap(editor::MapGlyph(e.preview));
    if (set == 2 && FMapTool == 109) R_Group_Keshigomu->setEnabled(true);
}
