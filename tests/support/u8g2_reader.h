// A deliberately naive reader of u8g2 fonts written as C source, from u8g2's
// published font format alone: it finds every glyph the way u8g2 does (the
// offsets of 'A' and 'a' below 256, the jump table past 255), so a glyph that
// u8g2 cannot reach is missing here too.
#pragma once

#include <QByteArray>

#include "decoded_font.h"

// The glyphs of the array in `cSource`, each drawn on a w x h cell whose
// baseline lies where the font box (the cell) puts it. Empty when the source
// or a glyph is malformed.
DecodedFont ReadU8g2ForTest(const QByteArray& cSource, int w, int h);
