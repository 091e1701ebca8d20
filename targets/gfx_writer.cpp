// An Adafruit GFX font: a C header holding the glyphs' bitmap (each glyph's
// ink box, rows packed one after another, leftmost pixel in the high bit,
// every glyph from a whole byte), a GFXglyph per code from the first to the
// last (codes without a glyph get an empty one) and the GFXfont. A glyph's
// box is trimmed to its ink and placed from the pen on the baseline:
// xOffset is its first column, yOffset its top row less the baseline row.
#include <QtGlobal>

#include "targets/c_text.h"
#include "targets/ink_box.h"
#include "targets/target_font.h"

namespace runemill {

namespace {

constexpr qint64 kMaxBitmapBytes = 65535;  // GFXglyph::bitmapOffset is 16-bit
constexpr uint kMaxCode = 0xFFFF;          // GFXfont::first and last are 16-bit

// The box's rows one after another, padded to a whole byte at its end.
void AppendBits(QByteArray* bitmap, const QByteArray& levels, int w, const InkBox& box) {
    int byte = 0, bits = 0;
    for (int y = box.top; y < box.top + box.height; ++y) {
        for (int x = box.left; x < box.left + box.width; ++x) {
            byte = (byte << 1) | (levels.at(y * w + x) ? 1 : 0);
            if (++bits == 8) {
                bitmap->append(char(byte));
                byte = bits = 0;
            }
        }
    }
    if (bits) bitmap->append(char(byte << (8 - bits)));
}

QByteArray Hex(uint value, int digits) {
    return "0x" + QByteArray::number(value, 16).toUpper().rightJustified(digits, '0');
}

QByteArray CodeText(uint code) {
    return "U+" + QByteArray::number(code, 16).toUpper().rightJustified(4, '0');
}

QString CellProblem(const TargetFont& font) {
    if (font.bpp != 1)
        return QStringLiteral("an Adafruit GFX font holds 1 bit a pixel; give --format 1bits");
    if (font.width > 255 || font.height > 255)
        return QStringLiteral(
                   "an Adafruit GFX glyph is at most 255 x 255 pixels; the cell is %1 x %2")
            .arg(font.width)
            .arg(font.height);
    if (font.baseline > 128 || font.height - font.baseline > 127)
        return QStringLiteral(
                   "an Adafruit GFX glyph reaches at most 128 rows above its baseline "
                   "and 127 below; this cell's baseline is %1 rows from its top")
            .arg(font.baseline);
    return QString();
}

}  // namespace

QByteArray WriteGfx(const TargetFont& font, const QString& symbol, QString* problem) {
    *problem = CellProblem(font);
    if (!problem->isEmpty()) return QByteArray();
    if (font.glyphs.isEmpty()) {
        *problem = QStringLiteral("the font holds no characters");
        return QByteArray();
    }
    const uint first = font.glyphs.front().code;
    const uint last = font.glyphs.back().code;
    if (last > kMaxCode) {
        *problem = QStringLiteral(
                       "an Adafruit GFX font holds codes up to U+FFFF; this one reaches %1: "
                       "choose characters of the Basic Multilingual Plane")
                       .arg(QLatin1String(CodeText(last)));
        return QByteArray();
    }
    const int w = font.width;
    const int h = font.height;
    QByteArray bitmap;
    QByteArray table;
    table.reserve(int(last - first + 1) * 48);
    int next = 0;  // index of the glyph for code `first + entries`
    for (uint code = first; code <= last; ++code) {
        const bool has = next < font.glyphs.size() && font.glyphs.at(next).code == code;
        const int offset = bitmap.size();
        table += "    {";
        AppendDecimal(&table, offset);
        if (!has) {
            table += ", 0, 0, 0, 0, 0},\n";
            continue;
        }
        const TargetGlyph& glyph = font.glyphs.at(next++);
        const InkBox box = InkBoxOf(glyph.levels, w, h);
        AppendBits(&bitmap, glyph.levels, w, box);
        const int yOffset = box.height ? box.top - font.baseline : 0;
        for (int value :
             {box.width, box.height, qBound(0, glyph.advance, 255), box.left, yOffset}) {
            table += ", ";
            AppendDecimal(&table, value);
        }
        table += "},  // U+";
        AppendHex(&table, code, 4, HexDigits::Upper);
        table += '\n';
    }
    if (bitmap.size() > kMaxBitmapBytes) {
        const qint64 perGlyph = qMax<qint64>(1, bitmap.size() / font.glyphs.size());
        *problem = QStringLiteral(
                       "an Adafruit GFX font's bitmap holds at most 65,535 bytes; these "
                       "%1 glyphs take %2 bytes: about %3 glyphs of this cell fit, so choose "
                       "a shorter range, a string font or a smaller cell")
                       .arg(font.glyphs.size())
                       .arg(bitmap.size())
                       .arg(kMaxBitmapBytes / perGlyph);
        return QByteArray();
    }
    const QByteArray name = symbol.toLatin1();
    QByteArray out;
    out.reserve(bitmap.size() * 7 + table.size() + 2048);
    out += "// Written by Runemill: an Adafruit GFX font, " + QByteArray::number(w) + " x " +
           QByteArray::number(h) + " cells, baseline " + QByteArray::number(font.baseline) +
           " rows below the top, " + CodeText(first) + " to " + CodeText(last) + ".\n";
    out += "// Include it after Adafruit_GFX.h, which declares GFXglyph, GFXfont and PROGMEM.\n";
    out += "#pragma once\n\n";
    out += "const uint8_t " + name + "Bitmaps[] PROGMEM = {";
    AppendHexItems(&out, bitmap, 12, HexDigits::Upper);
    if (bitmap.isEmpty()) out += "0x00";
    out += "\n};\n\n";
    out += "const GFXglyph " + name + "Glyphs[] PROGMEM = {\n";
    out += table;  // not through a temporary: the table of a CJK range takes megabytes
    out += "};\n\n";
    out += "const GFXfont " + name + " PROGMEM = {(uint8_t*)" + name + "Bitmaps, (GFXglyph*)" +
           name + "Glyphs, " + Hex(first, 4) + ", " + Hex(last, 4) + ", " + QByteArray::number(h) +
           "};\n";
    return out;
}

}  // namespace runemill
