// The text a GBK run shows after it is written: the inked widths of row 0xA3
// cells 0xA0..0xFE as an array initialiser a firmware build can paste,
//   {0,w(A3A0),...,w(A3AF),\r\n  ...  w(A3FE),\r\n};
#pragma once

#include <QString>

#include "layout/font_plan.h"

namespace runemill {

class GbkWidthList {
  public:
    // Adds the width of one listed cell, in cell order. The list breaks its
    // line after the cells 0xAF, 0xBF, 0xCF, 0xDF and 0xEF.
    void Add(int cell, int width);
    // Adds `width` when `slot` is one of the listed cells of a GBK plan (row
    // 0xA3, cell 0xA0 or above); returns whether it did.
    bool AddIfListed(const FontPlan& plan, const GlyphSlot& slot, int width);
    // The finished list: what was added, then "\r\n};". Without any cell it
    // is "{0,\r\n};".
    QString Text() const;

  private:
    QString text_ = QStringLiteral("{0,");
};

}  // namespace runemill
