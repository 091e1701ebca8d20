// LVGL's C font: a lv_font_t over lv_font_fmt_txt_dsc_t, the same source for
// LVGL 8.3 and LVGL 9 (every structure is filled by member names).
#include <QRegularExpression>

#include "targets/c_text.h"
#include "targets/lvgl_glyphs.h"
#include "targets/target_font.h"

namespace runemill {

namespace {

// A cmap is 24 bytes and a glyph description 8 on a 32-bit microcontroller.
constexpr lvgl::CmapCosts kCmapCosts{24, 8};
constexpr int kBytesPerLine = 16;

// What lv_font_fmt_txt_glyph_dsc_t holds unless LV_FONT_FMT_TXT_LARGE is set.
constexpr int kSmallBitmapIndexLimit = 1 << 20;
constexpr int kSmallAdvanceLimit = 4095;  // sixteenths of a pixel in 12 bits

void AppendCodeComment(QByteArray* out, uint code) {
    out->append("/* U+", 5);
    AppendHex(out, code, 4, HexDigits::Upper);
    out->append(" */", 3);
}

bool FitsSmallDescription(const lvgl::Glyph& glyph, int bitmapIndex) {
    const auto fitsInt8 = [](int value) { return value >= -128 && value <= 127; };
    return bitmapIndex < kSmallBitmapIndexLimit && glyph.advance * 16 <= kSmallAdvanceLimit &&
           glyph.boxWidth <= 255 && glyph.boxHeight <= 255 && fitsInt8(glyph.offsetX) &&
           fitsInt8(glyph.offsetY);
}

QByteArray Header(const TargetFont& font, const QString& symbol, bool compress, bool large) {
    QString name = font.name;
    name.replace(QLatin1String("*/"), QLatin1String("* /"));
    const QByteArray id = symbol.toUtf8();
    QByteArray out = "/* " + name.toUtf8() + ", " + QByteArray::number(font.width) + " x " +
                     QByteArray::number(font.height) + " pixel cells, " +
                     QByteArray::number(font.bpp) + " bpp, " +
                     QByteArray::number(font.glyphs.size()) +
                     " characters: an LVGL font written by Runemill.\n"
                     " * In the application:\n"
                     " *     LV_FONT_DECLARE(" +
                     id + ");\n *     lv_obj_set_style_text_font(label, &" + id +
                     ", 0);\n */\n\n"
                     "#ifdef LV_LVGL_H_INCLUDE_SIMPLE\n#include \"lvgl.h\"\n#else\n"
                     "#include \"lvgl/lvgl.h\"\n#endif\n\n"
                     "#if LVGL_VERSION_MAJOR < 8 || (LVGL_VERSION_MAJOR == 8 && "
                     "LVGL_VERSION_MINOR < 3)\n"
                     "#error \"This font needs LVGL 8.3 or later.\"\n#endif\n";
    if (font.bpp == 8)
        out +=
            "#if LVGL_VERSION_MAJOR == 9 && LVGL_VERSION_MINOR < 3\n"
            "#error \"LVGL 9.0 to 9.2 do not draw 8 bpp glyphs: use LVGL 8.3 or 9.3 and later, "
            "or convert at 4 bpp.\"\n#endif\n";
    if (compress)
        out +=
            "#if !LV_USE_FONT_COMPRESSED\n"
            "#error \"This font is compressed: set LV_USE_FONT_COMPRESSED to 1 in lv_conf.h.\"\n"
            "#endif\n";
    if (large)
        out +=
            "#if !LV_FONT_FMT_TXT_LARGE\n"
            "#error \"This font's glyphs need LV_FONT_FMT_TXT_LARGE set to 1 in lv_conf.h.\"\n"
            "#endif\n";
    return out;
}

void AppendCmaps(QByteArray* out, const lvgl::Font& laid, const QByteArray& id) {
    QByteArray cmaps;
    for (int i = 0; i < laid.cmaps.size(); ++i) {
        const lvgl::Cmap& cmap = laid.cmaps[i];
        QByteArray list = "NULL";
        if (cmap.type == lvgl::kCmapSparseTiny) {
            list = id + "_codes_" + QByteArray::number(i);
            *out += "\nstatic const uint16_t " + list + "[] = {";
            for (int k = 0; k < cmap.offsets.size(); ++k) {
                *out += (k % kBytesPerLine == 0) ? "\n    0x" : " 0x";
                AppendHex(out, cmap.offsets[k], 1, HexDigits::Lower);
                *out += ',';
            }
            *out += "\n};\n";
        }
        cmaps += "    {.range_start = 0x" + QByteArray::number(cmap.rangeStart, 16) +
                 ", .range_length = " + QByteArray::number(cmap.rangeLength) +
                 ", .glyph_id_start = " + QByteArray::number(cmap.firstGlyph) +
                 ", .unicode_list = " + list + ", .glyph_id_ofs_list = NULL, .list_length = " +
                 QByteArray::number(cmap.offsets.size()) + ", .type = " +
                 (cmap.type == lvgl::kCmapSparseTiny ? "LV_FONT_FMT_TXT_CMAP_SPARSE_TINY"
                                                     : "LV_FONT_FMT_TXT_CMAP_FORMAT0_TINY") +
                 "},\n";
    }
    *out += "\nstatic const lv_font_fmt_txt_cmap_t " + id + "_cmaps[] = {\n" + cmaps + "};\n";
}

void AppendDescriptors(QByteArray* out, const lvgl::Font& laid, const QByteArray& id, int bpp,
                       bool compress) {
    *out += "\nstatic const lv_font_fmt_txt_dsc_t " + id + "_dsc = {\n    .glyph_bitmap = " + id +
            "_bitmap,\n    .glyph_dsc = " + id + "_glyphs,\n    .cmaps = " + id +
            "_cmaps,\n    .kern_dsc = NULL,\n    .kern_scale = 0,\n    .cmap_num = " +
            QByteArray::number(laid.cmaps.size()) + ",\n    .bpp = " + QByteArray::number(bpp) +
            ",\n    .kern_classes = 0,\n    .bitmap_format = " +
            (compress ? "LV_FONT_FMT_TXT_COMPRESSED" : "LV_FONT_FMT_TXT_PLAIN") + ",\n};\n";
    *out += "\nconst lv_font_t " + id +
            " = {\n    .get_glyph_dsc = lv_font_get_glyph_dsc_fmt_txt,\n"
            "    .get_glyph_bitmap = lv_font_get_bitmap_fmt_txt,\n    .line_height = " +
            QByteArray::number(laid.lineHeight) +
            ",\n    .base_line = " + QByteArray::number(laid.baseLine) +
            ",\n    .subpx = LV_FONT_SUBPX_NONE,\n    .underline_position = " +
            QByteArray::number(laid.underlinePosition) +
            ",\n    .underline_thickness = " + QByteArray::number(laid.underlineThickness) +
            ",\n    .dsc = &" + id + "_dsc,\n};\n";
}

}  // namespace

QByteArray WriteLvglC(const TargetFont& font, const QString& symbol, bool compress,
                      QString* problem) {
    static const QRegularExpression identifier(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (!identifier.match(symbol).hasMatch()) {
        if (problem) *problem = QStringLiteral("\"%1\" is not a C identifier.").arg(symbol);
        return QByteArray();
    }
    if (compress && font.bpp != 2 && font.bpp != 4) {
        if (problem)
            *problem = QStringLiteral(
                           "LVGL decompresses only 2, 3 and 4 bpp fonts: write this %1 bpp font "
                           "uncompressed.")
                           .arg(font.bpp);
        return QByteArray();
    }
    const lvgl::Font laid = lvgl::LayOut(font, kCmapCosts, problem);
    if (laid.glyphs.isEmpty()) return QByteArray();
    const QByteArray id = symbol.toUtf8();

    // Each glyph's bitmap starts on a byte; compressed or packed at bpp bits.
    QVector<QByteArray> bitmaps(laid.glyphs.size());
    QVector<int> bitmapIndexes(laid.glyphs.size());
    int bitmapSize = 0;
    bool large = false;
    QByteArray levels;
    for (int i = 0; i < laid.glyphs.size(); ++i) {
        const lvgl::Glyph& glyph = laid.glyphs[i];
        if (glyph.boxWidth > 0) {
            lvgl::BoxLevels(glyph, &levels);
            bitmaps[i] =
                compress ? lvgl::CompressLevels(levels, glyph.boxWidth, glyph.boxHeight, font.bpp)
                         : lvgl::PackLevels(levels, font.bpp);
        }
        bitmapIndexes[i] = bitmapSize;
        large = large || !FitsSmallDescription(glyph, bitmapSize);
        bitmapSize += bitmaps[i].size();
    }

    QByteArray out = Header(font, symbol, compress, large);
    // Room for the whole file, so that it is never copied while it grows: a
    // byte takes at most 7 characters ("0xhh, " and a share of its line's
    // start), a glyph description and its comment less than 200, a sparse
    // list's code 8 and a cmap 300 and its name twice.
    int sparseCodes = 0;
    for (const lvgl::Cmap& cmap : laid.cmaps) sparseCodes += cmap.offsets.size();
    out.reserve(out.size() + 7 * bitmapSize + 200 * laid.glyphs.size() + 8 * sparseCodes +
                (300 + 2 * id.size()) * laid.cmaps.size() + 4096);
    out += "\n/* Each glyph's box, row by row from the top, " + QByteArray::number(font.bpp) +
           " bits a pixel" + (compress ? ", in LVGL's compressed form" : "") +
           ". */\nstatic LV_ATTRIBUTE_LARGE_CONST const uint8_t " + id + "_bitmap[] = {";
    for (int i = 0; i < laid.glyphs.size(); ++i) {
        if (bitmaps[i].isEmpty()) continue;
        out += "\n    ";
        AppendCodeComment(&out, laid.glyphs[i].code);
        AppendHexItems(&out, bitmaps[i], kBytesPerLine, HexDigits::Lower);
    }
    // The decompressor may read one byte past a glyph's code; an empty array is no C.
    if (compress || bitmapSize == 0) out += "\n    0x00,";
    out += "\n};\n";

    out +=
        "\n/* Number 0 is no glyph; a blank number follows a range whose next code is "
        "missing. */\nstatic const lv_font_fmt_txt_glyph_dsc_t " +
        id + "_glyphs[] = {\n";
    for (int i = 0; i < laid.glyphs.size(); ++i) {
        const lvgl::Glyph& glyph = laid.glyphs[i];
        out += "    {.bitmap_index = ";
        AppendDecimal(&out, bitmapIndexes[i]);
        out += ", .adv_w = ";
        AppendDecimal(&out, glyph.advance * 16);
        out += ", .box_w = ";
        AppendDecimal(&out, glyph.boxWidth);
        out += ", .box_h = ";
        AppendDecimal(&out, glyph.boxHeight);
        out += ", .ofs_x = ";
        AppendDecimal(&out, glyph.offsetX);
        out += ", .ofs_y = ";
        AppendDecimal(&out, glyph.offsetY);
        out += "},";
        if (glyph.code != 0) {
            out += ' ';
            AppendCodeComment(&out, glyph.code);
        }
        out += '\n';
    }
    out += "};\n";
    AppendCmaps(&out, laid, id);
    AppendDescriptors(&out, laid, id, font.bpp, compress);
    return out;
}

}  // namespace runemill
