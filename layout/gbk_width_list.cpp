#include "layout/gbk_width_list.h"

#include "layout/layout_constants.h"
#include "render/codes.h"

namespace runemill {

void GbkWidthList::Add(int cell, int width) {
    text_ += DecimalText(width);
    text_ += QLatin1Char(',');
    // Sixteen cells a line, the first line also holding the leading 0.
    if (cell >= 0xAF && cell <= 0xEF && (cell & 0x0F) == 0x0F) text_ += QStringLiteral("\r\n");
}

bool GbkWidthList::AddIfListed(const FontPlan& plan, const GlyphSlot& slot, int width) {
    const int row = slot.code >> 8;
    const int cell = slot.code & 0xFF;
    const RowLayout* rows = DescriptionOf(plan.kind()).rows;
    if (!rows || !rows->listsWidths || row != kFullWidthRow || cell < kGbkWidthListFirstCell)
        return false;
    Add(cell, width);
    return true;
}

QString GbkWidthList::Text() const { return text_ + QStringLiteral("\r\n};"); }

}  // namespace runemill
