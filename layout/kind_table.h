// The kinds of file a conversion writes: four libraries, the ASCII font, the
// string font and the two 108-byte font descriptions. The kind table
// (kind_table.cpp) is the one description of a kind: its name, magic, code
// range, codec, glyph layout, log lines and the window's place for it. The
// window, runemill-cli, FontPlan and the compressor all read it.
#pragma once

#include <QString>
#include <QVector>

namespace runemill {

enum class ConvertKind { Gb2312, Big5, Gbk, Unicode, Ascii, String, Chip, Ttf };

struct CodeRange {
    int start = -1;  // -1: the kind has no code range
    int end = -1;
};

// Where a kind's file keeps its glyphs: FontPlan lays the file out from it
// and the compressed form keeps what it says besides the glyphs.
struct GlyphPlacement {
    bool asciiBlock = false;    // 95 width bytes and 95 glyphs after the header
    bool records = false;       // one glyph per code after the ASCII block or code table
    bool recordWidths = false;  // a width byte in front of each record's glyph
    bool codeTable = false;     // a count, a tag and the codes after the header (string font)
};

// The records of a two-byte library, one row per lead byte: a row holds the
// cells [lowFirst, lowFirst + lowCount) and then [highFirst, highFirst +
// highCount), with no gap between the two runs.
struct RowLayout {
    CodeRange limits;  // the codes a file may cover; whole rows are written
    int lowFirst;
    int lowCount;
    int highFirst;
    int highCount;
    bool fullWidthRowLeft;  // row 0xA3 is drawn left-aligned
    bool listsWidths;       // row 0xA3 cells >= 0xA0 are measured for the width list,
                            // which replaces the run's log
    int cellsPerRow() const { return lowCount + highCount; }
};

// The lines the log opens a run with: the GB2312 page line, the BIG5 and GBK
// page bounds, the Unicode start, end and count, the chip header's four
// lines, the TTF header's two; none.
enum class StartLog { None, Page, MaxPage, UnicodeRange, ChipHeader, TtfHeader };

// What the window's progress bar shows after each glyph of a run
// (ProgressPercent, layout/run_progress.h): GB2312's ASCII block over all its cells, then
// whole rows; BIG5's and GBK's whole rows; Unicode's two passes over its code
// count; the ASCII font's glyphs over 95; the string font's filled bytes over
// 98 % of the file; nothing for a header.
enum class ProgressRule { AsciiThenRows, Rows, UnicodeCount, AsciiCount, FileBytes, None };

struct KindDescription {
    const char* name;  // runemill-cli's name of the kind
    ConvertKind kind;
    const char* magic;  // the file's first two bytes
    CodeRange range;    // the code fields when the kind is chosen; the two headers read
                        // the fields as they are at start-up (the GB2312 range)
    int encoding;       // the Encoding its codes are in; -1: none
    int formIndex;      // its place in the window's encoding combo box; -1: not there
    GlyphPlacement glyphs;
    const RowLayout* rows;   // a two-byte library's rows; null for the other kinds
    const char* headerText;  // what a 108-byte header stores at byte 9; null for the others
    StartLog log;
    ProgressRule progress;
    const char* completion;  // the message a finished run shows
    const char* help;        // runemill-cli's help on it; kinds in a row with one text share a line
};

// The row of `kind`, the one way to read a field of it (DescriptionOf(kind).range);
// the first row for a value the table does not hold.
const KindDescription& DescriptionOf(ConvertKind kind);
// Every row, in table order: for (const KindDescription& k : KindTable()).
struct KindRows {
    const KindDescription* first;
    const KindDescription* last;
    const KindDescription* begin() const { return first; }
    const KindDescription* end() const { return last; }
};
KindRows KindTable();

// Every kind, in this order: the names KindName gives them are
// "gb2312", "big5", "gbk", "unicode", "ascii", "string", "chip", "ttf".
QVector<ConvertKind> AllKinds();
QString KindName(ConvertKind kind);
bool KindFromName(const QString& name, ConvertKind* kind);  // case ignored
// The kind whose files begin with the bytes a, b; false when none does.
bool KindFromMagic(char a, char b, ConvertKind* kind);
bool IsHeaderKind(ConvertKind kind);  // a 108-byte font description, no glyphs

// The library the window's encoding combo box chooses at `index`; GB2312
// for an index it does not list.
ConvertKind KindOfEncoding(int index);

}  // namespace runemill
