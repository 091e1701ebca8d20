// The cell every glyph of a file is drawn into and packed as. It is made
// right once, where settings come in (the window's form, runemill-cli's
// options): the job, the plan, the packers and the headers take it as it is.
#pragma once

#include "render/packers.h"
#include "render/start_values.h"

namespace runemill {

struct CellSettings {
    int width = kStartWidth;  // W and H in pixels
    int height = kStartHeight;
    PixelFormat pixFormat = kFormat1Bit;
    int grayLimit = kStartGrayLimit;        // 1bits: a pixel is ink where its gray is above it
    int spaceDivisor = kStartSpaceDivisor;  // the ASCII space is W / this wide; below 1 counts as 1
};

}  // namespace runemill
