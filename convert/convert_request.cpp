#include "convert/convert_request.h"

#include "render/codes.h"
#include "render/font_families.h"
#include "render/packers.h"

namespace runemill {

namespace {

struct KindEntry {
    const char* name;
    ConvertKind kind;
    CodeRange range;
    int encoding;           // the codec its codes decode with; -1: none
    int formIndex;          // its place in the window's encoding combo box; -1: not there
    bool header;            // a 108-byte font description, no glyphs
    GlyphPlacement glyphs;  // where its file keeps its glyphs; the compressed form follows it
    StartLog log;
    const char* completion;
};

constexpr CodeRange kGb2312Range = {kGb2312MinStart, kGb2312MaxEnd};
// The ASCII block, records without or with a width byte, the string font's code table.
constexpr GlyphPlacement kLibraryGlyphs = {true, true, false, false};
constexpr GlyphPlacement kUnicodeGlyphs = {true, true, true, false};
constexpr GlyphPlacement kAsciiGlyphs = {true, false, false, false};
constexpr GlyphPlacement kStringGlyphs = {false, true, true, true};
constexpr GlyphPlacement kNoGlyphs = {};

// The one description of every kind: runemill-cli, the window and the core read it.
// clang-format off
const KindEntry kKinds[] = {
    {"gb2312", ConvertKind::Gb2312, kGb2312Range, kEncodingGb2312, kEncodingGb2312,
     false, kLibraryGlyphs, StartLog::Page, "GB2312 Font Lib ok"},
    {"big5", ConvertKind::Big5, {0xA140, 0xF9FF}, kEncodingBig5, kEncodingBig5,
     false, kLibraryGlyphs, StartLog::MaxPage, "BIG5 Font Lib ok"},
    {"gbk", ConvertKind::Gbk, {0x8140, 0xFEBF}, kEncodingGbk, kEncodingGbk,
     false, kLibraryGlyphs, StartLog::MaxPage, "GBK Font Lib ok"},
    {"unicode", ConvertKind::Unicode, {0x4E00, 0x9FA5}, -1, kEncodingUnicode,
     false, kUnicodeGlyphs, StartLog::UnicodeRange, "UniCode Font Lib ok"},
    {"ascii", ConvertKind::Ascii, {}, -1, -1,
     false, kAsciiGlyphs, StartLog::None, "UniCode Font Lib ok"},
    {"string", ConvertKind::String, {}, -1, -1,
     false, kStringGlyphs, StartLog::None, "String Font bin ok"},
    {"chip", ConvertKind::Chip, kGb2312Range, -1, -1,
     true, kNoGlyphs, StartLog::Header, "Font bin ok"},
    {"ttf", ConvertKind::Ttf, kGb2312Range, -1, -1,
     true, kNoGlyphs, StartLog::Header, "Font bin ok"},
};
// clang-format on

const KindEntry& EntryOf(ConvertKind kind) {
    for (const KindEntry& entry : kKinds) {
        if (entry.kind == kind) return entry;
    }
    return kKinds[0];
}

}  // namespace

CodeRange DefaultRange(ConvertKind kind) { return EntryOf(kind).range; }

int EncodingOf(ConvertKind kind) { return EntryOf(kind).encoding; }

GlyphPlacement GlyphPlacementOf(ConvertKind kind) { return EntryOf(kind).glyphs; }

QVector<ConvertKind> AllKinds() {
    QVector<ConvertKind> kinds;
    for (const KindEntry& entry : kKinds) kinds.append(entry.kind);
    return kinds;
}

QString KindName(ConvertKind kind) { return QLatin1String(EntryOf(kind).name); }

bool KindFromName(const QString& name, ConvertKind* kind) {
    for (const KindEntry& entry : kKinds) {
        if (name.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0) {
            *kind = entry.kind;
            return true;
        }
    }
    return false;
}

bool IsHeaderKind(ConvertKind kind) { return EntryOf(kind).header; }

StartLog StartLogOf(ConvertKind kind) { return EntryOf(kind).log; }

QString CompletionTextOf(ConvertKind kind) { return QLatin1String(EntryOf(kind).completion); }

ConvertKind KindOfEncoding(int index) {
    for (const KindEntry& entry : kKinds) {
        if (entry.formIndex >= 0 && entry.formIndex == index) return entry.kind;
    }
    return ConvertKind::Gb2312;
}

ConvertRequest ConvertRequest::Defaults(ConvertKind kind) {
    ConvertRequest request;
    request.kind = kind;
    const CodeRange range = DefaultRange(kind);
    request.startCode = range.start;
    request.endCode = range.end;
    return request;
}

QFont ConvertRequest::Font() const {
    QFont font(family, 12, QFont::Normal, false);
    font.setPointSizeF(pointSize);
    font.setUnderline(underline);
    return font;
}

GlyphSettings ConvertRequest::Glyph() const {
    GlyphSettings glyph;
    glyph.pack.width = width;
    glyph.pack.height = height;
    glyph.pack.pixFormat = NormalizePixelFormat(pixFormat);
    glyph.pack.grayLimit = grayLimit;
    glyph.render.bold = bold;
    glyph.render.italic = italic;
    glyph.render.crisp = crisp;
    glyph.render.fallbackFamilies = fallbackFamilies;
    glyph.render.x0 = x0;
    glyph.render.y0 = y0;
    glyph.transform.reverseX = reverseX;
    glyph.transform.reverseY = reverseY;
    glyph.transform.rotation = rotation;
    return glyph;
}

CellSettings ConvertRequest::Cell() const {
    CellSettings cell;
    cell.width = width;
    cell.height = height;
    cell.pixFormat = NormalizePixelFormat(pixFormat);
    cell.spaceDivisor = spaceDivisor;
    return cell;
}

ChipHeaderFields ConvertRequest::HeaderFields() const {
    ChipHeaderFields fields;
    fields.width = width;
    fields.height = height;
    fields.startCode = startCode;
    fields.endCode = endCode;
    fields.pixFormat = NormalizePixelFormat(pixFormat);
    fields.italic = italic;
    fields.bold = bold;
    fields.underline = underline;
    fields.pointSize = int(pointSize);
    fields.x0 = x0;
    fields.y0 = y0;
    fields.family = FamilyName(family);
    return fields;
}

}  // namespace runemill
