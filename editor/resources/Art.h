#pragma once
// The editor's pictures: rig palette glyphs, point-map glyphs and the
// application icon. The tool cursors live in the same resource file under
// ":/cursors/" and are loaded by platform::LoadCursorResource.
//
// Glyphs follow the speed-button rule: the colour of a glyph's bottom-left
// pixel counts as transparent, everywhere in the glyph.

#include <QIcon>
#include <QImage>
#include <QPixmap>

namespace editor {

// Makes the editor's compiled-in resources (pictures, cursors, version text)
// available. Safe to call more than once; every accessor below calls it.
void InitResources();

// Glyph of the rig palette button with Tag `tag` (0 = the no-tool arrow of
// S_Btn_Default, 1..34 = the tool buttons). The rod buttons 13 and 14 have no
// glyph: the result is a null pixmap, as it is for any tag outside 0..34.
QPixmap RigGlyph(int tag);

// Glyph `index` (0..26) of the point-map glyph list: three rows of nine, one
// row per button set. A null pixmap outside 0..26.
QPixmap MapGlyph(int index);

// The white arrow of the point-map no-tool button S2_Btn0.
QPixmap MapArrowGlyph();

// The application icon (32 x 32).
QIcon AppIcon();

// Applies the glyph transparency rule: every pixel of the colour of the
// bottom-left pixel becomes fully transparent. A null image gives a null
// pixmap.
QPixmap GlyphWithTransparency(const QImage& image);

}  // namespace editor
