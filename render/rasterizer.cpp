#include "render/rasterizer.h"

#include <QPainter>
#include <QPen>
#include <algorithm>
#include <climits>

namespace runemill {

namespace {

constexpr QRgb kGround = 0xFF000000u;

bool Inked(QRgb pixel) { return (pixel & 0xFFFFFFu) != 0; }

// The font as it is drawn: the family and size the user chose, with the
// rendering choices a desktop would otherwise make pinned down. No merging:
// a character the chosen face lacks is never borrowed from another installed
// font, so the bytes depend only on the face the user chose.
QFont DrawingFont(const QFont& font) {
    QFont drawn = font;
    drawn.setStyleStrategy(QFont::StyleStrategy(drawn.styleStrategy() | QFont::NoSubpixelAntialias |
                                                QFont::NoFontMerging));
    drawn.setHintingPreference(QFont::PreferFullHinting);
    return drawn;
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

}  // namespace

// Characters the face has no glyph for are left out (drawn blank), rather
// than shown as the face's missing-glyph box.
QString GlyphRasterizer::InFace(const QString& text) const {
    QString drawn;
    for (const uint ucs4 : text.toUcs4()) {
        if (metrics_.inFontUcs4(ucs4)) drawn += QString::fromUcs4(&ucs4, 1);
    }
    return drawn;
}

QImage MakeGlyphImage(int width, int height) {
    QImage glyph(std::max(width, 0), std::max(height, 0), QImage::Format_ARGB32);
    glyph.fill(kGround);
    return glyph;
}

bool CellDrawable(int width, int height) {
    if (width < 1 || height < 1) return false;
    const qint64 canvasRows = qint64(height) + height / 4 + 4;
    return qint64(width) * canvasRows * 4 <= qint64(INT_MAX);
}

bool GlyphRasterizer::Render(QImage& glyph, QFont& font, const QString& text,
                             const RenderOptions& options) {
    font.setWeight(options.bold ? QFont::Bold : QFont::Normal);
    font.setStyle(options.italic ? QFont::StyleItalic : QFont::StyleNormal);

    const int w = glyph.width();
    const int h = glyph.height();
    if (w <= 0 || h <= 0 || !CellDrawable(w, h)) return false;
    if (glyph.format() != QImage::Format_ARGB32) glyph = glyph.convertToFormat(QImage::Format_ARGB32);
    if (glyph.isNull()) return false;

    // The canvas is the cell plus a quarter of its height and 4 rows: the
    // line box is centred in it, so the glyph sits (H/4 + 4)/2 rows low.
    const int canvasH = h + h / 4 + 4;
    if (canvas_.width() != w || canvas_.height() != canvasH) {
        canvas_ = QImage(w, canvasH, QImage::Format_RGB32);
        canvas_.setDotsPerMeterX(kCanvasDotsPerMeter);
        canvas_.setDotsPerMeterY(kCanvasDotsPerMeter);
    }
    glyph.fill(kGround);
    if (canvas_.isNull()) return false;
    canvas_.fill(kGround);
    {
        QPainter painter(&canvas_);
        QPen pen = painter.pen();
        pen.setColor(QColor(255, 255, 255));
        painter.setPen(pen);
        if (!haveFont_ || !(lastFont_ == font)) {
            haveFont_ = true;
            lastFont_ = font;
            drawingFont_ = DrawingFont(font);
            metrics_ = QFontMetrics(drawingFont_);
        }
        painter.setFont(drawingFont_);
        painter.drawText(QRect(0, 0, w, canvasH), Qt::AlignCenter, InFace(text));
    }

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

bool RenderGlyph(QImage& glyph, QFont& font, const QString& text, const RenderOptions& options) {
    GlyphRasterizer rasterizer;
    return rasterizer.Render(glyph, font, text, options);
}

int MeasureInkWidth(const QImage& glyph) {
    const QImage image = (glyph.format() == QImage::Format_ARGB32 || glyph.format() == QImage::Format_RGB32)
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
