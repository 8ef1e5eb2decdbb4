// Rod templates drawn on a bare 500 x 500 canvas: the shared rod, the reel
// and guides of each template, their colours and the settings left behind.
#include <gtest/gtest.h>

#include <QImage>
#include <set>
#include <tuple>

#include "editor/rig/RodTemplates.h"
#include "grey_picture.h"
#include "platform/Canvas.h"

namespace {

using platform::Canvas;
using platform::Color;
namespace colors = platform::colors;

// The rods' reel adds sky blue: 'S'.
struct RodPicture : GreyPicture {
    char At(int x, int y) const {
        const auto c = canvas.Pixel(x, y);
        if (c && *c == colors::SkyBlue) return 'S';
        return GreyPicture::At(x, y);
    }
};

using RodFn = void (*)(Canvas&);

struct Probe {
    int x, y;
    char spinning, revolving;  // expected after each template
};

const Probe kProbes[] = {
    // The rod, the same in both: on the slanting line, and the butt.
    {110, 250, 'B', 'B'},
    {65, 365, 'B', 'B'},
    {18, 479, 'B', 'B'},
    {150, 250, 'G', 'G'},
    // Guides: the spinning rod's lie to the lower right of the rod, the
    // revolving rod's to the upper left.
    {187, 60, 'B', 'G'},
    {164, 140, 'B', 'G'},
    {148, 133, 'G', 'B'},
    {140, 110, 'G', 'G'},
    // Spinning reel (lower right of the rod, black with a white spool).
    {78, 412, 'B', 'G'},
    {88, 384, 'B', 'G'},
    {73, 420, 'W', 'G'},
    {72, 420, 'B', 'G'},
    {74, 430, 'B', 'G'},
    // Revolving reel (upper left, light blue side plate, black handle arm).
    {36, 386, 'G', 'S'},
    {40, 392, 'G', 'S'},
    {45, 398, 'G', 'B'},
    {46, 408, 'G', 'W'},
    {28, 350, 'G', 'G'},
};

TEST(RodTemplates, KeyPixels) {
    RodPicture spinning, revolving;
    editor::Draw_Rod_Spinning(spinning.canvas);
    editor::Draw_Rod_Revolving(revolving.canvas);
    for (const Probe& p : kProbes) {
        EXPECT_EQ(spinning.At(p.x, p.y), p.spinning) << "spinning at (" << p.x << ", " << p.y << ")";
        EXPECT_EQ(revolving.At(p.x, p.y), p.revolving) << "revolving at (" << p.x << ", " << p.y << ")";
    }
}

// Only black and white (and the revolving reel's light blue) appear, the
// settings of a previous drawing do not leak in, and both leave a black pen
// of width 1 and a white brush.
TEST(RodTemplates, ColoursAndSettingsLeftBehind) {
    for (auto [fn, name, blue] : {std::tuple{RodFn(editor::Draw_Rod_Spinning), "spinning", false},
                                  std::tuple{RodFn(editor::Draw_Rod_Revolving), "revolving", true}}) {
        SCOPED_TRACE(name);
        RodPicture pic;
        pic.canvas.SetPenColor(colors::Red);
        pic.canvas.SetPenWidth(4);
        pic.canvas.SetBrushColor(colors::Red);
        fn(pic.canvas);
        std::set<char> seen;
        for (int y = 0; y < 500; ++y)
            for (int x = 0; x < 500; ++x) seen.insert(pic.At(x, y));
        const std::set<char> expected = blue ? std::set<char>{'B', 'W', 'S', 'G'} : std::set<char>{'B', 'W', 'G'};
        EXPECT_EQ(seen, expected);
        EXPECT_EQ(pic.canvas.PenColor(), colors::Black);
        EXPECT_EQ(pic.canvas.PenWidth(), 1);
        EXPECT_EQ(pic.canvas.BrushColor(), colors::White);
    }
}

// Choosing the button again draws the same template over itself: the result
// is the same as once. Content already there stays where the template does
// not cover it.
TEST(RodTemplates, DrawnTwiceLooksLikeOnceAndKeepsContent) {
    for (RodFn fn : {RodFn(editor::Draw_Rod_Spinning), RodFn(editor::Draw_Rod_Revolving)}) {
        RodPicture once, twice;
        fn(once.canvas);
        fn(twice.canvas);
        fn(twice.canvas);
        EXPECT_TRUE(once.image == twice.image);
        EXPECT_EQ(once.At(400, 400), 'G');
        EXPECT_EQ(once.At(5, 5), 'G');
    }
}

}  // namespace
