#include "render/rasterizer.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <algorithm>
#include <climits>
#include <cmath>

namespace runemill {

namespace {

constexpr QRgb kGround = 0xFF000000u;

bool Inked(QRgb pixel) { return (pixel & 0xFFFFFFu) != 0; }

// The font as it is drawn: the family and size the user chose, with the
// rendering choices a desktop would otherwise make pinned down. No merging:
// a character the chosen face lacks is never borrowed from another installed
// font, so the bytes depend only on the face the user chose. Crisp adds no
// antialiasing, which makes FreeType hint for monochrome and use the face's
// bitmap strike at that size where it has one.
QFont DrawingFont(const QFont& font, bool crisp) {
    QFont drawn = font;
    QFont::StyleStrategy strategy = QFont::StyleStrategy(
        drawn.styleStrategy() | QFont::NoSubpixelAntialias | QFont::NoFontMerging);
    if (crisp) strategy = QFont::StyleStrategy(strategy | QFont::NoAntialias);
    drawn.setStyleStrategy(strategy);
    drawn.setHintingPreference(QFont::PreferFullHinting);
    return drawn;
}

// Every pixel of `area` made the ground or full ink: what a monochrome glyph
// is, whatever a face's strike or the underline would add.
void MakeTwoLevel(QImage& canvas, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(canvas.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x)
            row[x] = qGray(row[x]) >= 128 ? 0xFFFFFFFFu : kGround;
    }
}

// First canvas column (below `limit`) that holds ink in any row; `limit` if none.
int InkStart(const QImage& canvas, int limit) {
    int start = limit;
    const int columns = std::min(limit, canvas.width());
    for (int y = 0; y < canvas.height() && start > 0; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
        const int end = std::min(start, columns);
        for (int x = 0; x < end; ++x) {
            if (Inked(row[x])) {
                start = x;
                break;
            }
        }
    }
    return start;
}

// Ink as the crisp mode keeps it: full ink once made two-level.
bool CrispInk(QRgb pixel) { return qGray(pixel) >= 128; }

// The smallest box holding every inked pixel of `canvas`, ink being what
// MakeTwoLevel keeps when `crisp`.
template <bool crisp>
InkBox InkBoundsOf(const QImage& canvas, const QRect& area) {
    auto inked = [](QRgb pixel) { return crisp ? CrispInk(pixel) : Inked(pixel); };
    InkBox box;
    box.left = area.right() + 1;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
        int x = area.left();
        while (x <= area.right() && !inked(row[x])) ++x;
        if (x > area.right()) continue;
        int last = area.right();
        while (!inked(row[last])) --last;
        if (box.isEmpty()) box.top = y;
        for (int i = x; i <= last; ++i)
            box.ink += crisp ? (inked(row[i]) ? 255 : 0) : qGray(row[i]);
        box.left = std::min(box.left, x);
        box.right = std::max(box.right, last);
        box.bottom = y;
    }
    return box.isEmpty() ? InkBox() : box;
}

InkBox InkBounds(const QImage& canvas, bool crisp, const QRect& area) {
    return crisp ? InkBoundsOf<true>(canvas, area) : InkBoundsOf<false>(canvas, area);
}

// A font without merging resolves to one face per thread and resolution, for
// every script alike: the face its family list gives for the first script the
// thread asks about. Asking about the common script first (a space) makes
// that the family's own face, or its first installed substitute, whatever
// characters a thread meets first; an Arabic or Hangul first glyph would
// otherwise pick the face that claims that writing system, and every glyph
// after it would come from that face. The metrics are those of the canvas's
// resolution, which the painter shares: a screen of another resolution keeps
// faces of its own.
QFontMetrics CanvasMetrics(const QFont& font) {
    QImage canvas(1, 1, QImage::Format_RGB32);
    canvas.setDotsPerMeterX(kCanvasDotsPerMeter);
    canvas.setDotsPerMeterY(kCanvasDotsPerMeter);
    QFontMetrics metrics(font, &canvas);
    metrics.inFontUcs4(0x20);
    return metrics;
}

}  // namespace

