// Rig part stamps drawn on a bare canvas: known pixels of every part, the
// pen and brush they leave behind, clipping at the edge, and the dispatcher.
#include <gtest/gtest.h>

#include <QImage>
#include <functional>
#include <string>
#include <vector>

#include "editor/rig/Stamps.h"
#include "grey_picture.h"
#include "platform/Canvas.h"

namespace {

using platform::Canvas;
using platform::Color;
namespace colors = platform::colors;


struct Probe {
    int dx, dy;
    char want;
};

using StampFn = void (*)(Canvas&, int, int);

struct StampCase {
    int code;
    StampFn fn;
    const char* name;
    std::vector<Probe> probes;  // offsets from the anchor
};

// Probes keep off the exact rim of ellipses (whose pixels are the raster's)
// and test fills, axis-parallel strokes, the parts where one shape shows
// between two others, and pixels just outside the figure.
const std::vector<StampCase>& Cases() {
    static const std::vector<StampCase> cases = {
        {1, editor::Draw_V_Sarukan, "Draw_V_Sarukan",
         {{0, 3, 'W'}, {0, 11, 'W'}, {-1, 11, 'W'}, {0, 19, 'W'},     // ring, barrel, ring filled white
          {-1, 6, 'B'}, {0, 6, 'B'}, {-1, 15, 'B'}, {0, 15, 'B'},     // links showing between them
          {-2, 6, 'G'}, {1, 6, 'G'}, {-2, 15, 'G'},                  // beside the links
          {0, 22, 'G'}, {4, 11, 'G'}, {-4, 11, 'G'}, {0, -1, 'G'}}},
        {2, editor::Draw_H_Sarukan, "Draw_H_Sarukan",
         {{3, 0, 'W'}, {11, 0, 'W'}, {11, -1, 'W'}, {19, 0, 'W'},
          {6, -1, 'B'}, {6, 0, 'B'}, {15, -1, 'B'}, {15, 0, 'B'},
          {6, -2, 'G'}, {6, 1, 'G'}, {15, -2, 'G'},
          {22, 0, 'G'}, {11, 4, 'G'}, {11, -4, 'G'}, {-1, 0, 'G'}}},
        {3, editor::Draw_V_Big_Sarukan, "Draw_V_Big_Sarukan",
         {{0, 5, 'W'}, {0, 17, 'W'}, {0, 30, 'W'},                    // ring, barrel, ring
          {-2, 10, 'B'}, {1, 11, 'B'}, {-1, 10, 'W'}, {0, 11, 'W'},   // first link: outline and white inside
          {-2, 23, 'B'}, {1, 24, 'B'}, {0, 23, 'W'},                  // second link
          {-3, 11, 'G'}, {2, 10, 'G'}, {2, 24, 'G'},
          {0, 35, 'G'}, {5, 30, 'G'}, {6, 17, 'G'}, {-6, 17, 'G'}}},
        {4, editor::Draw_H_Big_Sarukan, "Draw_H_Big_Sarukan",
         {{5, 0, 'W'}, {18, 0, 'W'}, {30, 0, 'W'},
          {10, -2, 'B'}, {11, 1, 'B'}, {10, 0, 'W'}, {11, -1, 'W'},   // first link shows at x 10, 11
          {24, -2, 'B'}, {24, 1, 'B'}, {24, 0, 'W'},                  // second link shows at x 24
          {10, -3, 'G'}, {10, 2, 'G'}, {24, 2, 'G'},
          {35, 0, 'G'}, {30, 5, 'G'}, {18, 6, 'G'}, {18, -6, 'G'}}},
        {5, editor::Draw_Omori_Kotei, "Draw_Omori_Kotei",
         {{0, 25, 'B'}, {2, 25, 'G'}, {-2, 25, 'G'},                  // wire down from the top ring
          {24, 50, 'B'}, {24, 47, 'G'}, {24, 53, 'G'},                // arm out to the side
          {0, 60, 'B'}, {-2, 63, 'B'}, {2, 58, 'B'}, {0, 67, 'B'},    // sinker body and rounded bottom
          {-7, 60, 'G'}, {7, 60, 'G'}, {0, 72, 'G'},
          {51, 50, 'G'}, {19, 17, 'G'}, {15, 21, 'G'}, {30, 32, 'G'}}},  // no sliding wire
        {6, editor::Draw_Omori_Yudou, "Draw_Omori_Yudou",
         {{0, 25, 'B'}, {24, 50, 'B'}, {0, 60, 'B'}, {0, 67, 'B'},    // everything of the fixed arm
          {30, 32, 'B'}, {52, 54, 'B'},                               // diagonal wire and its continuation
          {12, 14, 'B'}, {22, 24, 'B'},                               // beads
          {19, 17, 'B'}, {15, 21, 'B'},                               // the diamond across the wire
          {30, 27, 'G'}, {25, 33, 'G'}, {58, 60, 'G'}}},
        {7, editor::Draw_V_Omori, "Draw_V_Omori",
         {{0, 10, 'B'}, {0, 20, 'B'}, {-4, 20, 'B'}, {4, 20, 'B'}, {0, 28, 'B'},
          {-4, 10, 'G'}, {4, 10, 'G'}, {-6, 20, 'G'}, {6, 20, 'G'}, {0, 31, 'G'}, {3, 1, 'G'}}},
        {8, editor::Draw_H_Omori, "Draw_H_Omori",
         {{10, 0, 'B'}, {20, 0, 'B'}, {20, -4, 'B'}, {20, 4, 'B'}, {28, 0, 'B'},
          {10, -4, 'G'}, {10, 4, 'G'}, {20, -6, 'G'}, {20, 6, 'G'}, {31, 0, 'G'}, {1, 3, 'G'}}},
        // Hooks: every axis-parallel stretch is black, the last point of the
        // line is left out, the inside of the bend is untouched.
        {9, editor::Draw_H_M_Hari, "Draw_H_M_Hari",
         {{0, 0, 'B'}, {9, 5, 'B'}, {14, 2, 'B'}, {11, -1, 'B'}, {10, -1, 'G'}, {10, 2, 'G'}, {-1, 0, 'G'}}},
        {10, editor::Draw_V_M_Hari, "Draw_V_M_Hari",
         {{0, 0, 'B'}, {-5, 9, 'B'}, {-2, 14, 'B'}, {1, 11, 'B'}, {1, 10, 'G'}, {-2, 10, 'G'}, {0, -1, 'G'}}},
        {11, editor::Draw_H_B_Hari, "Draw_H_B_Hari",
         {{1, 0, 'B'}, {19, 10, 'B'}, {28, 4, 'B'}, {22, -2, 'B'}, {19, -2, 'G'}, {20, 4, 'G'}, {-3, 0, 'G'}}},
        {12, editor::Draw_V_B_Hari, "Draw_V_B_Hari",
         {{0, 1, 'B'}, {-10, 19, 'B'}, {-4, 28, 'B'}, {2, 22, 'B'}, {2, 19, 'G'}, {-4, 20, 'G'}, {0, -3, 'G'}}},
        {31, editor::Draw_H_M_Hari_Mirror, "Draw_H_M_Hari_Mirror",
         {{0, 0, 'B'}, {-9, 5, 'B'}, {-14, 2, 'B'}, {-11, -1, 'B'}, {-10, -1, 'G'}, {-10, 2, 'G'}, {1, 0, 'G'}}},
        {32, editor::Draw_V_M_Hari_Mirror, "Draw_V_M_Hari_Mirror",
         {{0, 0, 'B'}, {5, 9, 'B'}, {2, 14, 'B'}, {-1, 11, 'B'}, {-1, 10, 'G'}, {2, 10, 'G'}, {0, -1, 'G'}}},
        {33, editor::Draw_H_B_Hari_Mirror, "Draw_H_B_Hari_Mirror",
         {{-1, 0, 'B'}, {-19, 10, 'B'}, {-28, 4, 'B'}, {-22, -2, 'B'}, {-19, -2, 'G'}, {-20, 4, 'G'}, {3, 0, 'G'}}},
        {34, editor::Draw_V_B_Hari_Mirror, "Draw_V_B_Hari_Mirror",
         {{0, 1, 'B'}, {10, 19, 'B'}, {4, 28, 'B'}, {-2, 22, 'B'}, {-2, 19, 'G'}, {4, 20, 'G'}, {0, -3, 'G'}}},
    };
    return cases;
}

bool IsLargeHook(int code) { return code == 11 || code == 12 || code == 33 || code == 34; }
bool IsHook(int code) { return (code >= 9 && code <= 12) || code >= 31; }

TEST(RigStamps, KnownPixelsOfEveryPart) {
    for (const StampCase& sc : Cases()) {
        SCOPED_TRACE(sc.name);
        GreyPicture pic;
        const int X = 200, Y = 200;
        sc.fn(pic.canvas, X, Y);
        for (const Probe& p : sc.probes)
            EXPECT_EQ(pic.At(X + p.dx, Y + p.dy), p.want) << "at offset (" << p.dx << ", " << p.dy << ")";
    }
}

// Whatever pen and brush the previous drawing left (here the colour chosen
// for lines, a wide pen and a coloured brush), a stamp draws only in black
// and white and leaves the pen width of its last step. Parts with a fill
// set the brush themselves and leave it white; hooks have no fill and leave
// the brush alone (in the editor it is white already).
TEST(RigStamps, IgnoreChosenColourAndLeaveTheirPen) {
    for (const StampCase& sc : Cases()) {
        SCOPED_TRACE(sc.name);
        GreyPicture pic;
        pic.canvas.SetPenColor(colors::Red);
        pic.canvas.SetPenWidth(5);
        pic.canvas.SetBrushColor(colors::Blue);
        sc.fn(pic.canvas, 200, 200);

        int foreign = 0, drawn = 0;
        for (int y = 120; y < 290; ++y)
            for (int x = 120; x < 290; ++x) {
                const char c = pic.At(x, y);
                foreign += c == '?';
                drawn += c == 'B' || c == 'W';
            }
        EXPECT_EQ(foreign, 0) << "pixels in a colour other than black or white";
        EXPECT_GT(drawn, 0);
        EXPECT_EQ(pic.canvas.PenColor(), colors::Black);
        EXPECT_EQ(pic.canvas.PenWidth(), IsLargeHook(sc.code) ? 2 : 1);
        EXPECT_EQ(pic.canvas.BrushColor(), IsHook(sc.code) ? colors::Blue : colors::White);
        EXPECT_EQ(pic.canvas.GetBrushStyle(), platform::BrushStyle::Solid);
        EXPECT_EQ(pic.canvas.GetPenMode(), platform::PenMode::Copy);
    }
}

TEST(RigStamps, SwivelAtTheCornerIsClipped) {
    GreyPicture pic;
    editor::Draw_H_Sarukan(pic.canvas, 0, 0);
    // Lower halves of ring, link and barrel remain.
    EXPECT_EQ(pic.At(3, 0), 'W');
    EXPECT_EQ(pic.At(11, 0), 'W');
    EXPECT_EQ(pic.At(19, 0), 'W');
    EXPECT_EQ(pic.At(6, 0), 'B');
    EXPECT_EQ(pic.At(15, 0), 'B');
    EXPECT_EQ(pic.At(11, 4), 'G');
    EXPECT_EQ(pic.At(23, 0), 'G');

    // Entirely outside: nothing drawn, nothing breaks.
    GreyPicture far;
    for (int code : {1, 5, 6, 8, 11, 34}) editor::DrawRigStamp(far.canvas, code, -1000, 2000);
    for (int y = 0; y < 500; y += 7)
        for (int x = 0; x < 500; x += 7) ASSERT_EQ(far.At(x, y), 'G');
}

TEST(RigStamps, SinkerArmNearTheBottomLosesItsSinker) {
    GreyPicture pic;
    editor::Draw_Omori_Kotei(pic.canvas, 100, 440);  // sinker body from y 490 on
    EXPECT_EQ(pic.At(100, 470), 'B');                // wire
    EXPECT_EQ(pic.At(124, 490), 'B');                // arm
    EXPECT_EQ(pic.At(100, 498), 'B');                // top of the sinker
    EXPECT_EQ(pic.canvas.BrushColor(), colors::White);
}

TEST(RigStamps, DispatcherDrawsThePartOfEachCode) {
    for (const StampCase& sc : Cases()) {
        SCOPED_TRACE(sc.name);
        EXPECT_TRUE(editor::IsRigStampCode(sc.code));
        GreyPicture direct, dispatched;
        sc.fn(direct.canvas, 150, 150);
        editor::DrawRigStamp(dispatched.canvas, sc.code, 150, 150);
        EXPECT_TRUE(direct.image == dispatched.image);
    }
    for (int code : {0, 13, 14, 15, 29, 30, 35, -1}) {
        SCOPED_TRACE(code);
        EXPECT_FALSE(editor::IsRigStampCode(code));
        GreyPicture pic;
        const QImage before = pic.image;
        editor::DrawRigStamp(pic.canvas, code, 150, 150);
        EXPECT_TRUE(pic.image == before);
    }
}

}  // namespace
