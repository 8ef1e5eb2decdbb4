// The editor's pictures: tool cursors, rig and point-map glyphs, the icon.
#include <gtest/gtest.h>

#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QSet>
#include <QString>

#include <ostream>

#include "editor/resources/Art.h"
#include "platform/Cursors.h"

// Readable failure messages for Qt's point and size.
static void PrintTo(const QPoint& p, std::ostream* os) { *os << "(" << p.x() << ", " << p.y() << ")"; }
static void PrintTo(const QSize& s, std::ostream* os) { *os << s.width() << " x " << s.height(); }

namespace {

struct CursorCase {
    const char* name;  // as the window asks for it
    int width, height; // size of the part's picture inside the 32 x 32 cursor
    QPoint hot;
    bool circle;       // eraser ring: hot spot at its centre
};

const CursorCase kCursors[] = {
    {"Cursor_001", 7, 22, {5, 0}, false},   {"Cursor_002", 21, 7, {1, 4}, false},
    {"Cursor_003", 14, 32, {15, 0}, false}, {"Cursor_004", 32, 14, {0, 16}, false},
    {"Cursor_005", 22, 30, {1, 0}, false},  {"Cursor_006", 24, 30, {1, 0}, false},
    {"Cursor_007", 9, 26, {4, 0}, false},   {"Cursor_008", 26, 9, {0, 4}, false},
    {"Cursor_009", 15, 8, {0, 2}, false},   {"Cursor_010", 8, 15, {5, 0}, false},
    {"Cursor_011", 30, 17, {0, 4}, false},  {"Cursor_012", 17, 30, {11, 0}, false},
    {"Cursor_021", 20, 21, {0, 31}, false}, {"Cursor_025", 30, 30, {15, 15}, true},
    {"Cursor_026", 20, 20, {10, 10}, true}, {"Cursor_031", 15, 8, {14, 3}, false},
    {"Cursor_032", 8, 15, {2, 0}, false},   {"Cursor_033", 30, 16, {29, 4}, false},
    {"Cursor_034", 17, 30, {4, 0}, false},
};

// Glyph sizes of the rig palette by button Tag; 13 and 14 (rods) have none.
QSize RigGlyphSize(int tag) {
    switch (tag) {
        case 0: case 5: case 6: return {32, 32};
        case 1: return {7, 22};
        case 2: return {22, 7};
        case 3: return {12, 32};
        case 4: return {32, 12};
        case 7: return {10, 27};
        case 8: return {27, 10};
        case 9: case 31: return {15, 8};
        case 10: case 32: return {8, 15};
        case 11: case 33: return {30, 17};
        case 12: case 34: return {17, 30};
        case 23: case 27: return {4, 32};
        case 24: case 28: return {32, 4};
        case 15: case 16: case 17: case 18: case 19: case 20: case 30: return {24, 24};
        case 21: case 22: return {23, 23};
        case 25: return {26, 26};
        case 26: return {21, 11};
        case 29: return {20, 20};
        default: return {};
    }
}

QRect OpaqueBounds(const QImage& image) {
    QRect r;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0) r |= QRect(x, y, 1, 1);
    return r;
}

bool IsOpaque(const QImage& image, QPoint p) { return qAlpha(image.pixel(p)) == 255; }

// What every glyph of a palette must satisfy once loaded.
void ExpectUsableGlyph(const QPixmap& glyph, const QString& what) {
    SCOPED_TRACE(what.toStdString());
    ASSERT_FALSE(glyph.isNull());
    const QImage image = glyph.toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(image.pixel(0, image.height() - 1)), 0) << "bottom-left pixel must be transparent";
    EXPECT_FALSE(OpaqueBounds(image).isEmpty()) << "glyph shows nothing";
}

class ArtTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { editor::InitResources(); }
};

TEST_F(ArtTest, CursorsLoadByNameInAnyCaseWithTheirHotSpot) {
    for (const CursorCase& c : kCursors) {
        const QString mixed = QString::fromLatin1(c.name);
        for (const QString& name : {mixed, mixed.toUpper(), mixed.toLower()}) {
            SCOPED_TRACE(name.toStdString());
            QCursor cursor;
            ASSERT_TRUE(platform::LoadCursorResource(name, &cursor));
            EXPECT_EQ(cursor.hotSpot(), c.hot);
            EXPECT_EQ(cursor.pixmap().size(), QSize(32, 32));
        }
    }
}