bool GlyphRasterizer::Face::Has(const QString& text) const {
    // Again, in case the font cache was emptied since (a font was loaded).
    metrics.inFontUcs4(0x20);
    for (const uint ucs4 : text.toUcs4())
        if (!metrics.inFontUcs4(ucs4)) return false;
    return true;
}

// Characters no face has a glyph for are left out (drawn blank), rather
// than shown as the face's missing-glyph box.
const GlyphRasterizer::Face& GlyphRasterizer::FaceFor(const QString& text, QString* drawn) const {
    *drawn = text;
    for (const Face& face : faces_)
        if (face.Has(text)) return face;
    const Face& chosen = faces_.front();
    drawn->clear();
    for (const uint ucs4 : text.toUcs4()) {
        if (chosen.metrics.inFontUcs4(ucs4)) *drawn += QString::fromUcs4(&ucs4, 1);
    }
    return chosen;
}

int BaselineRow(QFont font, const RenderOptions& options, int height) {
    font.setWeight(options.bold ? QFont::Bold : QFont::Normal);
    font.setStyle(options.italic ? QFont::StyleItalic : QFont::StyleNormal);
    QImage canvas(1, 1, QImage::Format_RGB32);
    canvas.setDotsPerMeterX(kCanvasDotsPerMeter);
    canvas.setDotsPerMeterY(kCanvasDotsPerMeter);
    const QFontMetricsF metrics(DrawingFont(font, options.crisp), &canvas);
    // drawText centres the line box in fractions of a pixel; the glyphs then
    // sit on the nearest whole row.
    const qreal baseline =
        (qreal(CanvasHeight(height)) - metrics.ascent() - metrics.descent()) / 2 + metrics.ascent();
    const qreal row = std::floor(baseline + 0.5) + qreal(options.y0);
    return int(qBound(qreal(INT_MIN), row, qreal(INT_MAX)));
}

QImage MakeGlyphImage(int width, int height) {
    QImage glyph(std::max(width, 0), std::max(height, 0), QImage::Format_ARGB32);
    glyph.fill(kGround);
    return glyph;
}

bool CellDrawable(int width, int height) {
    // INT_MAX x CanvasHeight(INT_MAX) still fits in 64 bits; four times it does not.
    constexpr qint64 kMaxPixels = INT_MAX / 4;
    return width >= 1 && height >= 1 && qint64(width) * CanvasHeight(height) <= kMaxPixels;
}

bool GlyphRasterizer::Render(QImage& glyph, QFont& font, const QString& text,
                             const RenderOptions& options) {
    font.setWeight(options.bold ? QFont::Bold : QFont::Normal);
    font.setStyle(options.italic ? QFont::StyleItalic : QFont::StyleNormal);

    const int w = glyph.width();
    const int h = glyph.height();
    if (w <= 0 || h <= 0 || !CellDrawable(w, h)) return false;
    if (glyph.format() != QImage::Format_ARGB32)
        glyph = glyph.convertToFormat(QImage::Format_ARGB32);
    if (glyph.isNull()) return false;

    // The canvas is the cell plus a quarter of its height and 4 rows: the
    // line box is centred in it, so the glyph sits (H/4 + 4)/2 rows low.
    const int canvasH = int(CanvasHeight(h));  // drawable: within int
    if (canvas_.width() != w || canvas_.height() != canvasH) {
        canvas_ = QImage(w, canvasH, QImage::Format_RGB32);
        canvas_.setDotsPerMeterX(kCanvasDotsPerMeter);
        canvas_.setDotsPerMeterY(kCanvasDotsPerMeter);
    }
    glyph.fill(kGround);
    if (canvas_.isNull()) return false;
    UseFont(font, options);
    QString drawn;
    const Face& face = FaceFor(text, &drawn);
    DrawCentred(canvas_, QRect(0, 0, w, canvasH), drawn, face.font, options.crisp, QRect());

    const QImage& canvas = canvas_;
    if (!options.leftAligned) {
        for (int y = 0; y < h; ++y) {
            QRgb* out = reinterpret_cast<QRgb*>(glyph.scanLine(y));
            const qint64 sy = qint64(y) - options.y0;
            if (sy < 0 || sy >= canvasH) {
                std::fill(out, out + w, QRgb(0));
                continue;
            }
            const QRgb* in = reinterpret_cast<const QRgb*>(canvas.constScanLine(int(sy)));
            for (int x = 0; x < w; ++x) {
                const qint64 sx = qint64(x) - options.x0;
                out[x] = (sx >= 0 && sx < w) ? in[sx] : 0;
            }
        }
        return true;
    }

    // Left alignment: the first inked column of the whole canvas becomes
    // column 0; x0 plays no part, y0 still shifts the rows.
    const int c = InkStart(canvas, w);
    for (int y = 0; y < h; ++y) {
        QRgb* out = reinterpret_cast<QRgb*>(glyph.scanLine(y));
        const qint64 sy = qint64(y) - options.y0;
        if (sy < 0 || sy >= canvasH) {
            std::fill(out, out + (w - c), QRgb(0));
            continue;
        }
        const QRgb* in = reinterpret_cast<const QRgb*>(canvas.constScanLine(int(sy)));
        std::copy(in + c, in + w, out);
    }
    return true;
}

