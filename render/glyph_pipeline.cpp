#include "render/glyph_pipeline.h"

namespace runemill {

GlyphDrawer::GlyphDrawer(const QFont& font, const GlyphSettings& settings)
    : font_(font),
      settings_(settings),
      glyph_(MakeGlyphImage(settings.pack.width, settings.pack.height)) {}

int GlyphDrawer::Draw(const QString& text, bool leftAligned, bool measure, uchar* out) {
    // A turned glyph leaves an H x W image behind; every glyph is drawn in a W x H cell.
    if (glyph_.width() != settings_.pack.width || glyph_.height() != settings_.pack.height)
        glyph_ = MakeGlyphImage(settings_.pack.width, settings_.pack.height);
    RenderOptions options = settings_.render;
    options.leftAligned = leftAligned;
    if (glyph_.isNull() || !rasterizer_.Render(glyph_, font_, text, options)) return kGlyphNotDrawn;
    const int width = measure ? MeasureInkWidth(glyph_) : 1;
    TransformGlyph(glyph_, settings_.transform);
    PackGlyph(glyph_, settings_.pack, out);
    return width;
}

}  // namespace runemill
