#pragma once
// The editor window in point-map mode, with helpers to choose a button set
// and a tool on the real palette, to give the picture some content and to
// compare pictures.

#include <QImage>
#include <QRadioButton>

#include "FormFixture.h"
#include "platform/Bitmap.h"

// Number of pixels that differ between two pictures of the same size.
inline int DiffCount(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) ++n;
    return n;
}
// Number of pixels of colour `c` in the picture.
inline int CountOf(const QImage& img, platform::Color c) {
    const QRgb want = qRgb(c.r, c.g, c.b);
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xffffff) == (want & 0xffffff)) ++n;
    return n;
}

class MapFixture : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        Click(form->Btn_Shikake_Or_Point);
        ASSERT_EQ(form->Btn_Shikake_Or_Point->text(), QStringLiteral("ポイント図へ"));
    }

    // The set of R_Group1 (0 "波止", 1 "線", 2 "部品"), chosen as a user would.
    void ChooseSet(int set) {
        if (form->R_Group1->ItemIndex() != set) Click(form->R_Group1->Button(set));
        ASSERT_EQ(form->R_Group1->ItemIndex(), set);
    }
    // Tool button S2_Btn<k> of the chosen set.
    void ChooseTool(int k) {
        Click(form->MapButton(k));
        ASSERT_EQ(form->FMapTool, k == 0 ? 0 : 100 + k);
    }
    void ChooseItem(TRadioGroup* g, int item) {
        if (g->ItemIndex() != item) g->setItemIndex(item);
    }

    // Gives the surface a busy picture: every pixel a different mix, so an
    // inversion or a stray pixel anywhere shows.
    void FillWithPattern() {
        QImage& img = Surface()->Picture().MutableImage();
        for (int y = 0; y < img.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < img.width(); ++x)
                row[x] = qRgb((x * 7 + y) & 255, (y * 13 + x / 3) & 255, ((x + y) * 3) & 255);
        }
    }
    // A flat grey picture: white fills and coloured strokes both stand out.
    void FillGrey() { Surface()->Picture().MutableImage().fill(QColor(kGrey.r, kGrey.g, kGrey.b)); }

    QImage Picture() const { return Surface()->Picture().Image().copy(); }

    static long Rgb(platform::Color c) { return (long(c.r) << 16) | (long(c.g) << 8) | long(c.b); }

    static constexpr platform::Color kGrey{128, 128, 128};
};
