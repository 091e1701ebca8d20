// The tests' own readers of the display libraries' font formats, each written from the format's
// public description alone and sharing no code with the writers (LVGL's lv_font_fmt_txt
// structures and binary font tables, u8g2's font format, Adafruit GFX's GFXfont, BDF 2.1). Each
// draws every glyph onto a w x h cell by its box and offsets on the file's baseline, so that it
// compares pixel for pixel with the .bin glyph of the same settings; anything that does not fit
// the description or the cell gives an empty font.
#pragma once

#include <QByteArray>
#include <QMap>

struct DecodedGlyph {
    int advance = 0;
    QByteArray levels;  // w x h, row by row from the top, in the file's bits a pixel
};

// By Unicode code point.
using DecodedFont = QMap<uint, DecodedGlyph>;

// Also empty where LVGL 8 would draw a code wrong.
DecodedFont ReadLvglCForTest(const QByteArray& cSource, int w, int h);
DecodedFont ReadLvglBinForTest(const QByteArray& file, int w, int h);
// The array of a C source; finds each glyph the way u8g2 does (the offsets of 'A' and 'a' below
// 256, the jump table past 255), so a glyph u8g2 cannot reach is missing here too.
DecodedFont ReadU8g2ForTest(const QByteArray& cSource, int w, int h);
// The cell's baseline lies FONT_ASCENT rows below its top.
DecodedFont ReadBdfForTest(const QByteArray& bdf, int w, int h);
// The format keeps no baseline; the header's first comment names it.
DecodedFont ReadGfxForTest(const QByteArray& header, int w, int h);
