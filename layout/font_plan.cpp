#include "layout/font_plan.h"

#include <QChar>
#include <QTextCodec>
#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <vector>

#include "layout/layout_constants.h"
#include "layout/refusal.h"
#include "render/codes.h"
#include "render/packers.h"
#include "render/rasterizer.h"

namespace runemill {

// A two-byte row holds the cells [lowFirst, lowFirst + lowCount) and then
// [highFirst, highFirst + highCount), with no gap between the two runs.
struct FontPlan::RowLayout {
    int encoding;
    const char* magic;
    int minStart;
    int maxEnd;
    int lowFirst;
    int lowCount;
    int highFirst;
    int highCount;
    bool fullWidthRowLeft;  // row 0xA3 is drawn left-aligned
    bool listsWidths;       // row 0xA3 cells >= 0xA0 are measured for the width list
};

namespace {

void PutLe16(uchar* out, int value) { qToLittleEndian(quint16(value), out); }

void PutMagic(uchar* out, const char* magic) {
    out[0] = uchar(magic[0]);
    out[1] = uchar(magic[1]);
}

}  // namespace

const FontPlan::RowLayout* FontPlan::RowLayoutOf(ConvertKind kind) {
    static const RowLayout gb2312 = {kEncodingGb2312,
                                     kGb2312Magic,
                                     kGb2312MinStart,
                                     kGb2312MaxEnd,
                                     kGb2312FirstCell,
                                     kGb2312CellsPerRow,
                                     0,
                                     0,
                                     true,
                                     false};
    static const RowLayout big5 = {kEncodingBig5,
                                   kBig5Magic,
                                   kBig5MinStart,
                                   kBig5MaxEnd,
                                   kBig5LowFirstCell,
                                   kBig5LowCellCount,
                                   kBig5HighFirstCell,
                                   kBig5CellsPerRow - kBig5LowCellCount,
                                   false,
                                   false};
    static const RowLayout gbk = {kEncodingGbk,
                                  kGbkMagic,
                                  kGbkMinStart,
                                  kGbkMaxEnd,
                                  kGbkLowFirstCell,
                                  kGbkLowCellCount,
                                  kGbkHighFirstCell,
                                  kGbkCellsPerRow - kGbkLowCellCount,
                                  true,
                                  true};
    switch (kind) {
        case ConvertKind::Gb2312:
            return &gb2312;
        case ConvertKind::Big5:
            return &big5;
        case ConvertKind::Gbk:
            return &gbk;
        default:
            return nullptr;
    }
}

int FontPlan::spaceWidth() const { return cell_.width / std::max(cell_.spaceDivisor, 1); }

FontPlan FontPlan::ForLibrary(ConvertKind kind, const CellSettings& cell, int startCode,
                              int endCode, Refusal* refusalOut) {
    if (refusalOut) *refusalOut = Refusal();
    FontPlan plan;
    plan.kind_ = kind;
    plan.cell_ = cell;
    plan.cell_.pixFormat = NormalizePixelFormat(cell.pixFormat);

    const RowLayout* layout = RowLayoutOf(kind);
    Refusal refusal;
    if (layout) {
        // Start before end, as the window reports them; whole rows are written.
        if (startCode < layout->minStart) {
            refusal = Refusal::CodeOutOfRange(true, layout->minStart);
        } else if (endCode > layout->maxEnd) {
            refusal = Refusal::CodeOutOfRange(false, layout->maxEnd);
        } else if (endCode < startCode) {
            refusal = Refusal::StartAfterEndCode();
        } else {
            plan.startCode_ = startCode;
            plan.endCode_ = endCode;
            plan.rows_ = (endCode >> 8) - (startCode >> 8) + 1;
            plan.cellsPerRow_ = layout->lowCount + layout->highCount;
        }
    } else if (kind == ConvertKind::Unicode) {
        // Codes are unsigned 16-bit values.
        plan.startCode_ = startCode & 0xFFFF;
        plan.endCode_ = endCode & 0xFFFF;
        if (plan.startCode_ > plan.endCode_) refusal = Refusal::StartAfterEndCode();
    } else if (kind != ConvertKind::Ascii) {
        return FontPlan();  // the string font is planned by ForString; a header has no plan
    }
    if (refusal) {
        if (refusalOut) *refusalOut = refusal;
        return FontPlan();
    }
    if (!plan.CheckCellAndSize(refusalOut)) return FontPlan();

    plan.AddAsciiBlock();
    if (layout) {
        plan.AddTwoByteRows(*layout);
    } else if (kind == ConvertKind::Unicode) {
        plan.AddUnicodeRecords();
    }
    plan.valid_ = true;
    return plan;
}

FontPlan FontPlan::ForString(const CellSettings& cell, const QString& text, Refusal* refusal) {
    if (refusal) *refusal = Refusal();
    FontPlan plan;
    plan.kind_ = ConvertKind::String;
    plan.cell_ = cell;
    plan.cell_.pixFormat = NormalizePixelFormat(cell.pixFormat);

    // There are at most 65536 distinct units, so one flag per unit finds repeats.
    std::vector<bool> seen(0x10000, false);
    for (const QChar ch : text) {
        const ushort unit = ch.unicode();
        if (seen[unit]) continue;
        seen[unit] = true;
        plan.units_.append(unit);
    }
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
        const qint64 s = bytesPerGlyph_;
        const qint64 asciiBlockEnd = kAsciiGlyphsOffset + kAsciiCount * s;
        switch (kind_) {
            case ConvertKind::Gb2312:
            case ConvertKind::Big5:
            case ConvertKind::Gbk:
                fileSize_ = asciiBlockEnd + qint64(rows_) * cellsPerRow_ * s;
                break;
            case ConvertKind::Unicode:
                fileSize_ = asciiBlockEnd +
                            (qint64(endCode_) - startCode_ + 1) * (kUnicodeRecordWidthBytes + s);
                break;
            case ConvertKind::Ascii:
                fileSize_ = asciiBlockEnd;
                break;
            case ConvertKind::String:
                fileSize_ =
                    kStringTableOffset +
                    qint64(units_.size()) * (kStringCodeBytes + kUnicodeRecordWidthBytes + s);
                break;
            case ConvertKind::Chip:
            case ConvertKind::Ttf:
                break;  // never planned
        }
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
    const int encodingSlots =
        kind_ == ConvertKind::Unicode ? endCode_ - startCode_ + 1 : rows_ * cellsPerRow_;
    slots_.reserve(kAsciiCount + encodingSlots);
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
    QTextCodec* codec = CodecFor(layout.encoding);
    int cells[kGbkCellsPerRow];  // GBK has the widest rows
    int cellCount = 0;
    for (int c = 0; c < layout.lowCount; ++c) cells[cellCount++] = layout.lowFirst + c;
    for (int c = 0; c < layout.highCount; ++c) cells[cellCount++] = layout.highFirst + c;

    qint64 glyphOffset = kAsciiGlyphsOffset + kAsciiCount * bytesPerGlyph_;
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

void FontPlan::AddUnicodeRecords() {
    qint64 widthOffset = kAsciiGlyphsOffset + kAsciiCount * bytesPerGlyph_;
    for (int code = startCode_; code <= endCode_; ++code)
        AppendRecord(code, CodeToChar(kEncodingUnicode, code), &widthOffset);  // code 0 draws ""
}

void FontPlan::AddStringRecords() {
    const int count = units_.size();
    slots_.reserve(count);
    qint64 widthOffset = kStringTableOffset + qint64(kStringCodeBytes) * count;
    // A space is drawn like any other unit.
    for (int k = 0; k < count; ++k)
        AppendRecord(units_.at(k), QString(QChar(units_.at(k))), &widthOffset);
}

void FontPlan::WriteFixedBytes(uchar* out) const {
    if (!valid_) return;
    const char* magic = nullptr;
    switch (kind_) {
        case ConvertKind::Gb2312:
        case ConvertKind::Big5:
        case ConvertKind::Gbk:
            magic = RowLayoutOf(kind_)->magic;
            break;
        case ConvertKind::Unicode:
            magic = kUnicodeMagic;
            break;
        case ConvertKind::Ascii:
            magic = kAsciiMagic;
            break;
        case ConvertKind::String:
            magic = kStringMagic;
            break;
        case ConvertKind::Chip:
        case ConvertKind::Ttf:
            return;  // never planned
    }
    PutMagic(out + kHeaderMagicOffset, magic);
    out[kHeaderWidthOffset] = uchar(cell_.width & 0xFF);
    out[kHeaderHeightOffset] = uchar(cell_.height & 0xFF);
    out[kHeaderPixFormatOffset] = uchar(cell_.pixFormat);

    if (kind_ == ConvertKind::String) {
        PutLe16(out + kStringCountOffset, units_.size());
        PutMagic(out + kStringTagOffset, kStringUnitsTag);
        uchar* table = out + kStringTableOffset;
        for (const ushort unit : units_) {
            PutLe16(table, unit);
            table += kStringCodeBytes;
        }
        return;
    }
    if (kind_ == ConvertKind::Ascii) {
        std::memset(out + kHeaderStartCodeOffset, kAsciiNoCode, 4);
    } else {
        PutLe16(out + kHeaderStartCodeOffset, startCode_);
        PutLe16(out + kHeaderEndCodeOffset, endCode_);
    }
    out[kAsciiWidthsOffset] = uchar(spaceWidth() & 0xFF);
}

}  // namespace runemill
