// The packed glyph: rows top to bottom, each padded to whole bytes, leftmost
// pixel in the high bits. Gray g = (11R + 16G + 5B) >> 5.
#pragma once

#include <QImage>
#include <QtGlobal>

#include "render/start_values.h"

namespace runemill {

enum PixelFormat {
    kFormat1Bit = 0,
    kFormat2Bit = 1,
    kFormat4Bit = 2,
    kFormat8Bit = 3,
    kFormatArgb4444 = 4,
};
constexpr int kPixelFormatCount = 5;

// The formats as the window's combo box lists them, by index.
extern const char* const kPixelFormatNames[kPixelFormatCount];

// An index above 4 (or below 0) means 1bits: where a format comes in as a
// number (the window's combo box), it is made a PixelFormat once with this.
PixelFormat NormalizePixelFormat(int pixFormat);

// Bytes of one packed glyph: ceil(W/8)*H, ceil(W/4)*H, ceil(W/2)*H, W*H, 2*W*H
// (1bits for a number that is no format).
// 64-bit so that a caller can refuse sizes that do not fit a file.
qint64 BytesPerGlyph(int pixFormat, int width, int height);

struct CellSettings;  // render/cell_settings.h

// Pack W x H positions of `glyph` into `out` (BytesPerGlyph bytes). Positions
// outside the image (after a 90-degree turn with W != H) read as black.
void PackGlyph1Bit(const QImage& glyph, int width, int height, int grayLimit, uchar* out);
void PackGlyph2Bit(const QImage& glyph, int width, int height, uchar* out);
void PackGlyph4Bit(const QImage& glyph, int width, int height, uchar* out);
void PackGlyph8Bit(const QImage& glyph, int width, int height, uchar* out);
void PackGlyphARGB4444(const QImage& glyph, int width, int height, uchar* out);

// The packer of cell.pixFormat, for W x H and the 1bits threshold of `cell`.
void PackGlyph(const QImage& glyph, const CellSettings& cell, uchar* out);

// The highest level a pixel of the format holds: 1, 3, 15, 255, and 15 for
// aRGB4444, whose four nibbles hold one gray nibble.
int MaxLevel(PixelFormat pixFormat);

// A packed glyph (BytesPerGlyph bytes at `bits`) read back into W x H levels,
// row by row from the top, 0 (background) .. MaxLevel (full ink). False when
// an aRGB4444 pixel does not hold one gray nibble four times, as PackGlyph
// writes it.
bool UnpackGlyph(const uchar* bits, PixelFormat pixFormat, int width, int height, uchar* levels);

}  // namespace runemill
