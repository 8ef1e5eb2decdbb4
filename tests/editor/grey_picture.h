#pragma once
// A grey 500 x 500 picture with its canvas, for the drawing routines' tests:
// white fills, black strokes and untouched pixels all differ from grey.

#include <QImage>

#include "platform/Canvas.h"

constexpr platform::Color kGrey{128, 128, 128};

struct GreyPicture {
    QImage image{500, 500, QImage::Format_RGB32};
    platform::Canvas canvas{&image};
    GreyPicture() { image.fill(QColor(kGrey.r, kGrey.g, kGrey.b)); }

    // 'B' black, 'W' white, 'G' untouched grey, '?' anything else, '-' outside.
    char At(int x, int y) const {
        const auto c = canvas.Pixel(x, y);
        if (!c) return '-';
        if (*c == platform::colors::Black) return 'B';
        if (*c == platform::colors::White) return 'W';
        if (*c == kGrey) return 'G';
        return '?';
    }

    // How many pixels At() names `what`.
    int Count(char what) const {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) n += At(x, y) == what;
        return n;
    }
};
