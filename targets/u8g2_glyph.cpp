#include "targets/u8g2_glyph.h"

#include <QHash>
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
        pending_ |= quint64(value & ((1u << count) - 1)) << pendingBits_;
        pendingBits_ += count;
        for (; pendingBits_ >= 8; pendingBits_ -= 8, pending_ >>= 8) bytes_.append(char(pending_));
    }
    void PutSigned(int value, int count) { Put(uint(value + (1 << (count - 1))), count); }
    QByteArray Finish() {
        if (pendingBits_ > 0) bytes_.append(char(pending_));
        pending_ = 0;
        pendingBits_ = 0;
        return bytes_;
    }

  private:
    QByteArray bytes_;
    quint64 pending_ = 0;
    int pendingBits_ = 0;
};

// Calls emit(zeros, ones) for each pair of the run, a long run split so that
// no pair holds more than max0 zeros or max1 ones.
template <typename Emit>
void SplitRun(Run run, int max0, int max1, Emit emit) {
    for (; run.zeros > max0; run.zeros -= max0) emit(max0, 0);
    for (; run.ones > max1; run.ones -= max1, run.zeros = 0) emit(run.zeros, max1);
    emit(run.zeros, run.ones);
}

int HeaderBits(const FieldBits& bits) {
    return bits.width + bits.height + bits.x + bits.y + bits.advance;
}

// A pair costs m0 + m1 bits and one bit that ends its repeats; each
// repeat of the same pair right after it costs one bit.
int BitmapBits(const QVector<Run>& runs, int m0, int m1) {
    const int max0 = (1 << m0) - 1;
    const int max1 = (1 << m1) - 1;
    int total = 0;
    int last0 = -1;
    int last1 = -1;
    const auto count = [&](int zeros, int ones) {
        total += zeros == last0 && ones == last1 ? 1 : m0 + m1 + 1;
        last0 = zeros;
        last1 = ones;
    };
    for (const Run& run : runs) {
        if (run.zeros <= max0 && run.ones <= max1) {
            count(run.zeros, run.ones);
        } else {
            SplitRun(run, max0, max1, count);
        }
    }
    return total;
}

// The bits of a run's pairs when the step's previous run came just before it.
int StepBits(quint64 step, int m0, int m1) {
    const int max0 = (1 << m0) - 1;
    const int max1 = (1 << m1) - 1;
    int last0 = -1;
    int last1 = -1;
    const auto remember = [&](int zeros, int ones) {
        last0 = zeros;
        last1 = ones;
    };
    const quint64 previous = step >> 32;
    if (previous != 0xFFFFFFFFu)
        SplitRun({int(previous >> 16), int(previous & 0xFFFF)}, max0, max1, remember);
    int total = 0;
    SplitRun({int((step >> 16) & 0xFFFF), int(step & 0xFFFF)}, max0, max1,
             [&](int zeros, int ones) {
                 total += zeros == last0 && ones == last1 ? 1 : m0 + m1 + 1;
                 remember(zeros, ones);
             });
    return total;
}

}  // namespace

InkGlyph TrimToInk(const TargetGlyph& glyph, int cellWidth, int cellHeight, int baseline) {
    InkGlyph ink;
    ink.code = glyph.code;
    ink.advance = glyph.advance;
    const char* levels = glyph.levels.constData();
    int left = cellWidth, right = -1, top = cellHeight, bottom = -1;
    for (int row = 0; row < cellHeight; ++row) {
        const char* line = levels + row * cellWidth;
        for (int column = 0; column < cellWidth; ++column) {
            if (line[column] == 0) continue;
            left = std::min(left, column);
            right = std::max(right, column);
            top = std::min(top, row);
            bottom = row;
        }
    }
    if (right < 0) return ink;
    ink.width = right - left + 1;
    ink.height = bottom - top + 1;
    ink.x = left;
    ink.y = baseline - (bottom + 1);
    Run run;
    for (int row = top; row <= bottom; ++row) {
        const char* line = levels + row * cellWidth;
        for (int column = left; column <= right; ++column) {
            if (line[column] != 0) {
                ++run.ones;
            } else if (run.ones > 0) {
                ink.runs.append(run);
                run = Run{1, 0};
            } else {
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
    const auto put = [&](int zeros, int ones) {
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
    };
    for (const Run& run : glyph.runs)
        SplitRun(run, (1 << bits.zeroRun) - 1, (1 << bits.oneRun) - 1, put);
    if (!first) out.Put(0, 1);
    return out.Finish();
}

bool ChooseRunBits(const QVector<InkGlyph>& glyphs, FieldBits* bits, uint* largest) {
    // A font repeats the same run after the same run many times (a CJK font: 300,000 runs, 7,000
    // different steps), so each choice of widths is first costed once per different step.
    QHash<quint64, qint64> steps;
    int longest0 = 1;
    int longest1 = 1;
    qint64 prefixes = 0;
    for (const InkGlyph& glyph : glyphs) {
        prefixes += PrefixBytes(glyph.code);
        quint64 previous = 0xFFFFFFFFu;  // none: a glyph's first pair repeats nothing
        for (const Run& run : glyph.runs) {
            const quint64 current = quint64(run.zeros) << 16 | quint64(run.ones);
            ++steps[previous << 32 | current];
            previous = current;
            longest0 = std::max(longest0, run.zeros);
            longest1 = std::max(longest1, run.ones);
        }
    }
    // Widths past those of the longest runs split nothing and only add bits.
    const int widest0 = std::min(kMaxRunBits, UnsignedBits(longest0));
    const int widest1 = std::min(kMaxRunBits, UnsignedBits(longest1));
    struct Choice {
        int m0;
        int m1;
        qint64 bits;
    };
    QVector<Choice> choices;
    for (int m0 = 1; m0 <= widest0; ++m0) {
        for (int m1 = 1; m1 <= widest1; ++m1) {
            qint64 total = 0;
            for (auto step = steps.cbegin(); step != steps.cend(); ++step)
                total += step.value() * StepBits(step.key(), m0, m1);
            choices.append({m0, m1, total});
        }
    }
    std::stable_sort(choices.begin(), choices.end(),
                     [](const Choice& a, const Choice& b) { return a.bits < b.bits; });

    // Each glyph pads to whole bytes: the exact sizes of the fewest-bit choices decide, down
    // to the first choice whose bits alone make it larger than the best so far.
    const int header = HeaderBits(*bits);
    qint64 best = -1;
    int fewestOver = glyphs.size() + 1;
    for (const Choice& choice : choices) {
        const qint64 atLeast = prefixes + (qint64(header) * glyphs.size() + choice.bits) / 8;
        if (best >= 0 && atLeast > best) break;
        qint64 total = 0;
        int over = 0;
        uint overCode = 0;
        for (const InkGlyph& glyph : glyphs) {
            const int record = PrefixBytes(glyph.code) +
                               (header + BitmapBits(glyph.runs, choice.m0, choice.m1) + 7) / 8;
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
        const bool earlier =
            choice.m0 < bits->zeroRun || (choice.m0 == bits->zeroRun && choice.m1 < bits->oneRun);
        if (best < 0 || total < best || (total == best && earlier)) {
            best = total;
            bits->zeroRun = choice.m0;
            bits->oneRun = choice.m1;
        }
    }
    return best >= 0;
}

}  // namespace runemill::u8g2
