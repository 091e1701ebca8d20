// Fills a planned file glyph by glyph. The caller draws; this puts the width
// byte and the packed glyph where the plan says, so the window, the command
// line and the tests assemble files the same way.
#pragma once

#include <QtGlobal>
#include <functional>

#include "layout/font_plan.h"

namespace runemill {

// Draws the slot's text and packs it into `packed` (bytesPerGlyph bytes).
// Returns the inked width; it is only stored where the slot has a width byte.
// A negative width means the glyph could not be drawn, and stops the run.
using SlotDrawer = std::function<int(const GlyphSlot&, uchar* packed)>;

// Called after each glyph has been copied: for progress, event processing or
// collecting widths (the GBK width list).
using AfterGlyph = std::function<void(int slotIndex, int width)>;

// Assembles the slots [firstSlot, endSlot) of `plan` into `out` (fileSize
// bytes). `scratch` holds bytesPerGlyph bytes. The ASCII block's space is
// zeroed and gets W / spaceDivisor whatever `draw` did. Nothing is written at
// or past fileSize. `afterGlyph` may be empty. False when a draw failed.
bool AssembleSlots(const FontPlan& plan, uchar* out, int firstSlot, int endSlot, uchar* scratch,
                   const SlotDrawer& draw, const AfterGlyph& afterGlyph);

}  // namespace runemill
