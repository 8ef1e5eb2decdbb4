#pragma once
// Shared by the rig stroke tests: pictures to draw on, a reference canvas and
// an exact picture comparison, over the offscreen window of FormFixture.

#include <QImage>
#include <functional>
#include <string>

#include "FormFixture.h"
#include "platform/Canvas.h"

namespace strokes_test {

// A picture in which neighbouring pixels differ and no pixel is pure blue or
// red, so a mark left behind or a pixel restored from the wrong entry shows.
inline QImage Patterned(int w = 500, int h = 500) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb((x * 7 + y) & 0xFF, 1 + (y * 5 + x * 3) % 250, (x + y * 3) & 0xFF));
    return img;
}

inline QImage Filled(QColor c, int w = 500, int h = 500) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

// `base` with `draw` applied on a fresh canvas of a copy of it.
inline QImage Drawn(const QImage& base, const std::function<void(platform::Canvas&)>& draw) {
    QImage img = base.convertToFormat(QImage::Format_RGB32).copy();
    platform::Canvas c(&img);
    draw(c);
    return img;
}

inline std::string Hex(QRgb v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%06X", v & 0xFFFFFFu);
    return buf;
}

// Empty when both pictures are equal; otherwise the number of differing
// pixels and the first few of them.
inline std::string Differences(const QImage& got, const QImage& want) {
    if (got.size() != want.size()) return "sizes differ";
    std::string first;
    int n = 0;
    for (int y = 0; y < got.height(); ++y)
        for (int x = 0; x < got.width(); ++x) {
            const QRgb g = got.pixel(x, y) & 0xFFFFFFu, w = want.pixel(x, y) & 0xFFFFFFu;
            if (g == w) continue;
            if (++n <= 6)
                first += " (" + std::to_string(x) + "," + std::to_string(y) + ") got " + Hex(g) + " want " + Hex(w);
        }
    return n == 0 ? std::string() : std::to_string(n) + " pixels differ:" + first;
}

// Pixels of `img` that have colour `c`.
inline int CountColour(const QImage& img, QRgb c) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += (img.pixel(x, y) & 0xFFFFFFu) == (c & 0xFFFFFFu);
    return n;
}

// The bounding box of the pixels where `a` and `b` differ (empty when equal).
inline QRect ChangedArea(const QImage& a, const QImage& b) {
    QRect r;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if ((a.pixel(x, y) ^ b.pixel(x, y)) & 0xFFFFFFu) r |= QRect(x, y, 1, 1);
    return r;
}

}  // namespace strokes_test

// The window with helpers to choose rig tools on the palette and to set and
// read the surface's picture.
class StrokesFixture : public FormFixture {
protected:
    // Clicks the palette button of `code`, as the user does.
    void Choose(int code) {
        TSpeedButton* b = form->RigButton(code);
        ASSERT_NE(b, nullptr) << code;
        Click(b);
        ASSERT_EQ(form->FRigTool, code);
    }
    void Colour(platform::Color c) { ASSERT_TRUE(form->ColorBox1->SelectColor(c)); }
    void SetSurface(const QImage& img) { Surface()->SetPicture(img); }
    QImage Picture() const { return Surface()->Picture().Image().copy(); }
};
