// What LVGL's C font and its binary font share: each glyph's box trimmed to
// its ink with its offsets from the baseline, the glyph numbers, the character
// maps (cmaps), and the bit packing and run-length code of a box's levels.
// docs/lvgl.md describes the mapping for the firmware engineer.
#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>
#include <string>

#include "targets/target_font.h"

namespace runemill {
namespace lvgl {

// LVGL's cmap types (lv_font_fmt_txt_cmap_type_t); both "tiny" forms number
// the glyphs of a cmap consecutively from its first glyph number.
constexpr int kCmapFormat0Tiny = 2;  // every code of the range, no list
constexpr int kCmapSparseTiny = 3;   // a sorted list of code - range start

constexpr int kMaxCmaps = 511;          // cmap_num is a 9-bit field
constexpr int kMaxGlyphNumber = 65535;  // glyph_id_start is 16 bits
constexpr int kMaxCmapSpan = 65535;     // range_length is 16 bits
constexpr int kMaxCell = 32767;         // line height and offsets in 16-bit fields

struct Glyph {
    uint code = 0;    // 0 for number 0 and for the blank numbers past a range
    int advance = 0;  // pixels; LVGL stores sixteenths
    int boxWidth = 0;
    int boxHeight = 0;
    int offsetX = 0;  // from the pen to the box's left column
    int offsetY = 0;  // from the baseline up to the box's bottom edge
    // Where the box lies in the TargetFont's cell, which the Font does not copy:
    // it reads the TargetFont it was laid out from, which must outlive it.
    const char* cell = nullptr;  // the cell's levels; null for no box
    int cellWidth = 0;
    int boxLeft = 0;
    int boxTop = 0;
};

// The glyph's box levels, boxWidth x boxHeight row by row from the top, in
// *levels (one buffer for every glyph of a font).
void BoxLevels(const Glyph& glyph, QByteArray* levels);

struct Cmap {
    uint rangeStart = 0;
    int rangeLength = 0;
    int firstGlyph = 0;
    int type = kCmapFormat0Tiny;
    QVector<quint16> offsets;  // sparse: code - rangeStart of each glyph, ascending
};

struct Font {
    QVector<Glyph> glyphs;  // by glyph number; number 0 is LVGL's "no glyph"
    QVector<Cmap> cmaps;
    int lineHeight = 0;         // H
    int baseLine = 0;           // rows below the baseline, counted from the bottom of the line
    int underlinePosition = 0;  // top of the underline above the baseline (< 0 below)
    int underlineThickness = 1;
};

// What one cmap costs in the file and what a blank glyph number costs, in
// bytes: the cmaps are chosen to make their total smallest.
struct CmapCosts {
    int cmap = 0;
    int blankGlyph = 0;
};

// Checks the font and lays it out; an empty Font with *problem set when the
// request does not fit LVGL's font.
Font LayOut(const TargetFont& font, CmapCosts costs, QString* problem);

// Bits written most significant first into bytes, the last one padded with
// zero bits.
class BitWriter {
  public:
    // The low `bits` bits of value, up to 32.
    void Put(uint value, int bits) {
        pending_ = pending_ << bits | (value & ((quint64(1) << bits) - 1));
        pendingBits_ += bits;
        while (pendingBits_ >= 8) {
            pendingBits_ -= 8;
            bytes_.push_back(char(pending_ >> pendingBits_));
        }
    }
    // Zero bits to the end of the byte, so that what follows starts on one.
    void PadToByte() {
        if (pendingBits_ > 0) Put(0, 8 - pendingBits_);
    }
    int WholeBytes() const { return int(bytes_.size()); }
    void Reserve(qint64 bytes) { bytes_.reserve(size_t(bytes)); }
    QByteArray Bytes() const;
    void AppendTo(QByteArray* out) const;  // Bytes() without a copy of its own

  private:
    std::string bytes_;
    quint64 pending_ = 0;  // the low pendingBits_ bits are not yet in bytes_
    int pendingBits_ = 0;
};

// A box's levels at bpp bits each, rows not padded, the last byte padded.
QByteArray PackLevels(const QByteArray& levels, int bpp);

// LVGL's compressed bitmap of a box at 2 or 4 bpp: each row XORed with the row
// above, then the run-length code LVGL's decompressor reads.
QByteArray CompressLevels(const QByteArray& levels, int width, int height, int bpp);

}  // namespace lvgl
}  // namespace runemill