void GlyphRasterizer::UseFont(QFont& font, const RenderOptions& options) {
    if (haveFont_ && lastFont_ == font && lastCrisp_ == options.crisp &&
        lastFallbacks_ == options.fallbackFamilies)
        return;
    haveFont_ = true;
    lastFont_ = font;
    lastCrisp_ = options.crisp;
    lastFallbacks_ = options.fallbackFamilies;
    faces_.clear();
    const QFont drawn = DrawingFont(font, options.crisp);
    faces_.push_back({drawn, CanvasMetrics(drawn)});
    for (const QString& family : options.fallbackFamilies) {
        QFont fallback = drawn;
        fallback.setFamily(family);
        faces_.push_back({fallback, CanvasMetrics(fallback)});
    }
}

void GlyphRasterizer::DrawCentred(QImage& canvas, const QRect& box, const QString& text,
                                  const QFont& font, bool crisp, const QRect& measured) {
    const bool measuring = !measured.isNull();
    if (measuring) {
        for (int y = measured.top(); y <= measured.bottom(); ++y) {
            QRgb* row = reinterpret_cast<QRgb*>(canvas.scanLine(y));
            std::fill(row + measured.left(), row + measured.right() + 1, kGround);
        }
    } else {
        canvas.fill(kGround);
    }
    {
        QPainter painter(&canvas);
        if (measuring) painter.setClipRect(measured);
        QPen pen = painter.pen();
        pen.setColor(QColor(255, 255, 255));
        painter.setPen(pen);
        if (crisp) painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(font);
        painter.drawText(box, Qt::AlignCenter | (measuring ? Qt::TextDontClip : 0), text);
    }
    if (crisp && !measuring) MakeTwoLevel(canvas, canvas.rect());
}

