// The compressed form of a finished font file: one step after the file is
// drawn, the same for the window and runemill-cli. Every glyph stays
// readable on its own (docs/file-formats.md, "Compressed fonts").
#pragma once

#include <QByteArray>
#include <QString>

namespace runemill {

// Where the plain file of a kind keeps its glyphs, and so what its compressed
// form keeps besides them: a column of the kind table (convert_request.cpp).
struct GlyphPlacement {
    bool asciiBlock = false;    // 95 width bytes and 95 glyphs after the header
    bool records = false;       // one glyph per code after the ASCII block or code table
    bool recordWidths = false;  // a width byte in front of each record's glyph
    bool codeTable = false;     // a count, a tag and the codes after the header (string font)
};

// Compresses the complete file `plain` of a kind whose glyphs are placed as
// `placement` says, cell width x height in pixels. Returns an empty array and
// sets *problem when it cannot, e.g. for a kind without glyphs (a 108-byte
// header) or a `plain` whose length does not match its header.
QByteArray CompressFont(const QByteArray& plain, const GlyphPlacement& placement, int width,
                        int height, QString* problem);

// Whether `bytes` begin like a compressed file.
bool IsCompressedFont(const QByteArray& bytes);

}  // namespace runemill
