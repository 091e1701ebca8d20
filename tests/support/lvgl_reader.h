// Naive readers of LVGL's two font forms, written from LVGL's public
// descriptions (the lv_font_fmt_txt structures, the binary font's tables) and
// sharing nothing with the writers. Each glyph is drawn onto a w x h cell by
// its box and offsets on the file's baseline; anything that does not fit the
// description or the cell, or a code LVGL 8 would draw wrong, gives an empty
// font.
#pragma once

#include <QByteArray>

#include "decoded_font.h"

DecodedFont ReadLvglCForTest(const QByteArray& cSource, int w, int h);
DecodedFont ReadLvglBinForTest(const QByteArray& file, int w, int h);
