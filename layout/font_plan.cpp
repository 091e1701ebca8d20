#include "layout/font_plan.h"

#include <QChar>
#include <QTextCodec>
#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <vector>

#include "layout/layout_constants.h"
#include "messages/refusal.h"
#include "render/codes.h"
#include "render/packers.h"
#include "render/rasterizer.h"

namespace runemill {

namespace {

void PutLe16(uchar* out, int value) { qToLittleEndian(quint16(value), out); }

void PutMagic(uchar* out, const char* magic) {
    out[0] = uchar(magic[0]);
    out[1] = uchar(magic[1]);
}

}  // namespace

int FontPlan::spaceWidth() const { return cell_.width / std::max(cell_.spaceDivisor, 1); }

FontPlan FontPlan::ForLibrary(ConvertKind kind, const CellSettings& cell, int startCode,
                              int endCode, Refusal* refusalOut) {
    if (refusalOut) *refusalOut = Refusal();
    const KindDescription& description = DescriptionOf(kind);
    // The string font is planned by ForString; a header has no plan.
    if (!description.glyphs.asciiBlock) return FontPlan();
    FontPlan plan;
    plan.kind_ = kind;
    plan.cell_ = cell;

    const RowLayout* rows = description.rows;
    Refusal refusal;
    if (rows) {
        // Start before end, as the window reports them; whole rows are written.
        if (startCode < rows->limits.start) {
            refusal = Refusal::CodeOutOfRange(true, rows->limits.start);
        } else if (endCode > rows->limits.end) {
            refusal = Refusal::CodeOutOfRange(false, rows->limits.end);
        } else if (endCode < startCode) {
            refusal = Refusal::StartAfterEndCode();
        } else {
            plan.startCode_ = startCode;
            plan.endCode_ = endCode;
            plan.rows_ = (endCode >> 8) - (startCode >> 8) + 1;
            plan.cellsPerRow_ = rows->cellsPerRow();
            plan.records_ = plan.rows_ * plan.cellsPerRow_;
        }
    } else if (description.glyphs.records) {
        // One record per code; codes are unsigned 16-bit values.
        plan.startCode_ = startCode & 0xFFFF;
        plan.endCode_ = endCode & 0xFFFF;
        if (plan.startCode_ > plan.endCode_) refusal = Refusal::StartAfterEndCode();
        plan.records_ = plan.endCode_ - plan.startCode_ + 1;
    }
    if (refusal) {
        if (refusalOut) *refusalOut = refusal;
        return FontPlan();
    }
    if (!plan.CheckCellAndSize(refusalOut)) return FontPlan();

    plan.AddAsciiBlock();
    if (rows) {
        plan.AddTwoByteRows(*rows);
    } else if (description.glyphs.records) {
        plan.AddCodeRecords();
    }
    plan.valid_ = true;
    return plan;
}

FontPlan FontPlan::ForString(const CellSettings& cell, const QString& text, Refusal* refusal) {
    if (refusal) *refusal = Refusal();
    FontPlan plan;
    plan.kind_ = ConvertKind::String;
    plan.cell_ = cell;

    // There are at most 65536 distinct units, so one flag per unit finds repeats.
    std::vector<bool> seen(0x10000, false);
    for (const QChar ch : text) {
        const ushort unit = ch.unicode();
        if (seen[unit]) continue;
        seen[unit] = true;
        plan.units_.append(unit);
    }
    plan.records_ = plan.units_.size();
    if (plan.units_.isEmpty()) return FontPlan();  // nothing to write, nothing to report
    if (!plan.CheckCellAndSize(refusal)) return FontPlan();

    plan.AddStringRecords();
    plan.valid_ = true;
    return plan;
}

Refusal FontPlan::CellRefusal(int width, int height) {
    if (width < 1 || height < 1) return Refusal::SmallCell();
    if (!CellDrawable(width, height)) return Refusal::LargeCell(width, height);
    return Refusal();
}

// Refuses an empty cell, then computes the glyph and file sizes in 64 bits.
// The glyph size is checked on its own first, so no product can overflow:
// a plan has at most 95 + 65536 slots.
bool FontPlan::CheckCellAndSize(Refusal* refusalOut) {
    const Refusal refusal = CellRefusal(cell_.width, cell_.height);
    if (refusal) {
        if (refusalOut) *refusalOut = refusal;
        return false;
    }
    bytesPerGlyph_ = BytesPerGlyph(cell_.pixFormat, cell_.width, cell_.height);
    bool tooLarge = bytesPerGlyph_ > kMaxFileSize;
    if (!tooLarge) {
        // The records follow the ASCII block, or the string font's code table.
        const GlyphPlacement& glyphs = DescriptionOf(kind_).glyphs;
        recordsOffset_ = glyphs.asciiBlock
                             ? kAsciiGlyphsOffset + kAsciiCount * bytesPerGlyph_
                             : kStringTableOffset + qint64(records_) * kStringCodeBytes;
        const qint64 recordBytes =
            (glyphs.recordWidths ? kUnicodeRecordWidthBytes : 0) + bytesPerGlyph_;
        fileSize_ = recordsOffset_ + records_ * recordBytes;
        tooLarge = fileSize_ > kMaxFileSize;
    }
    if (tooLarge) {
        if (refusalOut) *refusalOut = Refusal::LargeFile();
        fileSize_ = 0;
        return false;
    }
    return true;
}

void FontPlan::AddAsciiBlock() {
    slots_.reserve(kAsciiCount + records_);
    asciiSlots_ = kAsciiCount;
    for (int i = 0; i < kAsciiCount; ++i) {
        GlyphSlot slot;
        slot.code = kAsciiFirstChar + i;
        slot.text = QString(QChar(slot.code));
        slot.leftAligned = true;
        slot.blankSpace = i == 0;  // its width is W / spaceDivisor, not measured
        slot.measureWidth = i != 0;
        slot.widthOffset = kAsciiWidthsOffset + i;
        slot.glyphOffset = kAsciiGlyphsOffset + i * bytesPerGlyph_;
        slots_.append(slot);
    }
}

void FontPlan::AddTwoByteRows(const RowLayout& layout) {
    QTextCodec* codec = CodecFor(DescriptionOf(kind_).encoding);
    int cells[kGbkCellsPerRow];  // GBK has the widest rows
    int cellCount = 0;
    for (int c = 0; c < layout.lowCount; ++c) cells[cellCount++] = layout.lowFirst + c;
    for (int c = 0; c < layout.highCount; ++c) cells[cellCount++] = layout.highFirst + c;

    qint64 glyphOffset = recordsOffset_;
    const int firstRow = startCode_ >> 8;
    for (int row = firstRow; row < firstRow + rows_; ++row) {
        const bool fullWidthRow = row == kFullWidthRow;
        for (int i = 0; i < cellCount; ++i) {
            GlyphSlot slot;
            slot.code = (row << 8) | cells[i];
            slot.text = CodeToChar(codec, slot.code);
            slot.leftAligned = fullWidthRow && layout.fullWidthRowLeft;
            slot.measureWidth =
                fullWidthRow && layout.listsWidths && cells[i] >= kGbkWidthListFirstCell;
            slot.glyphOffset = glyphOffset;
            slots_.append(slot);
            glyphOffset += bytesPerGlyph_;
        }
    }
}

void FontPlan::AppendRecord(int code, const QString& text, qint64* widthOffset) {
    // A record is its width byte, then the packed glyph; always left-aligned.
    GlyphSlot slot;
    slot.code = code;
    slot.text = text;
    slot.leftAligned = true;
    slot.measureWidth = true;
    slot.widthOffset = *widthOffset;
    slot.glyphOffset = *widthOffset + kUnicodeRecordWidthBytes;
    slots_.append(slot);
    *widthOffset += kUnicodeRecordWidthBytes + bytesPerGlyph_;
}

// One record per UTF-16 unit of the range.
void FontPlan::AddCodeRecords() {
    qint64 widthOffset = recordsOffset_;
    for (int code = startCode_; code <= endCode_; ++code)
        AppendRecord(code, CodeToChar(DescriptionOf(kind_).encoding, code),
                     &widthOffset);  // code 0 draws ""
}

void FontPlan::AddStringRecords() {
    slots_.reserve(records_);
    qint64 widthOffset = recordsOffset_;
    // A space is drawn like any other unit.
    for (int k = 0; k < records_; ++k)
        AppendRecord(units_.at(k), QString(QChar(units_.at(k))), &widthOffset);
}

void FontPlan::WriteFixedBytes(uchar* out) const {
    if (!valid_) return;
    const KindDescription& description = DescriptionOf(kind_);
    PutMagic(out + kHeaderMagicOffset, description.magic);
    out[kHeaderWidthOffset] = uchar(cell_.width & 0xFF);
    out[kHeaderHeightOffset] = uchar(cell_.height & 0xFF);
    out[kHeaderPixFormatOffset] = uchar(cell_.pixFormat);

    if (description.glyphs.codeTable) {
        PutLe16(out + kStringCountOffset, units_.size());
        PutMagic(out + kStringTagOffset, kStringUnitsTag);
        uchar* table = out + kStringTableOffset;
        for (const ushort unit : units_) {
            PutLe16(table, unit);
            table += kStringCodeBytes;
        }
        return;
    }
    // The range names the codes of the records; the ASCII font has none.
    if (description.glyphs.records) {
        PutLe16(out + kHeaderStartCodeOffset, startCode_);
        PutLe16(out + kHeaderEndCodeOffset, endCode_);
    } else {
        std::memset(out + kHeaderStartCodeOffset, kAsciiNoCode, 4);
    }
    out[kAsciiWidthsOffset] = uchar(spaceWidth() & 0xFF);
}

}  // namespace runemill
