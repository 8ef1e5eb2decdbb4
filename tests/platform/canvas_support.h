#pragma once
// Helpers for the canvas tests: a bitmap to draw on and ways to look at the
// pixels that a drawing changed.

#include <QImage>
#include <QRect>
#include <QString>
#include <functional>
#include <ostream>
#include <random>
#include <string>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"

// Readable rectangles in failure messages.
inline void PrintTo(const QRect& r, std::ostream* os) {
    *os << "(" << r.left() << "," << r.top() << ")-(" << r.right() << "," << r.bottom() << ")";
}

namespace canvas_test {

using platform::Color;

inline QRgb Rgb(Color c) { return qRgb(c.r, c.g, c.b); }

inline constexpr Color kGreen{0, 160, 0};
inline constexpr Color kRed{255, 0, 0};
inline constexpr Color kYellow{255, 255, 0};

// Pixels of `after` that differ from `before`.
struct Change {
    QRect bounds;  // empty when nothing changed
    int count = 0;
};

inline Change Diff(const QImage& before, const QImage& after) {
    Change c;
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x)
            if (before.pixel(x, y) != after.pixel(x, y)) {
                c.bounds = c.bounds.united(QRect(x, y, 1, 1));
                ++c.count;
            }
    return c;
}

// Pixels of `img` that are not `background`.
inline Change Ink(const QImage& img, QRgb background) {
    QImage plain(img.size(), img.format());
    plain.fill(background);
    return Diff(plain, img);
}

// The picture as text: '.' background, '#' pen, 'o' brush, '?' anything
// else; for failure messages.
inline std::string Dump(const QImage& img, QRect r, QRgb background, QRgb pen, QRgb brush) {
    r = r.intersected(img.rect());
    std::string s = "\n";
    for (int y = r.top(); y <= r.bottom(); ++y) {
        s += std::to_string(y) + "\t";
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb v = img.pixel(x, y) | 0xff000000u;
            s += v == (background | 0xff000000u) ? '.' : v == (pen | 0xff000000u) ? '#' : v == (brush | 0xff000000u) ? 'o' : '?';
        }
        s += '\n';
    }
    return s;
}

inline QImage RandomPicture(int w, int h, std::mt19937& rng) {
    QImage img(w, h, QImage::Format_RGB32);
    std::uniform_int_distribution<uint32_t> any;
    for (int y = 0; y < h; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x) line[x] = any(rng) | 0xff000000u;
    }
    return img;
}

}  // namespace canvas_test
