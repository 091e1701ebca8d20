#include "render/glyph_drawer.h"

namespace runemill {

GlyphDrawer::GlyphDrawer(const QFont& font, const GlyphSettings& settings)
    : font_(font),
      settings_(settings),
      glyph_(MakeGlyphImage(settings.cell.width, settings.cell.height)) {}

int DrawGlyph(QImage& glyph, GlyphRasterizer& rasterizer, QFont& font,
              const GlyphSettings& settings, const QString& text, bool leftAligned, bool measure,
              uchar* out) {
    if (glyph.isNull() || glyph.width() != settings.cell.width ||
        glyph.height() != settings.cell.height)
        glyph = MakeGlyphImage(settings.cell.width, settings.cell.height);
    RenderOptions options = settings.render;
    options.leftAligned = leftAligned;
    if (glyph.isNull() || !rasterizer.Render(glyph, font, text, options)) return kGlyphNotDrawn;
    const int width = measure ? MeasureInkWidth(glyph) : 1;
    TransformGlyph(glyph, settings.transform);
    PackGlyph(glyph, settings.cell, out);
    return width;
}

int GlyphDrawer::Draw(const QString& text, bool leftAligned, bool measure, uchar* out) {
    return DrawGlyph(glyph_, rasterizer_, font_, settings_, text, leftAligned, measure, out);
}

}  // namespace runemill
