#include "render/packers.h"

#include <algorithm>
#include <cstring>

namespace runemill {

namespace {

// Gray of a pixel as Qt's qGray computes it; alpha is ignored.
inline int Gray(QRgb p) { return (((p >> 16) & 0xFF) * 11 + ((p >> 8) & 0xFF) * 16 + (p & 0xFF) * 5) >> 5; }

// Reads rows of the GlyphImage as 32-bit pixels. Positions outside the image
// (a turned cell with W != H) read as black.
class RowSource {
public:
    RowSource(const QImage& glyph)
        : image_(glyph.format() == QImage::Format_ARGB32 || glyph.format() == QImage::Format_RGB32
                     ? glyph
                     : glyph.convertToFormat(QImage::Format_ARGB32)) {}

    // Fills gray[0..width) for row y.
    void Row(int y, int width, uchar* gray) const {
        const int inside = (y < image_.height()) ? std::min(width, image_.width()) : 0;
        if (inside > 0) {
            const QRgb* row = reinterpret_cast<const QRgb*>(image_.constScanLine(y));
            for (int x = 0; x < inside; ++x) gray[x] = uchar(Gray(row[x]));
        }
        if (inside < width) std::memset(gray + std::max(inside, 0), 0, size_t(width - std::max(inside, 0)));
    }

private:
    QImage image_;
};

// One packed row per call of `pack(grayRow, outRow)`; rows are contiguous.
template <typename PackRow>
void PackRows(const QImage& glyph, int width, int height, qint64 bytesPerRow, uchar* out, PackRow pack) {
    if (width <= 0 || height <= 0) return;
    const RowSource source(glyph);
    uchar stackRow[512];
    QByteArray heapRow;
    uchar* gray = stackRow;
    if (width > int(sizeof stackRow)) {
        heapRow.resize(width);
        gray = reinterpret_cast<uchar*>(heapRow.data());
    }
    for (int y = 0; y < height; ++y) {
        source.Row(y, width, gray);
        uchar* row = out + y * bytesPerRow;
        std::memset(row, 0, size_t(bytesPerRow));
        pack(gray, row);
    }
}

}  // namespace

int NormalizePixelFormat(int pixFormat) {
    return (pixFormat < 0 || pixFormat >= kPixelFormatCount) ? kFormat1Bit : pixFormat;
}

qint64 BytesPerGlyph(int pixFormat, int width, int height) {
    if (width <= 0 || height <= 0) return 0;
    const qint64 w = width;
    const qint64 h = height;
    switch (NormalizePixelFormat(pixFormat)) {
        case kFormat2Bit:
            return (w + 3) / 4 * h;
        case kFormat4Bit:
            return (w + 1) / 2 * h;
        case kFormat8Bit:
            return w * h;
        case kFormatArgb4444:
            return 2 * w * h;
        default:
            return (w + 7) / 8 * h;
    }
}

void PackGlyph1Bit(const QImage& glyph, int width, int height, int grayLimit, uchar* out) {
    PackRows(glyph, width, height, (width + 7) / 8, out, [=](const uchar* gray, uchar* row) {
        for (int x = 0; x < width; ++x)
            if (gray[x] > grayLimit) row[x >> 3] |= uchar(0x80 >> (x & 7));
    });
}

void PackGlyph2Bit(const QImage& glyph, int width, int height, uchar* out) {
    PackRows(glyph, width, height, (width + 3) / 4, out, [=](const uchar* gray, uchar* row) {
        for (int x = 0; x < width; ++x) row[x >> 2] |= uchar((gray[x] >> 6) << (6 - 2 * (x & 3)));
    });
}

void PackGlyph4Bit(const QImage& glyph, int width, int height, uchar* out) {
    PackRows(glyph, width, height, (width + 1) / 2, out, [=](const uchar* gray, uchar* row) {
        for (int x = 0; x < width; ++x) row[x >> 1] |= uchar((gray[x] >> 4) << ((x & 1) ? 0 : 4));
    });
}

void PackGlyph8Bit(const QImage& glyph, int width, int height, uchar* out) {
    PackRows(glyph, width, height, width, out,
             [=](const uchar* gray, uchar* row) { std::memcpy(row, gray, size_t(width)); });
}

void PackGlyphARGB4444(const QImage& glyph, int width, int height, uchar* out) {
    PackRows(glyph, width, height, qint64(width) * 2, out, [=](const uchar* gray, uchar* row) {
        // All four nibbles hold g >> 4, so both bytes of the little-endian
        // 16-bit value are the same.
        for (int x = 0; x < width; ++x) {
            const uchar n = uchar(gray[x] >> 4);
            row[2 * x] = row[2 * x + 1] = uchar((n << 4) | n);
        }
    });
}

void PackGlyph(const QImage& glyph, const PackSettings& settings, uchar* out) {
    switch (NormalizePixelFormat(settings.pixFormat)) {
        case kFormat2Bit:
            return PackGlyph2Bit(glyph, settings.width, settings.height, out);
        case kFormat4Bit:
            return PackGlyph4Bit(glyph, settings.width, settings.height, out);
        case kFormat8Bit:
            return PackGlyph8Bit(glyph, settings.width, settings.height, out);
        case kFormatArgb4444:
            return PackGlyphARGB4444(glyph, settings.width, settings.height, out);
        default:
            return PackGlyph1Bit(glyph, settings.width, settings.height, settings.grayLimit, out);
    }
}

}  // namespace runemill
