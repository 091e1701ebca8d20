// One glyph's pixels coded on their own: the decisions of the context model
// (compressed_layout.h) through a binary arithmetic coder whose probabilities
// are trained once over every glyph of a file.
#pragma once

#include <QByteArray>
#include <array>
#include <cstdint>
#include <vector>

namespace runemill {

// The pixel levels of one glyph, row by row: 0 (background) .. maxLevel.
struct GlyphLevels {
    int width = 0;
    int height = 0;
    int maxLevel = 1;  // 1, 3, 15 or 255
    std::vector<uint8_t> levels;

    int At(int x, int y) const {
        return x < 0 || y < 0 || x >= width ? 0 : levels[size_t(y) * size_t(width) + size_t(x)];
    }
};

// The cell cut into 2^x columns by 2^y rows of bands.
struct ContextGrid {
    int x = 0;
    int y = 0;

    int Byte() const { return x << 4 | y; }
};

class GlyphCoder {
  public:
    GlyphCoder();
    // Adds a glyph's decisions to the counts the model is trained on, for
    // every grid the model may use.
    void Count(const GlyphLevels& glyph);
    // Picks the grid whose model codes the counted decisions shortest, the
    // model's own bytes included, then each context's value; returns the
    // model as the file stores it (two values a byte, even context high).
    QByteArray Train(bool grayLevels);
    ContextGrid Grid() const { return grid_; }
    // The coded bytes of a glyph of the counted glyphs' size (after Train); a
    // blank glyph gives none.
    QByteArray Encode(const GlyphLevels& glyph) const;

  private:
    struct Counts {
        uint64_t zeros = 0;
        uint64_t ones = 0;
    };
    // The band part of the ink context of each column and row in every grid
    // (column x of grid i at x * grids + i), for cells of bandsWidth_ x bandsHeight_.
    void MakeBands(int width, int height);

    std::vector<ContextGrid> grids_;
    std::vector<std::vector<Counts>> inkCounts_;  // per grid
    std::array<Counts, 64> levelCounts_{};
    int bandsWidth_ = 0;
    int bandsHeight_ = 0;
    std::vector<int> columnBands_;
    std::vector<int> rowBands_;
    size_t chosen_ = 0;  // the grid Train picked
    ContextGrid grid_;
    std::vector<uint8_t> model_;
};

}  // namespace runemill
