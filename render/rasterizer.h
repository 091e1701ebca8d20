// Drawing one character into the GlyphImage: white ink with gray edges on
// opaque black, centred in the cell or pushed against its left edge.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QString>

namespace runemill {

// Offsets are taken from -kMaxOffset to kMaxOffset pixels: more than any
// drawable cell, and far from the ends of int.
constexpr int kMaxOffset = 1 << 24;

struct RenderOptions {
    bool bold = false;
    bool italic = false;
    bool leftAligned = false;
    int x0 = 0;  // positive moves the glyph right (centred mode only)
    int y0 = 0;  // positive moves the glyph down
};

// The canvas is drawn at this resolution whatever the screen says, so the
// same settings give the same bytes on any desktop and on a headless server.
constexpr int kCanvasDotsPerMeter = 3780;  // 96 dots per inch

// Draws text into `glyph` (its own width and height are the cell W x H).
// Writes the bold weight and the italic style into `font`, as the window's
// current font keeps them. Reuses its canvas between calls.
class GlyphRasterizer {
public:
    // False when the canvas or the glyph could not be allocated (the glyph is
    // then not drawn): a run must fail rather than store a blank glyph.
    bool Render(QImage& glyph, QFont& font, const QString& text, const RenderOptions& options);

private:
    QString InFace(const QString& text) const;

    QImage canvas_;
    QFont lastFont_;     // the font of the previous call, as the caller holds it
    QFont drawingFont_;  // and as it is drawn; rebuilt only when the font changes
    QFontMetrics metrics_{QFont()};  // of drawingFont_: which characters its face has
    bool haveFont_ = false;
};

// One-shot form of GlyphRasterizer::Render.
bool RenderGlyph(QImage& glyph, QFont& font, const QString& text, const RenderOptions& options);

// Columns from the first to the last inked column (any of R, G, B non-zero);
// 1 for a blank glyph or a single inked column.
int MeasureInkWidth(const QImage& glyph);

// A W x H GlyphImage filled with the opaque black ground; a null image when
// it cannot be allocated.
QImage MakeGlyphImage(int width, int height);

// Whether a W x H cell can be drawn at all: both at least 1, and its canvas
// (H + H/4 + 4 rows of W 32-bit pixels) within the 2 GB a QImage can hold.
// Whether the memory is there is only known when it is allocated.
bool CellDrawable(int width, int height);

}  // namespace runemill
