#include "targets/u8g2_glyph.h"

#include <algorithm>

namespace runemill::u8g2 {

namespace {

// u8g2 reads every field, run lengths included, into a byte.
constexpr int kMaxRunBits = 8;
constexpr int kMaxRecordBytes = 255;

// A code below 256 takes one byte, a code past it two; the jump byte follows.
int PrefixBytes(uint code) { return code < 256 ? 2 : 3; }

int UnsignedBits(int value) {
    int bits = 0;
    for (; value > 0; value >>= 1) ++bits;
    return bits;
}

// A signed field of n bits holds value + 2^(n-1), so n bits hold -2^(n-1) .. 2^(n-1) - 1.
int SignedBits(int value) { return 1 + UnsignedBits(value < 0 ? -value - 1 : value); }

class BitWriter {
  public:
    // u8g2 reads bits from the low end of each byte up.
    void Put(uint value, int count) {
        for (int i = 0; i < count; ++i, ++bit_) {
            if (bit_ % 8 == 0) bytes_.append('\0');
            if ((value >> i) & 1u)
                bytes_[bit_ / 8] = char(uchar(bytes_[bit_ / 8]) | (1u << (bit_ % 8)));
        }
    }
    void PutSigned(int value, int count) { Put(uint(value + (1 << (count - 1))), count); }
    QByteArray bytes() const { return bytes_; }

  private:
    QByteArray bytes_;
    int bit_ = 0;
};

// Calls emit(zeros, ones) for each pair of the runs, long runs split so that
// no pair holds more than max0 zeros or max1 ones.
template <typename Emit>
void ForEachPair(const QVector<Run>& runs, int max0, int max1, Emit emit) {
    for (Run run : runs) {
        for (; run.zeros > max0; run.zeros -= max0) emit(max0, 0);
        for (; run.ones > max1; run.ones -= max1, run.zeros = 0) emit(run.zeros, max1);
        emit(run.zeros, run.ones);
    }
}

int HeaderBits(const FieldBits& bits) {
    return bits.width + bits.height + bits.x + bits.y + bits.advance;
}

// A pair costs m0 + m1 bits and one bit that ends its repeats; each
// repeat of the same pair right after it costs one bit.
int BitmapBits(const QVector<Run>& runs, int m0, int m1) {
    int total = 0;
    int last0 = -1;
    int last1 = -1;
    ForEachPair(runs, (1 << m0) - 1, (1 << m1) - 1, [&](int zeros, int ones) {
        total += zeros == last0 && ones == last1 ? 1 : m0 + m1 + 1;
        last0 = zeros;
        last1 = ones;
    });
    return total;
}

}  // namespace

InkGlyph TrimToInk(const TargetGlyph& glyph, int cellWidth, int cellHeight, int baseline) {
    InkGlyph ink;
    ink.code = glyph.code;
    ink.advance = glyph.advance;
    const auto inked = [&](int column, int row) {
        return glyph.levels.at(row * cellWidth + column) != 0;
    };
    int left = cellWidth, right = -1, top = cellHeight, bottom = -1;
    for (int row = 0; row < cellHeight; ++row) {
        for (int column = 0; column < cellWidth; ++column) {
            if (!inked(column, row)) continue;
            left = std::min(left, column);
            right = std::max(right, column);
            top = std::min(top, row);
            bottom = std::max(bottom, row);
        }
    }
    if (right < 0) return ink;
    ink.width = right - left + 1;
    ink.height = bottom - top + 1;
    ink.x = left;
    ink.y = baseline - (bottom + 1);
    Run run;
    for (int row = top; row <= bottom; ++row) {
        for (int column = left; column <= right; ++column) {
            if (inked(column, row)) {
                ++run.ones;
            } else {
                if (run.ones > 0) {
                    ink.runs.append(run);
                    run = Run();
                }
                ++run.zeros;
            }
        }
    }
    ink.runs.append(run);
    return ink;
}

FieldBits BoxFieldBits(const QVector<InkGlyph>& glyphs) {
    FieldBits bits;
    bits.x = bits.y = bits.advance = 1;
    for (const InkGlyph& glyph : glyphs) {
        bits.width = std::max(bits.width, UnsignedBits(glyph.width));
        bits.height = std::max(bits.height, UnsignedBits(glyph.height));
        bits.x = std::max(bits.x, SignedBits(glyph.x));
        bits.y = std::max(bits.y, SignedBits(glyph.y));
        bits.advance = std::max(bits.advance, SignedBits(glyph.advance));
    }
    return bits;
}

QByteArray EncodeGlyph(const InkGlyph& glyph, const FieldBits& bits) {
    BitWriter out;
    out.Put(uint(glyph.width), bits.width);
    out.Put(uint(glyph.height), bits.height);
    out.PutSigned(glyph.x, bits.x);
    out.PutSigned(glyph.y, bits.y);
    out.PutSigned(glyph.advance, bits.advance);
    // Each new pair is followed by a 1 for every repeat of it and a 0 that ends it.
    bool first = true;
    int last0 = -1;
    int last1 = -1;
    ForEachPair(glyph.runs, (1 << bits.zeroRun) - 1, (1 << bits.oneRun) - 1,
                [&](int zeros, int ones) {
                    if (zeros == last0 && ones == last1) {
                        out.Put(1, 1);
                        return;
                    }
                    if (!first) out.Put(0, 1);
                    first = false;
                    out.Put(uint(zeros), bits.zeroRun);
                    out.Put(uint(ones), bits.oneRun);
                    last0 = zeros;
                    last1 = ones;
                });
    if (!first) out.Put(0, 1);
    return out.bytes();
}

bool ChooseRunBits(const QVector<InkGlyph>& glyphs, FieldBits* bits, uint* largest) {
    const int header = HeaderBits(*bits);
    qint64 best = -1;
    int fewestOver = glyphs.size() + 1;
    for (int m0 = 1; m0 <= kMaxRunBits; ++m0) {
        for (int m1 = 1; m1 <= kMaxRunBits; ++m1) {
            qint64 total = 0;
            int over = 0;
            uint overCode = 0;
            for (const InkGlyph& glyph : glyphs) {
                const int record =
                    PrefixBytes(glyph.code) + (header + BitmapBits(glyph.runs, m0, m1) + 7) / 8;
                total += record;
                if (record > kMaxRecordBytes && over++ == 0) overCode = glyph.code;
            }
            if (over > 0) {
                if (over < fewestOver) {
                    fewestOver = over;
                    *largest = overCode;
                }
                continue;
            }
            if (best < 0 || total < best) {
                best = total;
                bits->zeroRun = m0;
                bits->oneRun = m1;
            }
        }
    }
    return best >= 0;
}

}  // namespace runemill::u8g2