TEST_F(ArtTest, CursorsShowTheirPartWhereItMeetsTheLine) {
    for (const CursorCase& c : kCursors) {
        SCOPED_TRACE(c.name);
        QCursor cursor;
        ASSERT_TRUE(platform::LoadCursorResource(QString::fromLatin1(c.name), &cursor));
        const QImage image = cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
        const QRect part = OpaqueBounds(image);
        EXPECT_EQ(part.size(), QSize(c.width, c.height));
        if (c.circle) {
            EXPECT_LE(std::abs(2 * c.hot.x() - (part.left() + part.right())), 1);
            EXPECT_LE(std::abs(2 * c.hot.y() - (part.top() + part.bottom())), 1);
            EXPECT_FALSE(IsOpaque(image, c.hot)) << "the eraser ring leaves its middle clear";
        } else {
            EXPECT_TRUE(IsOpaque(image, c.hot)) << "hot spot is off the part";
        }
        // Monochrome: transparent, black or white only, with some of each colour.
        int black = 0, white = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const QRgb p = image.pixel(x, y);
                if (qAlpha(p) == 0) continue;
                ASSERT_EQ(qAlpha(p), 255);
                if ((p & 0xffffff) == 0) ++black;
                else if ((p & 0xffffff) == 0xffffff) ++white;
                else ADD_FAILURE() << "colour " << std::hex << p << " at " << x << "," << y;
            }
        }
        EXPECT_GT(black, 0);
        EXPECT_GT(white, 0);
    }
}

TEST_F(ArtTest, UnknownCursorNamesAreNotFound) {
    for (const char* name : {"Cursor_013", "Cursor_1", "Cursor_0010", ""}) {
        QCursor cursor;
        EXPECT_FALSE(platform::LoadCursorResource(QString::fromLatin1(name), &cursor)) << name;
    }
}

TEST_F(ArtTest, RigGlyphsHaveTheirPaletteSizes) {
    for (int tag = -1; tag <= 35; ++tag) {
        SCOPED_TRACE(tag);
        const QPixmap glyph = editor::RigGlyph(tag);
        const QSize want = RigGlyphSize(tag);
        if (!want.isValid()) {
            EXPECT_TRUE(glyph.isNull());
            continue;
        }
        EXPECT_EQ(glyph.size(), want);
        ExpectUsableGlyph(glyph, QStringLiteral("rig glyph %1").arg(tag));
    }
}

TEST_F(ArtTest, GlyphsOfAPaletteAreAllDifferent) {
    QSet<QByteArray> seen;
    for (int tag = 0; tag <= 34; ++tag) {
        const QPixmap glyph = editor::RigGlyph(tag);
        if (glyph.isNull()) continue;
        const QImage image = glyph.toImage().convertToFormat(QImage::Format_ARGB32);
        const QByteArray key = QByteArray::number(image.width()) + 'x' + QByteArray::number(image.height()) +
                               QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
        EXPECT_FALSE(seen.contains(key)) << "rig glyph " << tag << " repeats another";
        seen.insert(key);
    }
    QList<QImage> maps;
    for (int i = 0; i < 27; ++i) {
        SCOPED_TRACE(i);
        const QPixmap glyph = editor::MapGlyph(i);
        EXPECT_EQ(glyph.size(), QSize(32, 32));
        ExpectUsableGlyph(glyph, QStringLiteral("map glyph %1").arg(i));
        const QImage image = glyph.toImage().convertToFormat(QImage::Format_ARGB32);
        for (int j = 0; j < maps.size(); ++j) EXPECT_NE(image, maps[j]) << "map glyph " << i << " repeats " << j;
        maps.append(image);
    }
    EXPECT_TRUE(editor::MapGlyph(-1).isNull());
    EXPECT_TRUE(editor::MapGlyph(27).isNull());
}

TEST_F(ArtTest, MapArrowIsAWhiteArrow) {
    const QPixmap arrow = editor::MapArrowGlyph();
    EXPECT_EQ(arrow.size(), QSize(32, 32));
    ExpectUsableGlyph(arrow, QStringLiteral("map arrow"));
    const QImage image = arrow.toImage().convertToFormat(QImage::Format_ARGB32);
    int white = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) white += image.pixel(x, y) == qRgb(255, 255, 255);
    EXPECT_GT(white, 40);
}

TEST_F(ArtTest, BottomLeftColourIsTransparentEverywhere) {
    // Red in the bottom-left corner and elsewhere; blue and a near-red stay.
    QImage image(3, 2, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(0, 0, 255));
    image.setPixel(1, 0, qRgb(255, 0, 0));
    image.setPixel(2, 0, qRgb(254, 0, 0));
    image.setPixel(0, 1, qRgb(255, 0, 0));
    image.setPixel(1, 1, qRgb(0, 0, 255));
    image.setPixel(2, 1, qRgb(255, 0, 0));
    const QImage out = editor::GlyphWithTransparency(image).toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(out.size(), QSize(3, 2));
    const int alpha[2][3] = {{255, 0, 255}, {0, 255, 0}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(qAlpha(out.pixel(x, y)), alpha[y][x]) << x << "," << y;
    EXPECT_EQ(out.pixel(2, 0), qRgb(254, 0, 0));
    EXPECT_TRUE(editor::GlyphWithTransparency(QImage()).isNull());
}

TEST_F(ArtTest, IconIs32PixelsIn16Colours) {
    const QIcon icon = editor::AppIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_TRUE(icon.availableSizes().contains(QSize(32, 32)));
    const QImage image = icon.pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
    EXPECT_LE(colours.size(), 16);
    EXPECT_GT(colours.size(), 4);
}

}  // namespace
