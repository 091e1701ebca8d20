// The compressed form of a font file as the writer sees it: the numbers of
// the format are the reader's (reader/runemill_font.h, RMF_RZ_*); this adds
// the shapes the coder works with. docs/file-formats.md ("Compressed fonts")
// is the same page in words.
#pragma once

#include "reader/runemill_font.h"

namespace runemill {

// --- Header: magic, version, the index's length form, the model's grid,
// then the uncompressed file's 9 bytes; the model follows.
constexpr char kCompressedMagic[2] = {RMF_RZ_MAGIC_0, RMF_RZ_MAGIC_1};
constexpr int kCompressedVersion = RMF_RZ_VERSION;

// --- Index: one entry per 16 glyphs: a 4-byte offset into the data, a base,
// the 16 lengths over the base, then in Unicode and string fonts the 16 width
// bytes. Three forms: a 1-byte base and nibbles, a 2-byte base and bytes, a
// 2-byte base and 2-byte values. A code shorter than its entry's base is
// padded with zero bytes, which decode as the decoder reads past a code's end
// anyway.
constexpr int kCompressedBlockGlyphs = RMF_RZ_BLOCK;
constexpr int kCompressedBlockOffsetBytes = RMF_RZ_OFFSET_BYTES;
struct LengthForm {
    int baseBytes;
    int fieldBits;
};
constexpr LengthForm kLengthForms[RMF_RZ_LAST_FORM + 1] = {{1, 4}, {2, 8}, {2, 16}};

// --- The binary arithmetic coder: 32-bit range, 12-bit probabilities.
constexpr int kCoderProbabilityBits = RMF_RZ_PROBABILITY_BITS;
// P(decision = 0) in 1/4096 for each of the 16 model values (logit-spaced).
constexpr int kCoderProbabilities[16] = RMF_RZ_PROBABILITIES;

// --- Contexts. Neighbours outside the cell count as background. The ink
// context is: bit 0 the pixel to the left (x-1, y), 1 above (x, y-1), 2 above
// left, 3 above right, 4 two to the left, 5 two above, then the pixel's
// column band (x << gx) / W in bits 6.., then its row band (y << gy) / H:
// the cell cut into 2^gx x 2^gy bands, the grid the writer picks per file.
// In 1bits a neighbour counts when it has ink; in the other formats it counts
// when it is not background, and that context codes "not background". A
// pixel that is not background then codes "full ink" in context I + (bits
// 0-4 of the neighbours' full-ink flags), where I = 64 << (gx + gy) is the
// number of ink contexts, and a level between in the bits of (level - 1),
// MSB first: the first four in context I + 32 + their tree node (1..15), the
// later ones in I + 48 + (bit index - 4).
struct Neighbour {
    int dx;
    int dy;
};
constexpr Neighbour kNeighbours[6] = {{-1, 0}, {0, -1}, {-1, -1}, {1, -1}, {-2, 0}, {0, -2}};
constexpr int kNeighbourBits = 6;
constexpr int kFullNeighbours = 5;
constexpr int kLevelTreeOffset = 32;
constexpr int kLevelTreeBits = 4;
constexpr int kLevelLowOffset = 48;
constexpr int kLevelContexts =
    RMF_RZ_LEVEL_CONTEXTS;  // full-ink, tree and low-bit contexts of gray formats
// The grid's bands: at most 16 a side and 64 in all, so that a model (with
// the gray contexts) stays within 2,080 bytes, the room the C reader keeps.
constexpr int kMaxGridShift = RMF_RZ_MAX_GRID_SHIFT;
constexpr int kMaxGridShifts = RMF_RZ_MAX_GRID_SHIFTS;

constexpr int InkContexts(int gridX, int gridY) {
    return int(RMF_RZ_NEIGHBOUR_PATTERNS) << (gridX + gridY);
}

}  // namespace runemill
