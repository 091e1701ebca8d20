#include "layout/kind_table.h"

#include <iterator>

#include "layout/layout_constants.h"
#include "render/codes.h"

namespace runemill {

namespace {

// The code fields when the kind is chosen.
constexpr CodeRange kGb2312Range = {kGb2312MinStart, kGb2312MaxEnd};
constexpr CodeRange kBig5Range = {kBig5MinStart, kBig5MaxEnd};
constexpr CodeRange kGbkRange = {kGbkMinStart, kGbkDefaultEnd};
constexpr CodeRange kUnicodeRange = {kUnicodeDefaultStart, kUnicodeDefaultEnd};
// The ASCII block, records without or with a width byte, the string font's code table.
constexpr GlyphPlacement kLibraryGlyphs = {true, true, false, false};
constexpr GlyphPlacement kUnicodeGlyphs = {true, true, true, false};
constexpr GlyphPlacement kAsciiGlyphs = {true, false, false, false};
constexpr GlyphPlacement kStringGlyphs = {false, true, true, true};
constexpr GlyphPlacement kNoGlyphs = {};

// clang-format off
constexpr RowLayout kGb2312Rows = {kGb2312Range, kGb2312FirstCell, kGb2312CellsPerRow, 0, 0,
                                   true, false};
constexpr RowLayout kBig5Rows = {kBig5Range,
                                 kBig5LowFirstCell, kBig5LowCellCount,
                                 kBig5HighFirstCell, kBig5CellsPerRow - kBig5LowCellCount,
                                 false, false};
constexpr RowLayout kGbkRows = {{kGbkMinStart, kGbkMaxEnd},
                                kGbkLowFirstCell, kGbkLowCellCount,
                                kGbkHighFirstCell, kGbkCellsPerRow - kGbkLowCellCount,
                                true, true};

constexpr char kLibraryHelp[] = "a library (Convert all with that encoding)";
constexpr char kHeaderHelp[] = "the 108-byte font chip or TTF header; appended to -o";

// The one description of every kind: runemill-cli, the window and the core read it.
const KindDescription kKinds[] = {
    {"gb2312", ConvertKind::Gb2312, kGb2312Magic, kGb2312Range, kEncodingGb2312, kEncodingGb2312,
     kLibraryGlyphs, &kGb2312Rows, nullptr,
     StartLog::Page, ProgressRule::AsciiThenRows, "GB2312 Font Lib ok", kLibraryHelp},
    {"big5", ConvertKind::Big5, kBig5Magic, kBig5Range, kEncodingBig5, kEncodingBig5,
     kLibraryGlyphs, &kBig5Rows, nullptr,
     StartLog::MaxPage, ProgressRule::Rows, "BIG5 Font Lib ok", kLibraryHelp},
    {"gbk", ConvertKind::Gbk, kGbkMagic, kGbkRange, kEncodingGbk, kEncodingGbk,
     kLibraryGlyphs, &kGbkRows, nullptr,
     StartLog::MaxPage, ProgressRule::Rows, "GBK Font Lib ok", kLibraryHelp},
    {"unicode", ConvertKind::Unicode, kUnicodeMagic, kUnicodeRange, kEncodingUnicode,
     kEncodingUnicode, kUnicodeGlyphs, nullptr, nullptr,
     StartLog::UnicodeRange, ProgressRule::UnicodeCount, "UniCode Font Lib ok", kLibraryHelp},
    {"ascii", ConvertKind::Ascii, kAsciiMagic, {}, -1, -1,
     kAsciiGlyphs, nullptr, nullptr,
     StartLog::None, ProgressRule::AsciiCount, "UniCode Font Lib ok",
     "the variable-width ASCII font (Convert ASCII)"},
    {"string", ConvertKind::String, kStringMagic, {}, -1, -1,
     kStringGlyphs, nullptr, nullptr,
     StartLog::None, ProgressRule::FileBytes, "String Font bin ok",
     "the characters of a UTF-8 text file (Convert string)"},
    {"chip", ConvertKind::Chip, kChipMagic, kGb2312Range, -1, -1,
     kNoGlyphs, nullptr, kChipPartNumber,
     StartLog::ChipHeader, ProgressRule::None, "Font bin ok", kHeaderHelp},
    {"ttf", ConvertKind::Ttf, kTtfMagic, kGb2312Range, -1, -1,
     kNoGlyphs, nullptr, kTtfHeaderText,
     StartLog::TtfHeader, ProgressRule::None, "Font bin ok", kHeaderHelp},
};
// clang-format on

}  // namespace

const KindDescription& DescriptionOf(ConvertKind kind) {
    for (const KindDescription& entry : kKinds) {
        if (entry.kind == kind) return entry;
    }
    return kKinds[0];
}

KindRows KindTable() { return {std::begin(kKinds), std::end(kKinds)}; }

QVector<ConvertKind> AllKinds() {
    QVector<ConvertKind> kinds;
    for (const KindDescription& entry : kKinds) kinds.append(entry.kind);
    return kinds;
}

QString KindName(ConvertKind kind) { return QLatin1String(DescriptionOf(kind).name); }

bool KindFromName(const QString& name, ConvertKind* kind) {
    for (const KindDescription& entry : kKinds) {
        if (name.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0) {
            *kind = entry.kind;
            return true;
        }
    }
    return false;
}

bool KindFromMagic(char a, char b, ConvertKind* kind) {
    for (const KindDescription& entry : kKinds) {
        if (entry.magic[0] == a && entry.magic[1] == b) {
            *kind = entry.kind;
            return true;
        }
    }
    return false;
}

// A 108-byte header is the kind with a header text.
bool IsHeaderKind(ConvertKind kind) { return DescriptionOf(kind).headerText != nullptr; }

ConvertKind KindOfEncoding(int index) {
    for (const KindDescription& entry : kKinds) {
        if (entry.formIndex >= 0 && entry.formIndex == index) return entry.kind;
    }
    return ConvertKind::Gb2312;
}

}  // namespace runemill
