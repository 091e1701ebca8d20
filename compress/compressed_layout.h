// The compressed form of a font file: byte positions, the context model and
// the probability table. docs/file-formats.md ("Compressed fonts") is the
// same page in words; the C reader implements it from there.
#pragma once

namespace runemill {

// --- Header: magic, version, flags, then the uncompressed file's 9 bytes.
constexpr char kCompressedMagic[2] = {'R', 'Z'};
constexpr int kCompressedVersion = 1;
constexpr int kCompressedVersionOffset = 2;
constexpr int kCompressedFlagsOffset = 3;
constexpr int kCompressedFlagWideLengths = 0x01;  // index lengths are 2 bytes, else 1
constexpr int kCompressedInnerHeaderOffset = 4;   // the 9 header bytes of the plain file
constexpr int kCompressedModelOffset = 13;
// Contexts of the model, four bits each (two a byte, even context high):
// 1024 for 1bits, 1088 for the other formats.
constexpr int kInkContexts = 1024;
constexpr int kLevelContexts = 1088;

// --- Index: one block per 16 glyphs, a 4-byte offset into the data, then per
// glyph its length (1 or 2 bytes) and, in Unicode and string fonts, its width.
constexpr int kCompressedBlockGlyphs = 16;
constexpr int kCompressedBlockOffsetBytes = 4;

// --- The binary arithmetic coder: 32-bit range, 12-bit probabilities.
constexpr int kCoderProbabilityBits = 12;
// P(decision = 0) in 1/4096 for each of the 16 model values (logit-spaced).
constexpr int kCoderProbabilities[16] = {10,   41,   110,  233,  446,  745,  1184, 1744,
                                         2352, 2912, 3351, 3650, 3863, 3986, 4055, 4086};

// --- Contexts. Neighbours outside the cell count as background. The ink
// context (10 bits) is: bit 0 the pixel to the left (x-1, y), 1 above (x, y-1),
// 2 above left, 3 above right, 4 two to the left, 5 two above, bits 6-7 the
// column zone and bits 8-9 the row zone (zone of x: 0 for x < 2, 1 below W/2,
// 2 below W-2, else 3). In 1bits a neighbour counts when it has ink; in the
// other formats it counts when it is not background, and that context codes
// "not background". A pixel that is not background then codes "full ink" in
// context 1024 + (bits 0-4 of the neighbours' full-ink flags), and a level
// between in the bits of (level - 1), MSB first: the first four in context
// 1056 + their tree node (1..15), the later ones in 1072 + (bit index - 4).
struct Neighbour {
    int dx;
    int dy;
};
constexpr Neighbour kNeighbours[6] = {{-1, 0}, {0, -1}, {-1, -1}, {1, -1}, {-2, 0}, {0, -2}};
constexpr int kZoneEdge = 2;
constexpr int kFullContextBase = 1024;
constexpr int kFullNeighbours = 5;
constexpr int kLevelTreeBase = 1056;
constexpr int kLevelTreeBits = 4;
constexpr int kLevelLowBase = 1072;

// The zone of position p in a cell of `size` pixels.
constexpr int ZoneOf(int p, int size) {
    return p < kZoneEdge ? 0 : p < size / 2 ? 1 : p + kZoneEdge < size ? 2 : 3;
}

}  // namespace runemill
