// The per-glyph path shared by every front end: render, measure where the file
// stores a width, transform, pack.
#pragma once

#include <QFont>
#include <QImage>
#include <QString>

#include "render/cell_settings.h"
#include "render/packers.h"
#include "render/rasterizer.h"
#include "render/transform.h"

namespace runemill {

struct GlyphSettings {
    CellSettings cell;     // W, H, format, threshold
    RenderOptions render;  // bold, italic, offsets; leftAligned is set per glyph
    TransformOptions transform;
};

// What a draw returns when the memory for its cell was not there.
constexpr int kGlyphNotDrawn = -1;

// The steps of every glyph of every file: `glyph` made W x H (a turned
// glyph leaves H x W behind), `text` rendered into it, its inked width
// measured when `measure` is set (else 1), the transforms, the packer into
// `out` (BytesPerGlyph bytes). Returns the width, or kGlyphNotDrawn.
int DrawGlyph(QImage& glyph, GlyphRasterizer& rasterizer, QFont& font,
              const GlyphSettings& settings, const QString& text, bool leftAligned, bool measure,
              uchar* out);

// Owns its own GlyphImage, font copy and canvas, so one drawer per thread.
class GlyphDrawer {
  public:
    GlyphDrawer(const QFont& font, const GlyphSettings& settings);

    // Draws `text` and packs it into `out` (BytesPerGlyph bytes). Returns the
    // inked width measured before the transforms when `measure` is set, else 1;
    // kGlyphNotDrawn when the cell could not be allocated.
    int Draw(const QString& text, bool leftAligned, bool measure, uchar* out);

    const QImage& glyphImage() const { return glyph_; }

  private:
    QFont font_;
    GlyphSettings settings_;
    QImage glyph_;
    GlyphRasterizer rasterizer_;
};

}  // namespace runemill