InkBox GlyphRasterizer::MeasureInk(QFont& font, const QString& text, const RenderOptions& options,
                                   int width, int height) {
    font.setWeight(options.bold ? QFont::Bold : QFont::Normal);
    font.setStyle(options.italic ? QFont::StyleItalic : QFont::StyleNormal);
    UseFont(font, options);
    QString drawn;
    const Face& face = FaceFor(text, &drawn);
    if (drawn.isEmpty() || !CellDrawable(width, height)) return InkBox();
    const int canvasH = int(CanvasHeight(height));
    const QRect canvasRect(0, 0, width, canvasH);
    // Where the metrics put the ink on the canvas: a glyph they put well
    // past it is not drawn at all, which keeps a size far too large for the
    // cell as cheap as one that fits.
    const QRect metric =
        face.MetricBox(drawn, width)
            .translated(0, (canvasH - face.metrics.height()) / 2 + face.metrics.ascent());
    const InkBox guess{metric.left(), metric.top(), metric.right(), metric.bottom(), 0};
    const int slack = 8 + (width + canvasH) / 16;
    if (!metric.isEmpty() && !canvasRect.adjusted(-slack, -slack, slack, slack).contains(metric)) {
        // Some faces give a blank glyph a box of its own.
        QPainterPath outline;
        outline.addText(0, 0, face.font, drawn);
        return outline.isEmpty() ? InkBox() : guess;
    }
    // A ring of kMeasureMargin pixels round the canvas catches any ink that
    // crosses its edge: such a box is only known to reach past the canvas.
    const QSize size(width + 2 * kMeasureMargin, canvasH + 2 * kMeasureMargin);
    if (measureCanvas_.size() != size) {
        measureCanvas_ = QImage(size, QImage::Format_RGB32);
        measureCanvas_.setDotsPerMeterX(kCanvasDotsPerMeter);
        measureCanvas_.setDotsPerMeterY(kCanvasDotsPerMeter);
    }
    if (measureCanvas_.isNull()) return guess;
    // Drawn and searched only where the metrics put the ink, give or take
    // a few pixels; ink found at an edge of that area means they were wrong,
    // and the whole canvas is drawn.
    const QRect whole = measureCanvas_.rect();
    QRect area = whole;
    const int near = 4 + metric.height() / 32;
    if (!metric.isEmpty())
        area &=
            metric.translated(kMeasureMargin, kMeasureMargin).adjusted(-near, -near, near, near);
    const QRect cell(kMeasureMargin, kMeasureMargin, width, canvasH);
    InkBox box;
    if (!area.isEmpty()) {
        DrawCentred(measureCanvas_, cell, drawn, face.font, options.crisp, area);
        box = InkBounds(measureCanvas_, options.crisp, area);
    }
    const bool reachesEdge =
        !box.isEmpty() && ((box.left == area.left() && area.left() > whole.left()) ||
                           (box.right == area.right() && area.right() < whole.right()) ||
                           (box.top == area.top() && area.top() > whole.top()) ||
                           (box.bottom == area.bottom() && area.bottom() < whole.bottom()));
    if (area.isEmpty() || reachesEdge) {
        DrawCentred(measureCanvas_, cell, drawn, face.font, options.crisp, whole);
        box = InkBounds(measureCanvas_, options.crisp, whole);
    }
    if (box.isEmpty()) return box;
    box.left -= kMeasureMargin;
    box.right -= kMeasureMargin;
    box.top -= kMeasureMargin;
    box.bottom -= kMeasureMargin;
    return box;
}

QRect GlyphRasterizer::MetricBox(QFont& font, const QString& text, const RenderOptions& options,
                                 int width) {
    font.setWeight(options.bold ? QFont::Bold : QFont::Normal);
    font.setStyle(options.italic ? QFont::StyleItalic : QFont::StyleNormal);
    UseFont(font, options);
    QString drawn;
    return FaceFor(text, &drawn).MetricBox(drawn, width);
}

QRect GlyphRasterizer::Face::MetricBox(const QString& drawn, int width) const {
    if (drawn.isEmpty()) return QRect();
    const QRect box =
        drawn.size() == 1 ? metrics.boundingRect(drawn.at(0)) : metrics.boundingRect(drawn);
    return box.translated((width - metrics.horizontalAdvance(drawn)) / 2, 0);
}

bool RenderGlyph(QImage& glyph, QFont& font, const QString& text, const RenderOptions& options) {
    GlyphRasterizer rasterizer;
    return rasterizer.Render(glyph, font, text, options);
}

int MeasureInkWidth(const QImage& glyph) {
    const QImage image =
        (glyph.format() == QImage::Format_ARGB32 || glyph.format() == QImage::Format_RGB32)
            ? glyph
            : glyph.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width();
    int left = -1;
    int right = -1;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            if (Inked(row[x])) {
                if (left < 0 || x < left) left = x;
                break;
            }
        }
        for (int x = w - 1; x > right; --x) {
            if (Inked(row[x])) {
                right = x;
                break;
            }
        }
    }
    if (left < 0) left = 0;
    return right > left ? right - left + 1 : 1;
}

}  // namespace runemill
