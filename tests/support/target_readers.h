// The tests' own readers of the display libraries' font formats, each written from the format's
// public description alone and sharing no code with the writers: a file in, every glyph drawn on
// the W x H cell by its box and offsets on the file's baseline out.
#pragma once

#include "decoded_font.h"
#include "lvgl_reader.h"  // ReadLvglCForTest, ReadLvglBinForTest
#include "u8g2_reader.h"  // ReadU8g2ForTest

// BDF 2.1: the baseline is FONT_ASCENT rows below the cell's top.
DecodedFont ReadBdfForTest(const QByteArray& bdf, int w, int h);
// An Adafruit GFX header: the format keeps no baseline; the header's first comment names it.
DecodedFont ReadGfxForTest(const QByteArray& header, int w, int h);
