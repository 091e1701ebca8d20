#include "compress/glyph_coder.h"

#include <cmath>

#include "compress/compressed_layout.h"

namespace runemill {

namespace {

// Calls decide(context, bit) for every decision of the glyph, in the order
// the decoder makes them: pixels row by row, left to right.
template <typename Decide>
void ForEachDecision(const GlyphLevels& g, Decide decide) {
    const int max = g.maxLevel;
    int bits = 0;  // max = 2^bits - 1
    while ((1 << (bits + 1)) <= max + 1) ++bits;
    for (int y = 0; y < g.height; ++y) {
        const int rowZone = ZoneOf(y, g.height) << 8;
        for (int x = 0; x < g.width; ++x) {
            const int level = g.At(x, y);
            int context = rowZone | ZoneOf(x, g.width) << 6;
            for (int i = 0; i < 6; ++i)
                context |= (g.At(x + kNeighbours[i].dx, y + kNeighbours[i].dy) != 0) << i;
            decide(context, level != 0);
            if (level == 0 || max == 1) continue;
            context = 0;
            for (int i = 0; i < kFullNeighbours; ++i)
                context |= (g.At(x + kNeighbours[i].dx, y + kNeighbours[i].dy) == max) << i;
            decide(kFullContextBase + context, level == max);
            if (level == max) continue;
            const int value = level - 1;
            int node = 1;
            for (int i = 0; i < bits; ++i) {
                const int bit = (value >> (bits - 1 - i)) & 1;
                if (i < kLevelTreeBits) {
                    decide(kLevelTreeBase + node, bit);
                    node = node * 2 + bit;
                } else {
                    decide(kLevelLowBase + i - kLevelTreeBits, bit);
                }
            }
        }
    }
}

// The binary arithmetic encoder whose decoder docs/file-formats.md gives:
// carries go straight into the bytes already written.
class Encoder {
  public:
    void Code(int bit, int zeroProbability) {
        const uint32_t bound = (range_ >> kCoderProbabilityBits) * uint32_t(zeroProbability);
        if (bit) {
            low_ += bound;
            range_ -= bound;
        } else {
            range_ = bound;
        }
        while (range_ < (1u << 24)) {
            range_ <<= 8;
            ShiftByte();
        }
    }

    // Ends the code with the value of [low, low + range) that has the most
    // trailing zero bits; the decoder reads zeros past the end, so trailing
    // zero bytes are dropped.
    QByteArray Finish() {
        for (int k = 32; k >= 0; --k) {
            const uint64_t step = uint64_t(1) << k;
            const uint64_t value = (low_ + step - 1) & ~(step - 1);
            if (value < low_ + range_) {
                low_ = value;
                break;
            }
        }
        for (int i = 0; i < 4; ++i) ShiftByte();
        int end = out_.size();
        while (end > 0 && out_.at(end - 1) == '\0') --end;
        out_.truncate(end);
        return out_;
    }

  private:
    void ShiftByte() {
        if (low_ >> 32) {  // carry into the bytes written
            for (int i = out_.size() - 1; i >= 0; --i) {
                out_[i] = char(uchar(out_.at(i)) + 1);
                if (out_.at(i) != '\0') break;
            }
            low_ &= 0xFFFFFFFFu;
        }
        out_.append(char(low_ >> 24));
        low_ = (low_ << 8) & 0xFFFFFFFFu;
    }

    uint64_t low_ = 0;
    uint32_t range_ = 0xFFFFFFFFu;
    QByteArray out_;
};

}  // namespace

void GlyphCoder::Count(const GlyphLevels& glyph) {
    ForEachDecision(glyph, [this](int context, int bit) { ++(bit ? ones_ : zeros_)[context]; });
}

QByteArray GlyphCoder::Train(int contexts) {
    QByteArray bytes(contexts / 2, '\0');
    for (int c = 0; c < contexts; ++c) {
        // The value whose probability codes this context's decisions shortest.
        double best = 0;
        int bestValue = 7;
        for (int v = 0; v < 16; ++v) {
            const double p0 = kCoderProbabilities[v] / 4096.0;
            const double bits =
                -double(zeros_[c]) * std::log2(p0) - double(ones_[c]) * std::log2(1 - p0);
            if (v == 0 || bits < best) {
                best = bits;
                bestValue = v;
            }
        }
        model_[c] = uint8_t(bestValue);
        bytes[c / 2] = char(uchar(bytes.at(c / 2)) | (c % 2 ? bestValue : bestValue << 4));
    }
    return bytes;
}

QByteArray GlyphCoder::Encode(const GlyphLevels& glyph) const {
    Encoder encoder;
    ForEachDecision(glyph, [&](int context, int bit) {
        encoder.Code(bit, kCoderProbabilities[model_[context]]);
    });
    return encoder.Finish();
}

}  // namespace runemill
