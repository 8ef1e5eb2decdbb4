#include "editor/resources/Art.h"

#include <QString>
#include <mutex>

// Q_INIT_RESOURCE declares the registration function in the enclosing
// namespace, so it must be used outside namespace editor.
static void RegisterEditorResources() { Q_INIT_RESOURCE(editor); }

namespace editor {

namespace {
QPixmap LoadGlyph(const QString& path) {
    InitResources();
    return GlyphWithTransparency(QImage(path));
}
}  // namespace

void InitResources() {
    static std::once_flag once;
    std::call_once(once, RegisterEditorResources);
}

QPixmap GlyphWithTransparency(const QImage& image) {
    if (image.isNull()) return QPixmap();
    QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = argb.pixel(0, argb.height() - 1);
    for (int y = 0; y < argb.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(argb.scanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (row[x] == key) row[x] = qRgba(0, 0, 0, 0);
        }
    }
    return QPixmap::fromImage(argb);
}

QPixmap RigGlyph(int tag) {
    if (tag < 0 || tag > 34 || tag == 13 || tag == 14) return QPixmap();
    return LoadGlyph(QStringLiteral(":/glyphs/rig_%1.xpm").arg(tag, 2, 10, QLatin1Char('0')));
}

QPixmap MapGlyph(int index) {
    if (index < 0 || index > 26) return QPixmap();
    return LoadGlyph(QStringLiteral(":/mapglyphs/map_%1.xpm").arg(index, 2, 10, QLatin1Char('0')));
}

QPixmap MapArrowGlyph() { return LoadGlyph(QStringLiteral(":/mapglyphs/arrow.xpm")); }

QIcon AppIcon() {
    InitResources();
    return QIcon(QPixmap(QStringLiteral(":/icon.xpm")));
}

}  // namespace editor
