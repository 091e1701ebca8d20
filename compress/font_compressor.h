// The compressed form of a finished font file: one step after the file is
// drawn, the same for the window and runemill-cli. Every glyph stays
// readable on its own (docs/file-formats.md, "Compressed fonts").
#pragma once

#include <QByteArray>
#include <QString>

#include "layout/font_plan.h"

namespace runemill {

// Compresses the complete file `plain` that `plan` lays out: its glyphs and
// width bytes are where the plan's slots put them. Returns an empty array and
// sets *problem when it cannot, e.g. for a kind without glyphs (a 108-byte
// header, which has no valid plan) or a `plain` of another length.
QByteArray CompressFont(const QByteArray& plain, const FontPlan& plan, QString* problem);

// Whether `bytes` begin like a compressed file.
bool IsCompressedFont(const QByteArray& bytes);

}  // namespace runemill
