#include "layout/font_assembler.h"

#include <algorithm>
#include <cstring>

namespace runemill {

bool AssembleSlots(const FontPlan& plan, uchar* out, int firstSlot, int endSlot, uchar* scratch,
                   const SlotDrawer& draw, const AfterGlyph& afterGlyph) {
    if (!plan.isValid() || !draw) return false;
    const qint64 fileSize = plan.fileSize();
    const qint64 glyphBytes = plan.bytesPerGlyph();
    firstSlot = std::max(firstSlot, 0);
    endSlot = std::min(endSlot, plan.slotCount());
    for (int index = firstSlot; index < endSlot; ++index) {
        const GlyphSlot& slot = plan.slot(index);
        int width = draw(slot, scratch);
        if (width < 0) return false;  // not drawn: the run stops, nothing is kept
        if (slot.blankSpace) {
            // The space is always blank, whatever the font draws for it.
            std::memset(scratch, 0, size_t(glyphBytes));
            width = plan.spaceWidth();
        }
        if (slot.widthOffset >= 0 && slot.widthOffset < fileSize) {
            out[slot.widthOffset] = uchar(width & 0xFF);
        }
        const qint64 copyBytes = std::min(glyphBytes, fileSize - slot.glyphOffset);
        if (copyBytes > 0) std::memcpy(out + slot.glyphOffset, scratch, size_t(copyBytes));
        if (afterGlyph) afterGlyph(index, width);
    }
    return true;
}

}  // namespace runemill
