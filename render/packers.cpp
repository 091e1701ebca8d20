#include "render/packers.h"

#include <algorithm>
#include <cstring>

#include "reader/runemill_font.h"
#include "render/cell_settings.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace runemill {

namespace {

// Gray of a pixel as Qt's qGray computes it; alpha is ignored.
inline unsigned Gray(QRgb p) {
    return (((p >> 16) & 0xFF) * 11 + ((p >> 8) & 0xFF) * 16 + (p & 0xFF) * 5) >> 5;
}

// gray[x] = Gray(row[x]) for x < n.
void GrayRow(const QRgb* row, int n, uchar* gray) {
    int x = 0;
#if defined(__SSE2__)
    // Eight pixels at a time: bytes B, G, R, A widened to words and weighted
    // 5, 16, 11, 0; the two partial sums of each pixel are added by a second
    // multiply-add with ones. Sums stay below 32 * 255, so every pack is exact.
    const __m128i weights = _mm_setr_epi16(5, 16, 11, 0, 5, 16, 11, 0);
    const __m128i ones = _mm_set1_epi16(1);
    const __m128i zero = _mm_setzero_si128();
    for (; x + 8 <= n; x += 8) {
        const __m128i p0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x));
        const __m128i p1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x + 4));
        const __m128i a = _mm_madd_epi16(_mm_unpacklo_epi8(p0, zero), weights);
        const __m128i b = _mm_madd_epi16(_mm_unpackhi_epi8(p0, zero), weights);
        const __m128i c = _mm_madd_epi16(_mm_unpacklo_epi8(p1, zero), weights);
        const __m128i d = _mm_madd_epi16(_mm_unpackhi_epi8(p1, zero), weights);
        const __m128i sum0 = _mm_srli_epi32(_mm_madd_epi16(_mm_packs_epi32(a, b), ones), 5);
        const __m128i sum1 = _mm_srli_epi32(_mm_madd_epi16(_mm_packs_epi32(c, d), ones), 5);
        const __m128i words = _mm_packs_epi32(sum0, sum1);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(gray + x), _mm_packus_epi16(words, words));
    }
#endif
    for (; x < n; ++x) gray[x] = uchar(Gray(row[x]));
}

// Reads rows of the GlyphImage as gray levels. Positions outside the image
// (a turned cell with W != H) read as black. Only an image that is not
// 32-bit (the BGR888 of a turned glyph) is converted, once per glyph.
class GraySource {
  public:
    explicit GraySource(const QImage& glyph) : image_(&glyph) {
        if (glyph.format() != QImage::Format_ARGB32 && glyph.format() != QImage::Format_RGB32) {
            converted_ = glyph.convertToFormat(QImage::Format_ARGB32);
            image_ = &converted_;
        }
        bits_ = image_->constBits();
        stride_ = image_->bytesPerLine();
        imageW_ = image_->width();
        imageH_ = image_->height();
    }

    // Fills gray[0..width) for row y.
    void Row(int y, int width, uchar* gray) const {
        const int inside = (y < imageH_ && bits_) ? std::min(width, imageW_) : 0;
        if (inside > 0)
            GrayRow(reinterpret_cast<const QRgb*>(bits_ + qint64(y) * stride_), inside, gray);
        if (inside < width) std::memset(gray + inside, 0, size_t(width - inside));
    }

  private:
    const QImage* image_;
    QImage converted_;
    const uchar* bits_ = nullptr;
    qint64 stride_ = 0;
    int imageW_ = 0;
    int imageH_ = 0;
};

// One packed row per call of `pack(grayRow, outRow)`; rows are contiguous.
template <typename PackRow>
void PackRows(const QImage& glyph, int width, int height, qint64 bytesPerRow, uchar* out,
              PackRow pack) {
    if (width <= 0 || height <= 0) return;
    const GraySource source(glyph);
    uchar stackRow[512];
    QByteArray heapRow;
    uchar* gray = stackRow;
    if (width > int(sizeof stackRow)) {
        heapRow.resize(width);
        gray = reinterpret_cast<uchar*>(heapRow.data());
    }
    for (int y = 0; y < height; ++y) {
        source.Row(y, width, gray);
        pack(gray, out + y * bytesPerRow);
    }
}

// Packs a row of gray levels at kBits per pixel, leftmost pixel in the high
// bits. Each byte is built in a register and stored once; a short last byte
// has its pixels at the top and zeros below.
template <int kBits, typename Value>
inline void PackSubByteRow(const uchar* gray, int width, uchar* out, Value value) {
    constexpr int kPerByte = 8 / kBits;
    const int full = width / kPerByte;
    for (int k = 0; k < full; ++k, gray += kPerByte) {
        unsigned byte = 0;
        for (int j = 0; j < kPerByte; ++j) byte = (byte << kBits) | value(gray[j]);
        out[k] = uchar(byte);
    }
    const int rest = width - full * kPerByte;
    if (rest > 0) {
        unsigned byte = 0;
        for (int j = 0; j < rest; ++j) byte = (byte << kBits) | value(gray[j]);
        out[full] = uchar(byte << (kBits * (kPerByte - rest)));
    }
}

// Byte i with its bits in the opposite order: a movemask puts the leftmost
// pixel in bit 0, the file wants it in bit 7.
struct ReversedBits {
    uchar of[256];
    constexpr ReversedBits() : of() {
        for (int i = 0; i < 256; ++i)
            for (int bit = 0; bit < 8; ++bit)
                if ((i >> bit) & 1) of[i] = uchar(of[i] | (0x80 >> bit));
    }
};
constexpr ReversedBits kReversedBits;

