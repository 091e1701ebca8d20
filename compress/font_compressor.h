// The compressed form of a finished font file: one step after the file is
// drawn, the same for the window and runemill-cli. Every glyph stays
// readable on its own (docs/file-formats.md, "Compressed fonts").
#pragma once

#include <QByteArray>
#include <QString>

#include "layout/kind_table.h"

namespace runemill {

// Compresses the complete file `plain` of a kind whose glyphs are placed as
// `placement` says, cell width x height in pixels. Returns an empty array and
// sets *problem when it cannot, e.g. for a kind without glyphs (a 108-byte
// header) or a `plain` whose length does not match its header.
QByteArray CompressFont(const QByteArray& plain, const GlyphPlacement& placement, int width,
                        int height, QString* problem);

// Whether `bytes` begin like a compressed file.
bool IsCompressedFont(const QByteArray& bytes);

}  // namespace runemill
