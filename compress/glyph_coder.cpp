#include "compress/glyph_coder.h"

#include <cmath>

#include "compress/compressed_layout.h"

namespace runemill {

namespace {

// Calls ink(x, y, neighbours, bit) for the ink decision of every pixel, in
// the order the decoder makes them (row by row, left to right), and
// level(offset, bit) for the decisions of a gray pixel's level, offset
// counted from the first context after the ink contexts.
template <typename Ink, typename Level>
void ForEachDecision(const GlyphLevels& g, Ink ink, Level level) {
    const int max = g.maxLevel;
    int bits = 0;  // max = 2^bits - 1
    while ((1 << (bits + 1)) <= max + 1) ++bits;
    for (int y = 0; y < g.height; ++y) {
        for (int x = 0; x < g.width; ++x) {
            const int value = g.At(x, y);
            int neighbours = 0;
            for (int i = 0; i < kNeighbourBits; ++i)
                neighbours |= (g.At(x + kNeighbours[i].dx, y + kNeighbours[i].dy) != 0) << i;
            ink(x, y, neighbours, value != 0);
            if (value == 0 || max == 1) continue;
            int full = 0;
            for (int i = 0; i < kFullNeighbours; ++i)
                full |= (g.At(x + kNeighbours[i].dx, y + kNeighbours[i].dy) == max) << i;
            level(full, value == max);
            if (value == max) continue;
            int node = 1;
            for (int i = 0; i < bits; ++i) {
                const int bit = ((value - 1) >> (bits - 1 - i)) & 1;
                if (i < kLevelTreeBits) {
                    level(kLevelTreeOffset + node, bit);
                    node = node * 2 + bit;
                } else {
                    level(kLevelLowOffset + i - kLevelTreeBits, bit);
                }
            }
        }
    }
}

// The band part of the ink context of column x and row y in a W x H cell.
int ColumnBand(const ContextGrid& grid, int x, int width) {
    return int((int64_t(x) << grid.x) / width) << kNeighbourBits;
}
int RowBand(const ContextGrid& grid, int y, int height) {
    return int((int64_t(y) << grid.y) / height) << (kNeighbourBits + grid.x);
}

// Bits that coding these decisions takes at the model value that suits
// them best; *value gets that value.
double BestBits(uint64_t zeros, uint64_t ones, int* value) {
    double best = 0;
    *value = 7;
    if (zeros + ones == 0) return 0;
    for (int v = 0; v < 16; ++v) {
        const double p0 = kCoderProbabilities[v] / 4096.0;
        const double bits = -double(zeros) * std::log2(p0) - double(ones) * std::log2(1 - p0);
        if (v == 0 || bits < best) {
            best = bits;
            *value = v;
        }
    }
    return best;
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

GlyphCoder::GlyphCoder() {
    for (int x = 0; x <= kMaxGridShift; ++x) {
        for (int y = 0; y <= kMaxGridShift && x + y <= kMaxGridShifts; ++y) {
            grids_.push_back({x, y});
            inkCounts_.emplace_back(size_t(InkContexts(x, y)));
        }
    }
}

void GlyphCoder::MakeBands(int width, int height) {
    if (width == bandsWidth_ && height == bandsHeight_) return;
    bandsWidth_ = width;
    bandsHeight_ = height;
    const size_t grids = grids_.size();
    columnBands_.resize(size_t(width) * grids);
    rowBands_.resize(size_t(height) * grids);
    for (size_t i = 0; i < grids; ++i) {
        for (int x = 0; x < width; ++x)
            columnBands_[size_t(x) * grids + i] = ColumnBand(grids_[i], x, width);
        for (int y = 0; y < height; ++y)
            rowBands_[size_t(y) * grids + i] = RowBand(grids_[i], y, height);
    }
}

void GlyphCoder::Count(const GlyphLevels& glyph) {
    // Each pixel counts once in every grid.
    MakeBands(glyph.width, glyph.height);
    const size_t grids = grids_.size();
    ForEachDecision(
        glyph,
        [&](int x, int y, int neighbours, int bit) {
            const int* column = &columnBands_[size_t(x) * grids];
            const int* row = &rowBands_[size_t(y) * grids];
            for (size_t i = 0; i < grids; ++i) {
                Counts& counts = inkCounts_[i][size_t(neighbours | column[i] | row[i])];
                ++(bit ? counts.ones : counts.zeros);
            }
        },
        [&](int offset, int bit) {
            ++(bit ? levelCounts_[offset].ones : levelCounts_[offset].zeros);
        });
}

QByteArray GlyphCoder::Train(bool grayLevels) {
    const int levelContexts = grayLevels ? kLevelContexts : 0;
    double shortest = 0;
    size_t chosen = 0;
    for (size_t i = 0; i < grids_.size(); ++i) {
        int value = 0;
        double bits = 4.0 * (inkCounts_[i].size() + size_t(levelContexts));
        for (const Counts& counts : inkCounts_[i])
            bits += BestBits(counts.zeros, counts.ones, &value);
        if (i == 0 || bits < shortest) {
            shortest = bits;
            chosen = i;
        }
    }
    chosen_ = chosen;
    grid_ = grids_[chosen];
    std::vector<Counts> counts = inkCounts_[chosen];
    counts.insert(counts.end(), levelCounts_.begin(), levelCounts_.begin() + levelContexts);
    model_.assign(counts.size(), 0);
    QByteArray bytes(int(counts.size() / 2), '\0');
    for (size_t c = 0; c < counts.size(); ++c) {
        int value = 0;
        BestBits(counts[c].zeros, counts[c].ones, &value);
        model_[c] = uint8_t(value);
        bytes[int(c / 2)] = char(uchar(bytes.at(int(c / 2))) | (c % 2 ? value : value << 4));
    }
    return bytes;
}

QByteArray GlyphCoder::Encode(const GlyphLevels& glyph) const {
    Encoder encoder;
    const size_t levelBase = size_t(InkContexts(grid_.x, grid_.y));
    ForEachDecision(
        glyph,
        [&](int x, int y, int neighbours, int bit) {
            // Counted glyphs all have one cell size, so the bands are there.
            const size_t grids = grids_.size();
            const int context = neighbours | columnBands_[size_t(x) * grids + chosen_] |
                                rowBands_[size_t(y) * grids + chosen_];
            encoder.Code(bit, kCoderProbabilities[model_[size_t(context)]]);
        },
        [&](int offset, int bit) {
            encoder.Code(bit, kCoderProbabilities[model_[levelBase + size_t(offset)]]);
        });
    return encoder.Finish();
}

}  // namespace runemill
