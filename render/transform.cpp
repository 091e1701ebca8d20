#include "render/transform.h"

#include <utility>

namespace runemill {

namespace {

void ReverseColumns(QImage& glyph) {
    const int w = glyph.width();
    for (int y = 0; y < glyph.height(); ++y) {
        for (int x = 0; x < w / 2; ++x) {
            const QColor left = glyph.pixelColor(x, y);
            glyph.setPixelColor(x, y, glyph.pixelColor(w - 1 - x, y));
            glyph.setPixelColor(w - 1 - x, y, left);
        }
    }
}

void ReverseRows(QImage& glyph) {
    const int h = glyph.height();
    for (int x = 0; x < glyph.width(); ++x) {
        for (int y = 0; y < h / 2; ++y) {
            const QColor top = glyph.pixelColor(x, y);
            glyph.setPixelColor(x, y, glyph.pixelColor(x, h - 1 - y));
            glyph.setPixelColor(x, h - 1 - y, top);
        }
    }
}

}  // namespace

void TransformGlyph(QImage& glyph, const TransformOptions& options) {
    if (options.reverseX) ReverseColumns(glyph);
    if (options.reverseY) ReverseRows(glyph);
    if (options.rotation != kRotateRight90 && options.rotation != kRotateLeft90) return;

    const int w = glyph.width();
    const int h = glyph.height();
    QImage rotated(h, w, QImage::Format_BGR888);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            // Clockwise, the top row becomes the right-hand column; counter-
            // clockwise, the left-hand column read from the bottom up.
            if (options.rotation == kRotateRight90)
                rotated.setPixelColor(h - 1 - y, x, glyph.pixelColor(x, y));
            else
                rotated.setPixelColor(y, w - 1 - x, glyph.pixelColor(x, y));
        }
    }
    glyph = std::move(rotated);
}

}  // namespace runemill
