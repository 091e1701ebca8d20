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

class GlyphCoder {
  public:
    // Adds a glyph's decisions to the counts the model is trained on.
    void Count(const GlyphLevels& glyph);
    // Picks the model value of each of `contexts` contexts from the counts;
    // returns the model as the file stores it (two a byte, even context high).
    QByteArray Train(int contexts);
    // The coded bytes of a glyph (after Train); a blank glyph gives none.
    QByteArray Encode(const GlyphLevels& glyph) const;

  private:
    std::array<uint64_t, 1088> zeros_{};
    std::array<uint64_t, 1088> ones_{};
    std::array<uint8_t, 1088> model_{};
};

}  // namespace runemill
