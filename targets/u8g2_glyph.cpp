#include "targets/u8g2_glyph.h"

#include <QHash>
#include <algorithm>
#include <string>
#include <vector>

#include "targets/ink_box.h"

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
    explicit BitWriter(QByteArray* out) : out_(out) {}
    // u8g2 reads bits from the low end of each byte up.
    void Put(uint value, int count) {
        pending_ |= quint64(value & ((1u << count) - 1)) << pendingBits_;
        pendingBits_ += count;
        for (; pendingBits_ >= 8; pendingBits_ -= 8, pending_ >>= 8)
            bytes_.push_back(char(pending_));
    }
    void PutSigned(int value, int count) { Put(uint(value + (1 << (count - 1))), count); }
    // Appends the bits, the last byte padded with zero bits.
    void Finish() {
        if (pendingBits_ > 0) bytes_.push_back(char(pending_));
        out_->append(bytes_.data(), int(bytes_.size()));
    }

  private:
    QByteArray* out_;
    std::string bytes_;
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

// The same pairs as SplitRun, each stretch of equal pairs given once:
// emit(zeros, ones, times).
template <typename Emit>
void SplitRunCounted(Run run, int max0, int max1, Emit emit) {
    if (run.zeros > max0) {
        const int times = (run.zeros - 1) / max0;
        emit(max0, 0, times);
        run.zeros -= times * max0;
    }
    if (run.ones > max1) {
        const int times = (run.ones - 1) / max1;
        emit(run.zeros, max1, 1);
        if (times > 1) emit(0, max1, times - 1);
        run.zeros = 0;
        run.ones -= times * max1;
    }
    emit(run.zeros, run.ones, 1);
}

int HeaderBits(const FieldBits& bits) {
    return bits.width + bits.height + bits.x + bits.y + bits.advance;
}

// The bits of pairs of m0 and m1 bits: a pair costs m0 + m1 bits and one bit
// that ends its repeats; each repeat of the same pair right after it costs
// one bit.
class PairBits {
  public:
    PairBits(int m0, int m1) : pairBits_(m0 + m1 + 1) {}
    void Add(int zeros, int ones, int times) {
        total_ += (zeros == last0_ && ones == last1_ ? 1 : pairBits_) + (times - 1);
        last0_ = zeros;
        last1_ = ones;
    }
    // The pair that came before, which the next may repeat.
    void Follow(int zeros, int ones) {
        last0_ = zeros;
        last1_ = ones;
    }
    int total() const { return total_; }

  private:
    int pairBits_;
    int total_ = 0;
    int last0_ = -1;
    int last1_ = -1;
};

int BitmapBits(const QVector<Run>& runs, int m0, int m1) {
    const int max0 = (1 << m0) - 1;
    const int max1 = (1 << m1) - 1;
    PairBits bits(m0, m1);
    const auto add = [&bits](int zeros, int ones, int times) { bits.Add(zeros, ones, times); };
    for (const Run& run : runs) {
        if (run.zeros <= max0 && run.ones <= max1) {
            bits.Add(run.zeros, run.ones, 1);
        } else {
            SplitRunCounted(run, max0, max1, add);
        }
    }
    return bits.total();
}

// The bits of a run's pairs when the step's previous run came just before it.
int StepBits(quint64 step, int m0, int m1) {
    const int max0 = (1 << m0) - 1;
    const int max1 = (1 << m1) - 1;
    PairBits bits(m0, m1);
    const quint64 previous = step >> 32;
    if (previous != 0xFFFFFFFFu) {
        SplitRunCounted({quint16(previous >> 16), quint16(previous & 0xFFFF)}, max0, max1,
                        [&bits](int zeros, int ones, int) { bits.Follow(zeros, ones); });
    }
    SplitRunCounted({quint16((step >> 16) & 0xFFFF), quint16(step & 0xFFFF)}, max0, max1,
                    [&bits](int zeros, int ones, int times) { bits.Add(zeros, ones, times); });
    return bits.total();
}

}  // namespace

InkGlyph TrimToInk(const TargetGlyph& glyph, int cellWidth, int cellHeight, int baseline) {
    InkGlyph ink;
    ink.code = glyph.code;
    ink.advance = glyph.advance;
    const char* levels = glyph.levels.constData();
    const InkBox box = InkBoxOf(glyph.levels, cellWidth, cellHeight);
    if (box.width == 0) return ink;
    const int left = box.left, right = box.left + box.width - 1;
    const int top = box.top, bottom = box.top + box.height - 1;
    ink.width = box.width;
    ink.height = box.height;
    ink.x = left;
    ink.y = baseline - (bottom + 1);
    // The runs gathered where no glyph's growth reallocates, then copied once.
    thread_local std::vector<Run> runs;
    runs.clear();
    Run run;
    for (int row = top; row <= bottom; ++row) {
        const char* line = levels + row * cellWidth;
        for (int column = left; column <= right; ++column) {
            if (line[column] != 0) {
                ++run.ones;
            } else if (run.ones > 0) {
                runs.push_back(run);
                run = Run{1, 0};
            } else {
                ++run.zeros;
            }
        }
    }
    runs.push_back(run);
    ink.runs = QVector<Run>(runs.cbegin(), runs.cend());
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

void AppendGlyph(QByteArray* bytes, const InkGlyph& glyph, const FieldBits& bits) {
    BitWriter out(bytes);
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
    out.Finish();
}

bool ChooseRunBits(const QVector<InkGlyph>& glyphs, FieldBits* bits, uint* largest) {
    // A font repeats the same run after the same run many times (a CJK font: 300,000 runs, 7,000
    // different steps), so each choice of widths is first costed once per different step.
    QHash<quint64, qint64> counts;
    int longest0 = 1;
    int longest1 = 1;
    qint64 prefixes = 0;
    for (const InkGlyph& glyph : glyphs) {
        prefixes += PrefixBytes(glyph.code);
        quint64 previous = 0xFFFFFFFFu;  // none: a glyph's first pair repeats nothing
        for (const Run& run : glyph.runs) {
            const quint64 current = quint64(run.zeros) << 16 | quint64(run.ones);
            ++counts[previous << 32 | current];
            previous = current;
            longest0 = std::max<int>(longest0, run.zeros);
            longest1 = std::max<int>(longest1, run.ones);
        }
    }
    const QVector<std::pair<quint64, qint64>> steps(counts.keyValueBegin(), counts.keyValueEnd());
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
            for (const auto& step : steps) total += step.second * StepBits(step.first, m0, m1);
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
