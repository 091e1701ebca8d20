#include "layout/run_progress.h"

#include "layout/layout_constants.h"

namespace runemill {

namespace {

// Whole rows done, over all the rows; -1 inside a row and in the ASCII block.
int RowEndPercent(const FontPlan& plan, int index) {
    const int done = index - plan.asciiSlotCount() + 1;
    if (done <= 0 || done % plan.cellsPerRow() != 0) return -1;
    return done / plan.cellsPerRow() * 100 / plan.rowCount();
}

}  // namespace

int ProgressPercent(const FontPlan& plan, int index) {
    const int ascii = plan.asciiSlotCount();
    const int last = plan.slotCount() - 1;
    switch (DescriptionOf(plan.kind()).progress) {
        case ProgressRule::AsciiThenRows:
            return index < ascii ? (index + 1) * 100 / (plan.rowCount() * plan.cellsPerRow())
                                 : RowEndPercent(plan, index);
        case ProgressRule::Rows:
            return RowEndPercent(plan, index);
        case ProgressRule::UnicodeCount:
            return (index < ascii ? index + 1 : index - ascii + 1) * 100 /
                   (plan.slotCount() - ascii);
        case ProgressRule::AsciiCount:
            return index < last ? (index + 1) * 100 / kAsciiCount : -1;
        case ProgressRule::FileBytes:
            return index < last ? int((plan.slot(index).glyphOffset + plan.bytesPerGlyph()) * 98 /
                                      plan.fileSize())
                                : -1;
        case ProgressRule::None:
            break;
    }
    return -1;
}

}  // namespace runemill
