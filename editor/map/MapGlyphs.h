#pragma once
// The pictures of the point-map palette: the 27 tool glyphs (three rows of
// nine, one row per button set) and the arrow of the no-tool button.

#include <QPixmap>

namespace editor {

inline constexpr int kMapGlyphCount = 27;

// Glyph `index` (0 .. 26), 32 x 32; a null pixmap for any other index.
QPixmap MapPaletteGlyph(int index);
// The white arrow pointer of S2_Btn0.
QPixmap MapNoToolGlyph();

}  // namespace editor
