// What a test's own reader of a display-library font gives back: every glyph
// drawn onto a W x H cell by its box and offsets on the file's baseline, so
// that it compares pixel for pixel with the .bin glyph of the same settings.
#pragma once

#include <QByteArray>
#include <QMap>

struct DecodedGlyph {
    int advance = 0;
    QByteArray levels;  // W x H, row by row from the top, in the file's bits a pixel
};

// By Unicode code point; a problem leaves it empty.
using DecodedFont = QMap<uint, DecodedGlyph>;
