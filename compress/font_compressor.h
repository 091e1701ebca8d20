// The compressed form of a finished font file: one step after the file is
// drawn, the same for the window and runemill-cli. Every glyph stays
// readable on its own (docs/file-formats.md, "Compressed fonts").
#pragma once

#include <QByteArray>
#include <QString>

namespace runemill {

// Compresses the complete file `plain` (a GB2312, BIG5, GBK or Unicode
// library, an ASCII font or a string font, cell width x height in pixels).
// Returns an empty array and sets *problem when `plain` is not such a file,
// e.g. a 108-byte header, which holds no glyphs.
QByteArray CompressFont(const QByteArray& plain, int width, int height, QString* problem);

// Whether `bytes` begin like a compressed file.
bool IsCompressedFont(const QByteArray& bytes);

}  // namespace runemill
