// Draws the glyphs of a plan into its file buffer, on one or more threads.
// Each thread takes one contiguous run of slots with its own GlyphDrawer, so
// the threads write disjoint bytes and the file does not depend on their number.
#pragma once

#include <QFont>
#include <QString>
#include <QVector>
#include <functional>

#include "generators/layout/font_plan.h"
#include "render/glyph_pipeline.h"

namespace runemill::cli {

// The font as the window holds it: family and size; weight and style are
// written by the rasteriser from the glyph settings.
struct FontChoice {
    QString family;
    int pointSize = 20;
    bool underline = false;
};

QFont MakeFont(const FontChoice& choice);

// Threads a run uses: `requested`, at most one per slot, and one when Qt cannot
// draw text outside the GUI thread.
// Qt can draw text outside the GUI thread.
bool ThreadedFontRendering();

int ThreadsForRun(int requested, int slotCount);

// Called on the calling thread now and then with the number of glyphs done.
using RenderProgress = std::function<void(qint64 done)>;

// Draws every slot of `plan` into `out` (plan.fileSize() bytes whose fixed
// bytes are written already). Fills *widths with the width of every slot, in
// slot order, for the GBK width list. False when a glyph's cell could not be
// allocated: the buffer is then incomplete and must not be written.
bool RenderPlanSlots(const FontPlan& plan, const FontChoice& font, const GlyphSettings& glyph, int threads,
                     uchar* out, const RenderProgress& progress, QVector<int>* widths);

}  // namespace runemill::cli
