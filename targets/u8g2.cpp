// A u8g2 font as C source: a 23-byte header, the glyphs of codes 0 .. 255,
// then a jump table and the glyphs of codes 256 .. 0xFFFF. u8g2 finds a glyph
// by walking the records from a starting point (the first record, the one of
// 'A' or 'a', or a jump-table block) in ascending code order, so the records
// are written in that order. The layout is described in docs/u8g2.md.
#include <QtGlobal>

#include "targets/c_text.h"
#include "targets/target_font.h"
#include "targets/u8g2_glyph.h"

namespace runemill {

namespace {

using u8g2::FieldBits;
using u8g2::InkGlyph;

constexpr int kHeaderBytes = 23;
// The box, its offsets and the advance are signed bytes in u8g2's decoder.
constexpr int kMaxCellSide = 127;
constexpr uint kLastCode = 0xFFFF;
// A jump-table entry per block: u8g2 walks the table, then the block's records.
constexpr int kGlyphsPerJumpBlock = 100;
constexpr int kBytesPerLine = 16;

void AppendWord(QByteArray* bytes, int value) {
    bytes->append(char(value >> 8));
    bytes->append(char(value & 0xFF));
}

void PutWord(QByteArray* bytes, int at, int value) {
    (*bytes)[at] = char(value >> 8);
    (*bytes)[at + 1] = char(value & 0xFF);
}

QString CodeText(uint code) {
    return QStringLiteral("U+") +
           QString::number(code, 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

// Why the font cannot be a u8g2 font, or an empty string.
QString Problem(const TargetFont& font) {
    if (font.bpp != 1) {
        return QStringLiteral(
                   "u8g2 fonts hold 1 bit a pixel, not %1: choose the 1bits format for a u8g2 "
                   "font")
            .arg(font.bpp);
    }
    if (font.width > kMaxCellSide || font.height > kMaxCellSide) {
        return QStringLiteral(
                   "u8g2 fonts hold cells of up to %1 x %1 pixels; a %2 x %3 cell does not fit")
            .arg(kMaxCellSide)
            .arg(font.width)
            .arg(font.height);
    }
    uint previous = 0;
    for (int i = 0; i < font.glyphs.size(); ++i) {
        const TargetGlyph& glyph = font.glyphs.at(i);
        Q_ASSERT_X(i == 0 || glyph.code > previous, "WriteU8g2", "glyphs in ascending code order");
        if (i > 0 && glyph.code <= previous) {
            return QStringLiteral(
                       "%1 comes after %2: u8g2 fonts list glyphs in ascending code "
                       "order")
                .arg(CodeText(glyph.code), CodeText(previous));
        }
        previous = glyph.code;
        if (glyph.code > kLastCode) {
            return QStringLiteral(
                       "u8g2 fonts hold codes up to U+FFFF; %1 does not fit: choose a range that "
                       "ends at U+FFFF or below")
                .arg(CodeText(glyph.code));
        }
        if (glyph.advance < 0 || glyph.advance > kMaxCellSide) {
            return QStringLiteral("u8g2 fonts hold advances of 0 to %1 pixels; %2 advances %3")
                .arg(kMaxCellSide)
                .arg(CodeText(glyph.code))
                .arg(glyph.advance);
        }
        if (glyph.levels.size() != font.width * font.height) {
            return QStringLiteral("%1 holds %2 pixels, not the %3 x %4 of its cell")
                .arg(CodeText(glyph.code))
                .arg(glyph.levels.size())
                .arg(font.width)
                .arg(font.height);
        }
    }
    return QString();
}

// The glyph's code, its jump byte (the record's length) and its data.
void AppendRecord(QByteArray* bytes, const InkGlyph& glyph, const FieldBits& bits) {
    const int start = bytes->size();
    if (glyph.code < 256) {
        bytes->append(char(glyph.code));
    } else {
        AppendWord(bytes, int(glyph.code));
    }
    const int jump = bytes->size();
    bytes->append('\0');
    u8g2::AppendGlyph(bytes, glyph, bits);
    (*bytes)[jump] = char(bytes->size() - start);
}

// The cell's metrics: every reference height of u8g2 (capital A, the
// parentheses, the font box) puts the cell's top row at the ascent and its
// bottom row at the descent, so lines set getMaxCharHeight() apart are cells.
QByteArray Header(const TargetFont& font, const FieldBits& bits, int glyphCount) {
    const int ascent = font.baseline;
    const int descent = font.baseline - font.height;
    QByteArray header;
    header.append(char(qMin(glyphCount, 255)));
    header.append('\0');  // proportional: each glyph has its own box
    for (int value :
         {bits.zeroRun, bits.oneRun, bits.width, bits.height, bits.x, bits.y, bits.advance,
          font.width, font.height, 0, descent, ascent, descent, ascent, descent})
        header.append(char(value));
    header.append(QByteArray(6, '\0'));  // where 'A', 'a' and the codes past 255 start
    Q_ASSERT(header.size() == kHeaderBytes);
    return header;
}

// Codes 256 and up: the jump table, the records, and a zero code that ends
// them. Entry k holds the distance from where entry k - 1 led (the table's
// start for the first) to block k's first record, and block k's last code; a
// last entry of code 0xFFFF leads to the end, so a code past the last glyph is
// found missing at once.
void AppendUnicodePart(QByteArray* bytes, const QVector<InkGlyph>& glyphs, int first,
                       const FieldBits& bits) {
    const int count = glyphs.size() - first;
    const int blocks = (count + kGlyphsPerJumpBlock - 1) / kGlyphsPerJumpBlock;
    const int tableBytes = (blocks + 1) * 4;
    const int tableAt = bytes->size();
    bytes->append(QByteArray(tableBytes, '\0'));
    int previousStart = 0;
    for (int i = 0; i < count; ++i) {
        if (i % kGlyphsPerJumpBlock == 0) {
            const int start = bytes->size() - tableAt;
            const int last = qMin(i + kGlyphsPerJumpBlock, count) - 1;
            const int entry = tableAt + i / kGlyphsPerJumpBlock * 4;
            PutWord(bytes, entry, start - previousStart);
            PutWord(bytes, entry + 2, int(glyphs.at(first + last).code));
            previousStart = start;
        }
        AppendRecord(bytes, glyphs.at(first + i), bits);
    }
    PutWord(bytes, tableAt + blocks * 4, bytes->size() - tableAt - previousStart);
    PutWord(bytes, tableAt + blocks * 4 + 2, int(kLastCode));
    bytes->append(QByteArray(2, '\0'));
}

QByteArray CArray(const TargetFont& font, const QString& symbol, const QByteArray& bytes,
                  const FieldBits& bits) {
    QString title = font.name;
    title.replace(QLatin1String("*/"), QLatin1String("* /"));
    const QByteArray name = symbol.toLatin1();
    QByteArray c;
    c.reserve(bytes.size() * 7 + 2048);  // "0xHH, " and a share of the line starts
    const auto number = [](qreal value) { return QString::number(value); };
    c += (QStringLiteral("/* u8g2 font: ") + title + QStringLiteral(", ") + number(font.pointSize) +
          QStringLiteral(" pt, cell ") + number(font.width) + QStringLiteral(" x ") +
          number(font.height) + QStringLiteral(", ") + number(font.baseline) +
          QStringLiteral(" rows above the baseline, ") + number(font.glyphs.size()) +
          QStringLiteral(" glyphs, 1 bit a pixel,\n   ") + number(bytes.size()) +
          QStringLiteral(" bytes (runs of ") + number(bits.zeroRun) + QStringLiteral(" and ") +
          number(bits.oneRun) +
          QStringLiteral(" bits). Written by Runemill.\n   Draw with u8g2_SetFont(&u8g2, ") +
          symbol + QStringLiteral(") and u8g2_DrawUTF8(), or setFont() and drawUTF8(). */\n"))
             .toUtf8();
    // u8g2.h says where fonts live (program memory on AVR); without it the
    // array is an ordinary constant.
    c += "#ifdef __has_include\n#if __has_include(\"u8g2.h\")\n#include \"u8g2.h\"\n"
         "#endif\n#endif\n#include <stdint.h>\n\n"
         "#ifndef U8G2_FONT_SECTION\n#ifdef __AVR__\n"
         "#error \"u8g2.h must be on the include path: on AVR a font lives in program memory\"\n"
         "#endif\n#define U8G2_FONT_SECTION(name)\n#endif\n\n"
         // Compiled as C++ (a header included in a sketch), a const array would
         // otherwise be private to its file.
         "#ifdef __cplusplus\nextern \"C\"\n#endif\n";
    c += "const uint8_t " + name + "[" + QByteArray::number(bytes.size()) +
         "] U8G2_FONT_SECTION(\"" + name + "\") = {";
    AppendHexItems(&c, bytes, kBytesPerLine, HexDigits::Upper);
    c += "\n};\n";
    return c;
}

}  // namespace

QByteArray WriteU8g2(const TargetFont& font, const QString& symbol, QString* problem) {
    *problem = Problem(font);
    if (!problem->isEmpty()) return QByteArray();

    QVector<InkGlyph> glyphs;
    glyphs.reserve(font.glyphs.size());
    for (const TargetGlyph& glyph : font.glyphs)
        glyphs.append(u8g2::TrimToInk(glyph, font.width, font.height, font.baseline));
    FieldBits bits = u8g2::BoxFieldBits(glyphs);
    uint tooLarge = 0;
    if (!u8g2::ChooseRunBits(glyphs, &bits, &tooLarge)) {
        *problem = QStringLiteral(
                       "%1 takes more than the 255 bytes a u8g2 font holds for a glyph: choose a "
                       "smaller cell")
                       .arg(CodeText(tooLarge));
        return QByteArray();
    }

    QByteArray bytes = Header(font, bits, glyphs.size());
    int startA = -1;
    int startLowerA = -1;
    int unicodeFirst = 0;
    for (const InkGlyph& glyph : glyphs) {
        if (glyph.code >= 256) break;  // ascending codes: the rest are past 255 too
        ++unicodeFirst;
        // u8g2 starts looking for 'A' .. '`' at the first record from 'A' on,
        // and for 'a' .. 0xFF at the first from 'a' on.
        const int offset = bytes.size() - kHeaderBytes;
        if (startA < 0 && glyph.code >= 'A') startA = offset;
        if (startLowerA < 0 && glyph.code >= 'a') startLowerA = offset;
        AppendRecord(&bytes, glyph, bits);
    }
    const int end8 = bytes.size() - kHeaderBytes;
    bytes += QByteArray(2, '\0');  // a zero jump ends the codes below 256
    PutWord(&bytes, 17, startA < 0 ? end8 : startA);
    PutWord(&bytes, 19, startLowerA < 0 ? end8 : startLowerA);
    PutWord(&bytes, 21, bytes.size() - kHeaderBytes);
    AppendUnicodePart(&bytes, glyphs, unicodeFirst, bits);
    return CArray(font, symbol, bytes, bits);
}

}  // namespace runemill
