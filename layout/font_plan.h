// Where every byte of a font file goes: header, ASCII block, glyph slots and
// records, for every kind of file the program writes. The window and the
// command line both lay out their files through this.
#pragma once

#include <QString>
#include <QVector>
#include <QtGlobal>
#include <functional>

#include "layout/kind_table.h"
#include "messages/refusal.h"
#include "render/cell_settings.h"
#include "render/packers.h"
#include "render/start_values.h"

namespace runemill {

// One glyph of a file, in file order.
struct GlyphSlot {
    QString text;               // what the rasteriser draws
    int code = 0;               // ASCII character, two-byte code or UTF-16 unit
    bool leftAligned = false;   // left alignment for this glyph
    bool measureWidth = false;  // the width is stored (or listed, GBK row 0xA3)
    bool blankSpace = false;    // the ASCII block's space: zero bytes, width W / spaceDivisor
    qint64 widthOffset = -1;    // where the width byte goes; -1 when the file has none
    qint64 glyphOffset = 0;     // where the packed glyph goes
};

class FontPlan {
  public:
    // A library (GB2312, BIG5, GBK, Unicode) or the ASCII font (which ignores
    // the codes), laid out as the kind table's row of `kind` places its
    // glyphs and rows. Checks the range in the window's order and wording, then
    // the cell and the size; on failure returns an invalid plan and sets *refusal.
    // The string font and the headers give an invalid plan and no refusal.
    // Texts are decoded with the encoding's codec; where Qt has none they are
    // empty, so the slots keep their places and draw blank.
    static FontPlan ForLibrary(ConvertKind kind, const CellSettings& cell, int startCode,
                               int endCode, Refusal* refusal);
    // The string font of `text`: its distinct UTF-16 units in first-occurrence
    // order. A text without units gives an invalid plan and no refusal:
    // there is nothing to write and nothing to report.
    static FontPlan ForString(const CellSettings& cell, const QString& text, Refusal* refusal);

    // Why a W x H cell cannot be drawn (too small, or a canvas no image can
    // hold); empty when it can.
    static Refusal CellRefusal(int width, int height);

    FontPlan() = default;

    bool isValid() const { return valid_; }
    ConvertKind kind() const { return kind_; }
    const CellSettings& cell() const { return cell_; }
    int startCode() const { return startCode_; }
    int endCode() const { return endCode_; }
    qint64 fileSize() const { return fileSize_; }
    qint64 bytesPerGlyph() const { return bytesPerGlyph_; }
    // W / spaceDivisor: the width stored for the ASCII block's space.
    int spaceWidth() const;

    int slotCount() const { return slots_.size(); }
    const GlyphSlot& slot(int index) const { return slots_.at(index); }
    // Not named slots(): Qt defines that word as a macro.
    const QVector<GlyphSlot>& glyphSlots() const { return slots_; }
    // Slots of the ASCII block at the start of the plan (95, or 0 for a string font).
    int asciiSlotCount() const { return asciiSlots_; }
    // Rows of a two-byte library and the slots of each; 0 for the other kinds.
    int rowCount() const { return rows_; }
    int cellsPerRow() const { return cellsPerRow_; }

    // Writes every byte that does not come from a glyph: header, width of the
    // space, code table. `out` holds fileSize() bytes. Does nothing for an
    // invalid plan.
    void WriteFixedBytes(uchar* out) const;

  private:
    bool CheckCellAndSize(Refusal* refusal);
    void AddAsciiBlock();
    void AddTwoByteRows(const RowLayout& layout);
    void AddCodeRecords();
    void AddStringRecords();
    void AppendRecord(int code, const QString& text, qint64* widthOffset);

    bool valid_ = false;
    ConvertKind kind_ = ConvertKind::Gb2312;
    CellSettings cell_;
    int startCode_ = 0;
    int endCode_ = 0;
    int rows_ = 0;
    int cellsPerRow_ = 0;
    int asciiSlots_ = 0;
    int records_ = 0;           // glyphs after the ASCII block or the code table
    qint64 recordsOffset_ = 0;  // where the first of them begins
    qint64 bytesPerGlyph_ = 0;
    qint64 fileSize_ = 0;
    QVector<ushort> units_;  // string font: the code table
    QVector<GlyphSlot> slots_;
};

}  // namespace runemill
