#include "editor/map/MapGlyphs.h"

#if __has_include("editor/resources/Art.h")
#include "editor/resources/Art.h"
#define TACKLEPAD_HAS_ART 1
#endif

namespace editor {

QPixmap MapPaletteGlyph(int index) {
    if (index < 0 || index >= kMapGlyphCount) return {};
#ifdef TACKLEPAD_HAS_ART
    return MapGlyph(index);
#else
    return {};
#endif
}

QPixmap MapNoToolGlyph() {
#ifdef TACKLEPAD_HAS_ART
    return MapArrowGlyph();
#else
    return {};
#endif
}

}  // namespace editor
