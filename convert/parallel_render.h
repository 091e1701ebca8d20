// Draws the glyphs of a plan into its file buffer, on one or more threads.
// Each thread takes one contiguous run of slots with its own GlyphDrawer, so
// the threads write disjoint bytes and the file does not depend on their number.
#pragma once

#include <QFont>
#include <QString>
#include <QVector>
#include <functional>

#include "convert/convert_request.h"
#include "layout/font_plan.h"

namespace runemill {

// Threads a run uses: `requested`, at most one per slot, and one when Qt cannot
// draw text outside the GUI thread.

int ThreadsForRun(int requested, int slotCount);

// Called on the calling thread now and then with the number of glyphs done.
using RenderProgress = std::function<void(qint64 done)>;

// Draws every slot of `plan` into `out` (plan.fileSize() bytes whose fixed
// bytes are written already). Fills *widths with the width of every slot, in
// slot order, for the GBK width list. False when a glyph's cell could not be
// allocated: the buffer is then incomplete and must not be written.
bool RenderPlanSlots(const FontPlan& plan, const ConvertRequest& request, int threads,
                     uchar* out, const RenderProgress& progress, QVector<int>* widths);

}  // namespace runemill
