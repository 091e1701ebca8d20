// Drawing one character into the GlyphImage: white ink with gray edges on
// opaque black, centred in the cell or pushed against its left edge.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>
#include <vector>

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
    // Families that draw a character the chosen face lacks: the first that
    // has it. Without them such a character is blank.
    QStringList fallbackFamilies = {};
    // Crisp: no antialiasing, monochrome hinting, the face's own bitmap strike
    // where it has one at the size; every pixel is the ground or full ink.
    bool crisp = false;
};

// The canvas is drawn at this resolution whatever the screen says, so the
// same settings give the same bytes on any desktop and on a headless server.
constexpr int kCanvasDotsPerMeter = 3780;  // 96 dots per inch

// Where a character's ink lies on the canvas the rasteriser draws it on
// (W x CanvasHeight(H), offsets not applied), drawn without the canvas's
// clipping; empty for a character without ink.
struct InkBox {
    int left = 0, top = 0, right = -1, bottom = -1;  // inclusive
    qint64 ink = 0;                                  // the gray levels of its pixels added up
    bool isEmpty() const { return right < left; }
};

// Rows of the canvas a W x H cell is drawn on: the cell plus a quarter of
// its height and 4 rows; the line box is centred in it.
constexpr qint64 CanvasHeight(qint64 cellHeight) { return cellHeight + cellHeight / 4 + 4; }

// Draws text into `glyph` (its own width and height are the cell W x H).
// Writes the bold weight and the italic style into `font`, as the window's
// current font keeps them. Reuses its canvas between calls.
class GlyphRasterizer {
  public:
    // False when the canvas or the glyph could not be allocated (the glyph is
    // then not drawn): a run must fail rather than store a blank glyph.
    bool Render(QImage& glyph, QFont& font, const QString& text, const RenderOptions& options);

    // The ink of `text` as Render places it in a `width` x `height` cell
    // (bold, italic and crisp from `options`, offsets not applied), on the
    // canvas Render draws on. Exact while the ink stays on that canvas; ink
    // that leaves it gives a box that reaches past the canvas (how far is
    // then only roughly known). The cost is that of one cell's canvas,
    // however large the font.
    InkBox MeasureInk(QFont& font, const QString& text, const RenderOptions& options, int width,
                      int height);

    // Where the face's metrics put the ink of `text` in a `width` wide cell,
    // relative to the baseline: a quick guess, for ranking glyphs only.
    QRect MetricBox(QFont& font, const QString& text, const RenderOptions& options, int width);

  private:
    struct Face {
        QFont font;  // as drawn
        QFontMetrics metrics;
        bool Has(const QString& text) const;
        // MetricBox for the characters this face draws.
        QRect MetricBox(const QString& drawn, int width) const;
    };
    // The face that draws `text` and what of it: the chosen face when it has
    // all of it, else the first fallback that has, else the chosen face with
    // the characters it lacks left out.
    const Face& FaceFor(const QString& text, QString* drawn) const;
    void UseFont(QFont& font, const RenderOptions& options);
    // Draws the text centred in `box` of `canvas` (filled with the ground
    // first), cut at the box; crisp, every pixel made ground or full ink.
    // Measuring (`measured` not null) fills and draws only that area, draws
    // the text whole within it, past the box, and leaves the levels be.
    void DrawCentred(QImage& canvas, const QRect& box, const QString& text, const QFont& font,
                     bool crisp, const QRect& measured);

    QImage canvas_;
    QFont lastFont_;  // the font of the previous call, as the caller holds it
    bool haveFont_ = false;
    bool lastCrisp_ = false;
    QStringList lastFallbacks_;
    // The chosen face first, then the fallbacks; rebuilt only when the font changes.
    std::vector<Face> faces_;
    QImage measureCanvas_;
    // Measuring draws with this ring round the canvas, and draws nothing when
    // the metrics put the ink well past it (8 pixels and a sixteenth of the
    // canvas's width and height).
    static constexpr int kMeasureMargin = 2;
};

// The cell row Render puts the chosen face's baseline on for a `height`
// rows cell (y0 applied, bold and italic as in `options`): the line box
// centred on the canvas as the face's metrics give it, the rows above the
// baseline holding its ascent. May lie outside 0..height.
int BaselineRow(QFont font, const RenderOptions& options, int height);

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
