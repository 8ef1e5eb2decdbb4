// The rig tool palette: choosing a tool sets its code, the application-wide
// cursor and the tool's name.
#include <QLabel>

#include "editor/Main.h"
#include "editor/window/Controls.h"
#include "platform/Cursors.h"

namespace {

struct RigToolEntry {
    int cursor;        // cursor code; crDefault for the arrow
    const char16_t* label;
};

// Indexed by tool code 0 .. 34.
const RigToolEntry kRigTools[35] = {
    {platform::crDefault, u""},                   // 0
    {1, u"小　ヨリモドシ"},                        // 1
    {2, u"小　ヨリモドシ"},                        // 2
    {3, u"大　ヨリモドシ"},                        // 3
    {4, u"大　ヨリモドシ"},                        // 4
    {5, u"固定テンビン"},                          // 5
    {6, u"遊動テンビン"},                          // 6
    {7, u"オモリ"},                                // 7
    {8, u"オモリ"},                                // 8
    {9, u"小さい針"},                              // 9
    {10, u"小さい針"},                             // 10
    {11, u"大きい針"},                             // 11
    {12, u"大きい針"},                             // 12
    {platform::crDefault, u""},                   // 13
    {platform::crDefault, u""},                   // 14
    {21, u"細　ライン"},                           // 15
    {21, u"細　上向きの弧"},                       // 16
    {21, u"細　下向きの弧"},                       // 17
    {21, u"太　ライン"},                           // 18
    {21, u"太　上向きの弧"},                       // 19
    {21, u"太　下向きの弧"},                       // 20
    {21, u"自由細　ライン"},                       // 21
    {21, u"自由太　ライン"},                       // 22
    {21, u"垂直　太　ライン"},                     // 23
    {21, u"水平　太　ライン"},                     // 24
    {platform::crDefault, u"消しゴム　大"},        // 25
    {platform::crDefault, u"消しゴム　小"},        // 26
    {21, u"垂直　細　ライン"},                     // 27
    {21, u"水平　細　ライン"},                     // 28
    {platform::crIBeam, u"文字入力"},              // 29
    {platform::crDefault, u"矢印"},                // 30
    {31, u"小さい針"},                             // 31
    {32, u"小さい針"},                             // 32
    {33, u"大きい針"},                             // 33
    {34, u"大きい針"},                             // 34
};

}  // namespace

void TForm_Main::_cursor_sel_(TSpeedButton* sender) {
    FRigTool = sender->Tag();
    SelectRigTool();
}

void TForm_Main::S_Btn_DefaultClick() {
    FRigTool = 0;
    SelectRigTool();
}

void TForm_Main::SelectRigTool() {
    if (FRigTool < 0 || FRigTool > 34) {
        platform::Screen::SetCursor(platform::crDefault);
        return;
    }
    const RigToolEntry& e = kRigTools[FRigTool];
    platform::Screen::SetCursor(e.cursor);
    Label_Buhin->setText(QString::fromUtf16(e.label));
    if (FRigTool == 13) Draw_Rod_Spinning();
    if (FRigTool == 14) Draw_Rod_Revolving();
    Image1->Flush();
}

void TForm_Main::Panel2MouseMove(int, int) {
    S_Btn_Default->SetDown();
    FRigTool = 0;
    Label_Buhin->setText(QString());
    platform::Screen::SetCursor(platform::crDefault);
}

void TForm_Main::Panel_ColorMouseMove(int x, int y) { Panel2MouseMove(x, y); }