// One 1-bit row: a bit set where g > limit.
void PackBitRow(const uchar* gray, int width, int limit, uchar* out) {
    int x = 0;
#if defined(__SSE2__)
    if (limit >= 0 && limit < 255) {
        // Sixteen pixels into two bytes; the bias turns the unsigned
        // comparison into the signed one that SSE2 has.
        const __m128i bias = _mm_set1_epi8(char(0x80));
        const __m128i threshold = _mm_set1_epi8(char(limit ^ 0x80));
        for (; x + 16 <= width; x += 16) {
            const __m128i g =
                _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(gray + x)), bias);
            const int mask = _mm_movemask_epi8(_mm_cmpgt_epi8(g, threshold));
            out[x / 8] = kReversedBits.of[mask & 0xFF];
            out[x / 8 + 1] = kReversedBits.of[(mask >> 8) & 0xFF];
        }
    }
#endif
    PackSubByteRow<1>(gray + x, width - x, out + x / 8,
                      [=](uchar g) { return unsigned(int(g) > limit); });
}

}  // namespace

const char* const kPixelFormatNames[kPixelFormatCount] = {"1bits", "2bits", "4bits", "8bits",
                                                          "aRGB4444"};

PixelFormat NormalizePixelFormat(int pixFormat) {
    return (pixFormat < 0 || pixFormat >= kPixelFormatCount) ? kFormat1Bit : PixelFormat(pixFormat);
}

qint64 BytesPerGlyph(int pixFormat, int width, int height) {
    if (width <= 0 || height <= 0) return 0;
    const qint64 w = width;
    const qint64 h = height;
    switch (pixFormat) {
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
    PackRows(glyph, width, height, (width + 7) / 8, out,
             [=](const uchar* gray, uchar* row) { PackBitRow(gray, width, grayLimit, row); });
}

void PackGlyph2Bit(const QImage& glyph, int width, int height, uchar* out) {
    PackRows(glyph, width, height, (width + 3) / 4, out, [=](const uchar* gray, uchar* row) {
        PackSubByteRow<2>(gray, width, row, [](uchar g) { return unsigned(g >> 6); });
    });
}

void PackGlyph4Bit(const QImage& glyph, int width, int height, uchar* out) {
    PackRows(glyph, width, height, (width + 1) / 2, out, [=](const uchar* gray, uchar* row) {
        PackSubByteRow<4>(gray, width, row, [](uchar g) { return unsigned(g >> 4); });
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
        for (int x = 0; x < width; ++x) row[2 * x] = row[2 * x + 1] = uchar((gray[x] >> 4) * 0x11);
    });
}

void PackGlyph(const QImage& glyph, const CellSettings& settings, uchar* out) {
    switch (settings.pixFormat) {
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

int MaxLevel(PixelFormat pixFormat) {
    static const int kMaxLevels[kPixelFormatCount] = RMF_FORMAT_MAX_LEVELS;
    return kMaxLevels[pixFormat];
}

namespace {

// The levels of every byte value at Bpp bits a pixel, leftmost pixel first.
template <int Bpp>
struct LevelTable {
    static constexpr int kPerByte = 8 / Bpp;
    uchar levels[256][kPerByte];
    LevelTable() {
        for (int byte = 0; byte < 256; ++byte)
            for (int i = 0; i < kPerByte; ++i)
                levels[byte][i] = uchar((byte >> (8 - Bpp * (i + 1))) & ((1 << Bpp) - 1));
    }
};

// Rows of 1, 2 or 4 bits a pixel, a byte at a time.
template <int Bpp>
void UnpackRows(const uchar* bits, qint64 rowBytes, int width, int height, uchar* levels) {
    static const LevelTable<Bpp> table;
    constexpr int perByte = LevelTable<Bpp>::kPerByte;
    const int whole = width / perByte;
    const int rest = width - whole * perByte;
    for (int y = 0; y < height; ++y, bits += rowBytes) {
        for (int i = 0; i < whole; ++i, levels += perByte)
            std::memcpy(levels, table.levels[bits[i]], perByte);
        if (rest > 0) {
            std::memcpy(levels, table.levels[bits[whole]], size_t(rest));
            levels += rest;
        }
    }
}

}  // namespace

bool UnpackGlyph(const uchar* bits, PixelFormat pixFormat, int width, int height, uchar* levels) {
    const qint64 rowBytes = BytesPerGlyph(pixFormat, width, 1);
    switch (pixFormat) {
        case kFormat2Bit:
            UnpackRows<2>(bits, rowBytes, width, height, levels);
            return true;
        case kFormat4Bit:
            UnpackRows<4>(bits, rowBytes, width, height, levels);
            return true;
        case kFormat8Bit:
            for (int y = 0; y < height; ++y)
                std::memcpy(levels + qint64(y) * width, bits + y * rowBytes, size_t(width));
            return true;
        case kFormatArgb4444:
            for (int y = 0; y < height; ++y) {
                const uchar* row = bits + y * rowBytes;
                for (int x = 0; x < width; ++x) {
                    const int value = row[2 * x] | (row[2 * x + 1] << 8);
                    const int level = value >> 12;
                    if (value != level * 0x1111) return false;
                    levels[qint64(y) * width + x] = uchar(level);
                }
            }
            return true;
        default:
            UnpackRows<1>(bits, rowBytes, width, height, levels);
            return true;
    }
}

}  // namespace runemill
