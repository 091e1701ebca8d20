// Byte positions, magics, row shapes and limits of every file the program
// writes, under the writer's names. The numbers a reader needs are defined
// once, in the reader's public header (reader/runemill_font.h, RMF_*).
#pragma once

#include <QtGlobal>

#include "reader/runemill_font.h"

namespace runemill {

// --- The library header: the first 9 bytes of every library and the ASCII font.
constexpr int kLibraryHeaderSize = RMF_LIB_HEADER;  // magic(2) W H start(2) end(2) format
constexpr int kHeaderMagicOffset = 0;               // two magic letters
constexpr int kHeaderWidthOffset = 2;               // W, low 8 bits
constexpr int kHeaderHeightOffset = 3;              // H, low 8 bits
constexpr int kHeaderStartCodeOffset = 4;           // start code, little-endian
constexpr int kHeaderEndCodeOffset = 6;             // end code, little-endian
constexpr int kHeaderPixFormatOffset = 8;           // PixelFormat index 0..4

constexpr char kGb2312Magic[2] = {'G', 'B'};
constexpr char kBig5Magic[2] = {'B', 'G'};
constexpr char kGbkMagic[2] = {'G', 'K'};
constexpr char kUnicodeMagic[2] = {'u', 'n'};
constexpr char kAsciiMagic[2] = {'A', 'S'};
constexpr char kStringMagic[2] = {'S', 'S'};
constexpr uchar kAsciiNoCode = 0xFF;  // the ASCII font has no range: bytes 4..7 are FF

// --- The ASCII block that follows the header of every library.
constexpr int kAsciiFirstChar = RMF_ASCII_FIRST;  // the space; its glyph is always blank
constexpr int kAsciiCount = RMF_ASCII_COUNT;      // characters 0x20 to 0x7E
constexpr int kAsciiWidthsOffset =
    RMF_ASCII_WIDTHS;  // byte 9 + i is the width of character 0x20 + i
constexpr int kAsciiGlyphsOffset = RMF_ASCII_GLYPHS;  // 9 + 95: the 95 packed glyphs, no separators

// --- GB2312: rows 0xA1..0xF7, 94 cells 0xA1..0xFE per row, no width bytes.
constexpr int kGb2312MinStart = 0xA1A0;
constexpr int kGb2312MaxEnd = 0xF7FE;
constexpr int kGb2312FirstCell = 0xA1;
constexpr int kGb2312CellsPerRow = RMF_GB2312_CELLS;

// --- BIG5: 160 slots per row, cells 0x40..0x7F then 0xA0..0xFF. The cells
// 0x80 to 0x9F are never trail bytes and have no slot.
constexpr int kBig5MinStart = 0xA140;
constexpr int kBig5MaxEnd = 0xF9FF;
constexpr int kBig5LowFirstCell = 0x40;
constexpr int kBig5LowCellCount = 64;     // 0x40..0x7F
constexpr int kBig5HighFirstCell = 0xA0;  // 0xA0..0xFF follow at slot 64
constexpr int kBig5CellsPerRow = RMF_BIG5_CELLS;

// --- GBK: 190 slots per row, cells 0x40..0x7E then 0x80..0xFE; 0x7F and 0xFF
// are not trail bytes and leave no gap.
constexpr int kGbkMinStart = 0x8140;
constexpr int kGbkMaxEnd = 0xFEFE;
constexpr int kGbkLowFirstCell = 0x40;
constexpr int kGbkLowCellCount = 63;     // 0x40..0x7E
constexpr int kGbkHighFirstCell = 0x80;  // 0x80..0xFE follow at slot 63
constexpr int kGbkCellsPerRow = RMF_GBK_CELLS;
constexpr int kGbkDefaultEnd = 0xFEBF;  // the code fields' end when GBK is chosen

// Row 0xA3 of GB2312 and GBK holds the full-width ASCII symbols: drawn
// left-aligned, and in GBK its cells 0xA0..0xFE give the width list.
constexpr int kFullWidthRow = 0xA3;
constexpr int kGbkWidthListFirstCell = 0xA0;

// --- Unicode: one record per UTF-16 unit, a width byte then the packed glyph.
// Chosen, it starts with the CJK unified ideographs 4E00..9FA5.
constexpr int kUnicodeDefaultStart = 0x4E00;
constexpr int kUnicodeDefaultEnd = 0x9FA5;
constexpr int kUnicodeRecordWidthBytes = 1;

// --- String font: header, then a table of UTF-16 units, then records.
constexpr int kStringCountOffset = 4;            // count, low 16 bits, little-endian
constexpr char kStringUnitsTag[2] = {'U', 'N'};  // bytes 6 and 7
constexpr int kStringTagOffset = 6;
constexpr int kStringTableOffset = 9;  // 2 bytes per unit, low byte first
constexpr int kStringCodeBytes = 2;

// --- Every file must stay below 2 GB: sizes and positions are 32-bit signed.
constexpr qint64 kMaxFileSize = Q_INT64_C(0x7FFFFFFF);

// --- The 108-byte headers of the font chip ("ZQ") and of a TTF file ("TF").
constexpr int kChipHeaderSize = RMF_CHIP_SIZE;  // filled with 0xFF before the fields
constexpr uchar kChipHeaderFill = 0xFF;
constexpr char kChipMagic[2] = {'Z', 'Q'};
constexpr char kTtfMagic[2] = {'T', 'F'};
constexpr char kChipPartNumber[] = "ZQ7MRPE4KHC";
constexpr char kTtfHeaderText[] = "KV7104 TTF Font";
constexpr int kChipTextOffset = RMF_CHIP_TEXT;              // at most 16 text bytes, then 0x00
constexpr int kChipTextMaxBytes = RMF_CHIP_TEXT_FIELD - 1;  // and its 0x00
constexpr int kChipFlagsOffset = RMF_CHIP_FLAGS;  // 0x80 | italic 1 | underline 2 | bold 4
constexpr uchar kChipFlagsBase = 0x80;
constexpr uchar kChipFlagItalic = RMF_FLAG_ITALIC;
constexpr uchar kChipFlagUnderline = RMF_FLAG_UNDERLINE;
constexpr uchar kChipFlagBold = RMF_FLAG_BOLD;
constexpr int kChipPointSizeOffset = RMF_CHIP_POINT_SIZE;     // low 8 bits
constexpr int kChipX0Offset = RMF_CHIP_X0;                    // low 8 bits, two's complement
constexpr int kChipY0Offset = RMF_CHIP_Y0;                    // low 8 bits, two's complement
constexpr int kChipFamilyOffset = RMF_CHIP_FAMILY;            // family in "gbk", then 0x00
constexpr int kChipFamilyWholeBelow = RMF_CHIP_FAMILY_FIELD;  // a shorter family is stored whole
constexpr int kChipFamilyCutBytes = 55;  // a longer one keeps 55 bytes, 0x00 at 87

}  // namespace runemill
