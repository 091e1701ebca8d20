// The box of a glyph's ink: the rows and columns of a cell that hold a
// nonzero level. Every display-library format but BDF stores a glyph trimmed
// to it.
#pragma once

#include <QByteArray>

namespace runemill {

struct InkBox {
    int left = 0;
    int top = 0;
    int width = 0;  // 0 x 0: no ink
    int height = 0;
};

// The box of the W x H `levels`, row by row from the top.
InkBox InkBoxOf(const QByteArray& levels, int width, int height);

}  // namespace runemill
