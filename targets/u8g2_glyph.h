// One glyph of a u8g2 font: its box trimmed to the ink, its offsets from the
// pen on the baseline, and its pixels as u8g2's run lengths (a run of 0s, a run
// of 1s, row by row through the box). The bit widths of the runs are chosen once
// per font, so the runs are kept whole until then.
#pragma once

#include <QByteArray>
#include <QVector>

#include "targets/target_font.h"

namespace runemill::u8g2 {

// 16 bits each: a box of at most 127 x 127 pixels holds no longer run, and a
// CJK font holds a quarter of a million runs.
struct Run {
    quint16 zeros = 0;
    quint16 ones = 0;  // 0 only for the last run: the box's trailing background
};

struct InkGlyph {
    uint code = 0;
    int advance = 0;
    int width = 0;  // the box; 0 x 0 for a glyph without ink
    int height = 0;
    int x = 0;  // the box's left column from the pen
    int y = 0;  // the box's bottom edge above the baseline (negative below it)
    QVector<Run> runs;
};

// The bit widths of a glyph's fields, the same for every glyph of a font.
struct FieldBits {
    int zeroRun = 0;  // m0
    int oneRun = 0;   // m1
    int width = 0;
    int height = 0;
    int x = 0;
    int y = 0;
    int advance = 0;
};

// The glyph of a W x H cell whose rows above the baseline number `baseline`.
InkGlyph TrimToInk(const TargetGlyph& glyph, int cellWidth, int cellHeight, int baseline);

// Width, height, offset and advance widths wide enough for every glyph.
FieldBits BoxFieldBits(const QVector<InkGlyph>& glyphs);

// Appends the glyph's data after its code and jump byte: the five fields,
// then the run-length bitmap, padded to whole bytes.
void AppendGlyph(QByteArray* bytes, const InkGlyph& glyph, const FieldBits& bits);

// Sets the run widths (m0, m1) that make the smallest font in which every
// glyph's record (its code and jump byte included) stays within 255 bytes. False, with *largest set
// to the code of the glyph that fits no choice, when there is none.
bool ChooseRunBits(const QVector<InkGlyph>& glyphs, FieldBits* bits, uint* largest);

}  // namespace runemill::u8g2
