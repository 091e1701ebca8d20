// Where every byte of a font file goes: header, ASCII block, glyph slots and
// records, for every kind of file the program writes. The window and the
// command line both lay out their files through this.
#pragma once

#include <QString>
#include <QVector>
#include <QtGlobal>
#include <functional>

namespace runemill {

enum class FontKind { Gb2312, Big5, Gbk, Unicode, Ascii, String };

// Settings a file is built from, copied at the start of a run.
struct CellSettings {
    int width = 32;
    int height = 32;
    int pixFormat = 0;  // normalised: 0..4
    int spaceDivisor = 3;
};

// One glyph of a file, in file order.
struct GlyphSlot {
    QString text;             // what the rasteriser draws
    int code = 0;             // ASCII character, two-byte code or UTF-16 unit
    bool leftAligned = false; // left alignment for this glyph
    bool measureWidth = false;// the width is stored (or listed, GBK row 0xA3)
    bool blankSpace = false;  // the ASCII block's space: zero bytes, width W / spaceDivisor
    qint64 widthOffset = -1;  // where the width byte goes; -1 when the file has none
    qint64 glyphOffset = 0;   // where the packed glyph goes
};

class FontPlan {
public:
    // A library (GB2312, BIG5, GBK, Unicode) or the ASCII font. Checks the
    // range in the window's order and wording, then the size; on failure
    // returns an invalid plan and sets *error.
    static FontPlan ForLibrary(FontKind kind, const CellSettings& cell, int startCode, int endCode,
                               QString* error);
    // The string font of `text`: its distinct UTF-16 units in first-occurrence order.
    static FontPlan ForString(const CellSettings& cell, const QString& text, QString* error);

    bool isValid() const;
    FontKind kind() const;
    qint64 fileSize() const;
    qint64 bytesPerGlyph() const;
    int slotCount() const;
    const GlyphSlot& slot(int index) const;
    // Writes every byte that does not come from a glyph: header, width of the
    // space, code table. `out` holds fileSize() bytes.
    void WriteFixedBytes(uchar* out) const;
    ...
};

}  // namespace runemill
