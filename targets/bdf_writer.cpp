// BDF 2.1 (Adobe's Glyph Bitmap Distribution Format), 1 bit a pixel, written
// so that runemill-cli draws every cell back exactly from it:
// - every glyph is the whole W x H cell (BBX W H 0 -(H - baseline)) with
//   DWIDTH W, so a centred glyph lands on column 0 and keeps its columns;
// - FONT_ASCENT + FONT_DESCENT is the rasteriser's canvas (H + H/4 + 4 rows),
//   so the line box fills the canvas and, at --y0 0, the cell is the
//   canvas's top H rows;
// - a left-aligned glyph whose ink starts right of column 0 gets one more
//   row under the cell holding only column 0: it pins the glyph's left edge
//   and lies outside the H rows that are drawn.
// The size is the cell's height: PIXEL_SIZE H at 72 dpi, which --point-size
// (points at 96 dpi) names as H * 3 / 4.
#include <QtGlobal>

#include "render/rasterizer.h"
#include "targets/c_text.h"
#include "targets/target_font.h"

namespace runemill {

namespace {

// What a BDF string or XLFD field may hold: printable ASCII, no quote or
// hyphen; anything else (every byte of a non-ASCII character) becomes a space.
QByteArray PlainName(const QString& name) {
    QByteArray plain = name.toUtf8();
    for (char& c : plain) {
        if (c < 0x20 || c > 0x7E || c == '"' || c == '-') c = ' ';
    }
    plain = plain.simplified();
    return plain.isEmpty() ? QByteArray("Runemill") : plain;
}

bool InkOffLeftEdge(const TargetGlyph& glyph, int width, int height) {
    bool ink = false;
    for (int y = 0; y < height; ++y) {
        const char* row = glyph.levels.constData() + y * width;
        if (row[0]) return false;
        for (int x = 1; x < width && !ink; ++x) ink = row[x] != 0;
    }
    return ink;
}

// A row of the cell as hex digits, 8 pixels a byte, leftmost in the high bit.
void AppendRow(QByteArray* out, const char* levels, int width) {
    static const char hex[] = "0123456789ABCDEF";
    const int at = out->size();
    out->resize(at + (width + 7) / 8 * 2 + 1);
    char* p = out->data() + at;
    for (int x = 0; x < width; x += 8) {
        int byte = 0;
        for (int bit = 0; bit < 8 && x + bit < width; ++bit)
            if (levels[x + bit]) byte |= 0x80 >> bit;
        *p++ = hex[byte >> 4];
        *p++ = hex[byte & 0x0F];
    }
    *p = '\n';
}

}  // namespace

QByteArray WriteBdf(const TargetFont& font, QString* problem) {
    if (font.bpp != 1) {
        *problem = QStringLiteral(
            "a BDF font holds 1 bit a pixel; give --format 1bits (LVGL fonts keep 2, 4 and 8)");
        return QByteArray();
    }
    const int w = font.width;
    const int h = font.height;
    const int ascent = font.baseline;
    const int descent = int(CanvasHeight(h)) - ascent;
    const QByteArray name = PlainName(font.name);
    const QByteArray size = QByteArray::number(h);
    const QByteArray swidth = QByteArray::number(qRound(w * 1000.0 / h));
    QByteArray out;
    // A glyph's lines take less than 150 characters besides its rows.
    out.reserve(font.glyphs.size() * ((h + 1) * ((w + 7) / 8 * 2 + 1) + 150) + 2048);
    out += "STARTFONT 2.1\n";
    out += "FONT -Runemill-" + name + "-Medium-R-Normal--" + size + '-' + size + "0-72-72-C-" +
           QByteArray::number(w * 10) + "-ISO10646-1\n";
    out += "SIZE " + size + " 72 72\n";
    out += "FONTBOUNDINGBOX " + QByteArray::number(w) + ' ' + QByteArray::number(h + 1) + " 0 " +
           QByteArray::number(ascent - h - 1) + '\n';
    out += "COMMENT Written by Runemill: a " + QByteArray::number(w) + " x " + size +
           " cell whose baseline is " + QByteArray::number(ascent) + " rows below its top.\n";
    out += "STARTPROPERTIES 12\n";
    out += "FAMILY_NAME \"" + name + "\"\n";
    out += "WEIGHT_NAME \"Medium\"\nSLANT \"R\"\n";
    out += "PIXEL_SIZE " + size + "\nPOINT_SIZE " + size + "0\n";
    out += "RESOLUTION_X 72\nRESOLUTION_Y 72\nSPACING \"C\"\n";
    out += "AVERAGE_WIDTH " + QByteArray::number(w * 10) + '\n';
    out += "CHARSET_REGISTRY \"ISO10646\"\nCHARSET_ENCODING \"1\"\n";
    out += "FONT_ASCENT " + QByteArray::number(ascent) + "\nFONT_DESCENT " +
           QByteArray::number(descent) + "\nENDPROPERTIES\n";
    out += "CHARS " + QByteArray::number(font.glyphs.size()) + '\n';
    // What every glyph's lines hold alike.
    const QByteArray widths = "SWIDTH " + swidth + " 0\nDWIDTH " + QByteArray::number(w) +
                              " 0\nBBX " + QByteArray::number(w) + ' ';
    for (const TargetGlyph& glyph : font.glyphs) {
        const bool pinned = glyph.leftAligned && InkOffLeftEdge(glyph, w, h);
        const int rows = pinned ? h + 1 : h;
        out += glyph.code > 0xFFFF ? "STARTCHAR u" : "STARTCHAR uni";
        AppendHex(&out, glyph.code, 4, HexDigits::Upper);
        out += "\nENCODING ";
        AppendDecimal(&out, glyph.code);
        out += '\n';
        out += widths;
        AppendDecimal(&out, rows);
        out += " 0 ";
        AppendDecimal(&out, ascent - rows);
        out += "\nBITMAP\n";
        for (int y = 0; y < h; ++y) AppendRow(&out, glyph.levels.constData() + y * w, w);
        if (pinned) {
            const QByteArray pin = QByteArray(1, '\1') + QByteArray(w - 1, '\0');
            AppendRow(&out, pin.constData(), w);
        }
        out += "ENDCHAR\n";
    }
    out += "ENDFONT\n";
    return out;
}

}  // namespace runemill
