// LVGL's C and binary fonts read back by the tests' own readers, the C font
// compiled against LVGL 8.3's and LVGL 9's declarations, and the refusals.
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "lvgl_reader.h"
#include "targets/target_font.h"
#include "test_files.h"

using runemill::TargetFont;
using runemill::TargetGlyph;

Q_DECLARE_METATYPE(TargetFont)

namespace {

// Glyphs of every shape a writer trims: blank, one pixel, the whole cell, long
// runs of one level (the run-length code's counters), noise, ink on every edge.
TargetFont MakeFont(int w, int h, int bpp, int baseline, const QVector<uint>& codes,
                    bool oneAdvance) {
    TargetFont font;
    font.name = QStringLiteral("Test");
    font.width = w;
    font.height = h;
    font.bpp = bpp;
    font.baseline = baseline;
    const int top = (1 << bpp) - 1;
    quint32 seed = 12345;
    for (int k = 0; k < codes.size(); ++k) {
        TargetGlyph glyph;
        glyph.code = codes[k];
        glyph.advance = oneAdvance ? w : (k % 3 == 0 ? w : k % 3 == 1 ? w / 2 : 0);
        glyph.levels = QByteArray(w * h, '\0');
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                seed = seed * 1103515245u + 12345u;
                int level = 0;
                switch (k % 6) {
                    case 0:
                        break;  // blank
                    case 1:
                        level = (x == w - 1 && y == h - 1) ? top : 0;
                        break;  // one pixel
                    case 2:
                        level = top;
                        break;  // whole cell
                    case 3:
                        level = (y % 3 == 0) ? top : (x + y) % (top + 1);
                        break;
                    case 4:
                        level = int(seed >> 16) % (top + 1);
                        break;
                    default:
                        level = (x > 1 && y > 0 && y < h - 2) ? top / (1 + y % 2) : 0;
                }
                glyph.levels[y * w + x] = char(level);
            }
        font.glyphs.append(glyph);
    }
    return font;
}

QVector<uint> Run(uint first, int count, int step = 1) {
    QVector<uint> codes;
    for (int i = 0; i < count; ++i) codes.append(first + uint(i * step));
    return codes;
}

void Compare(const DecodedFont& decoded, const TargetFont& font) {
    QCOMPARE(decoded.size(), font.glyphs.size());
    for (const TargetGlyph& glyph : font.glyphs) {
        QVERIFY2(decoded.contains(glyph.code), qPrintable(QString::number(glyph.code, 16)));
        QCOMPARE(decoded[glyph.code].advance, glyph.advance);
        QCOMPARE(decoded[glyph.code].levels, glyph.levels);
    }
}

// The few LVGL declarations a C font uses, as LVGL 8.3 and LVGL 9 declare them.
const char kCommonDeclarations[] = R"(
#include <stdbool.h>
#include <stddef.h>
#include <stdint.h>
#define LV_ATTRIBUTE_LARGE_CONST
enum { LV_FONT_SUBPX_NONE };
typedef enum { LV_FONT_FMT_TXT_CMAP_FORMAT0_FULL, LV_FONT_FMT_TXT_CMAP_SPARSE_FULL,
    LV_FONT_FMT_TXT_CMAP_FORMAT0_TINY, LV_FONT_FMT_TXT_CMAP_SPARSE_TINY } lv_font_fmt_txt_cmap_type_t;
typedef enum { LV_FONT_FMT_TXT_PLAIN = 0, LV_FONT_FMT_TXT_COMPRESSED = 1 } lv_font_fmt_txt_bitmap_format_t;
typedef struct {
#if LV_FONT_FMT_TXT_LARGE == 0
    uint32_t bitmap_index : 20; uint32_t adv_w : 12; uint8_t box_w; uint8_t box_h; int8_t ofs_x; int8_t ofs_y;
#else
    uint32_t bitmap_index; uint32_t adv_w; uint16_t box_w; uint16_t box_h; int16_t ofs_x; int16_t ofs_y;
#endif
} lv_font_fmt_txt_glyph_dsc_t;
typedef struct { uint32_t range_start; uint16_t range_length; uint16_t glyph_id_start;
    const uint16_t * unicode_list; const void * glyph_id_ofs_list; uint16_t list_length;
    lv_font_fmt_txt_cmap_type_t type; } lv_font_fmt_txt_cmap_t;
)";

const char kLvgl8Declarations[] = R"(
typedef struct { uint32_t last_letter; uint32_t last_glyph_id; } lv_font_fmt_txt_glyph_cache_t;
typedef struct { const uint8_t * glyph_bitmap; const lv_font_fmt_txt_glyph_dsc_t * glyph_dsc;
    const lv_font_fmt_txt_cmap_t * cmaps; const void * kern_dsc; uint16_t kern_scale;
    uint16_t cmap_num : 9; uint16_t bpp : 4; uint16_t kern_classes : 1; uint16_t bitmap_format : 2;
    lv_font_fmt_txt_glyph_cache_t * cache; } lv_font_fmt_txt_dsc_t;
typedef struct { int16_t adv_w; } lv_font_glyph_dsc_t;
typedef struct _lv_font_t {
    bool (*get_glyph_dsc)(const struct _lv_font_t *, lv_font_glyph_dsc_t *, uint32_t, uint32_t);
    const uint8_t * (*get_glyph_bitmap)(const struct _lv_font_t *, uint32_t);
    int16_t line_height; int16_t base_line; uint8_t subpx : 2;
    int8_t underline_position; int8_t underline_thickness;
    const void * dsc; const struct _lv_font_t * fallback; void * user_data; } lv_font_t;
bool lv_font_get_glyph_dsc_fmt_txt(const lv_font_t *, lv_font_glyph_dsc_t *, uint32_t, uint32_t);
const uint8_t * lv_font_get_bitmap_fmt_txt(const lv_font_t *, uint32_t);
)";

const char kLvgl9Declarations[] = R"(
typedef struct { const uint8_t * glyph_bitmap; const lv_font_fmt_txt_glyph_dsc_t * glyph_dsc;
    const lv_font_fmt_txt_cmap_t * cmaps; const void * kern_dsc; uint16_t kern_scale;
    uint16_t cmap_num : 9; uint16_t bpp : 4; uint16_t kern_classes : 1; uint16_t bitmap_format : 2;
    uint8_t stride; } lv_font_fmt_txt_dsc_t;
typedef struct _lv_font_t lv_font_t;
typedef struct { int32_t adv_w; } lv_font_glyph_dsc_t;
typedef struct { uint32_t header; } lv_draw_buf_t;
struct _lv_font_t {
    bool (*get_glyph_dsc)(const lv_font_t *, lv_font_glyph_dsc_t *, uint32_t, uint32_t);
    const void * (*get_glyph_bitmap)(lv_font_glyph_dsc_t *, lv_draw_buf_t *);
    void (*release_glyph)(const lv_font_t *, lv_font_glyph_dsc_t *);
    int32_t line_height; int32_t base_line; uint8_t subpx : 2; uint8_t kerning : 1;
    uint8_t static_bitmap : 1; int8_t underline_position; int8_t underline_thickness;
    const void * dsc; const lv_font_t * fallback; void * user_data; };
bool lv_font_get_glyph_dsc_fmt_txt(const lv_font_t *, lv_font_glyph_dsc_t *, uint32_t, uint32_t);
const void * lv_font_get_bitmap_fmt_txt(lv_font_glyph_dsc_t *, lv_draw_buf_t *);
)";

}  // namespace

class TestLvgl : public QObject {
    Q_OBJECT

  private slots:
    void decodes_data();
    void decodes();
    void compiles_data();
    void compiles();
    void refuses_data();
    void refuses();
};

void TestLvgl::decodes_data() {
    QTest::addColumn<TargetFont>("font");
    QTest::addColumn<bool>("compress");
    QTest::addColumn<int>("ranges");  // cmaps of consecutive codes
    QTest::addColumn<int>("sparse");  // cmaps of listed codes

    // Scattered codes around a run of 40 (worth a range cmap of its own) and
    // a run of 20 (cheaper inside a list), then a code beyond one list's span.
    const QVector<uint> mixed = Run(0x4E00, 30, 3) + Run(0x5000, 40) + Run(0x5100, 20, 5) +
                                Run(0x5200, 20) + Run(0x5300, 10, 7) + QVector<uint>{0x1F600};
    QTest::newRow("1 bpp, ASCII, one range")
        << MakeFont(8, 8, 1, 6, Run(0x20, 95), false) << false << 1 << 0;
    QTest::newRow("2 bpp, 12 x 16, scattered")
        << MakeFont(12, 16, 2, 13, Run(0x4E00, 50, 9), false) << false << 0 << 1;
    QTest::newRow("2 bpp compressed, 12 x 16")
        << MakeFont(12, 16, 2, 13, Run(0x4E00, 50, 9), false) << true << 0 << 1;
    QTest::newRow("4 bpp, 16 x 16, mixed codes")
        << MakeFont(16, 16, 4, 14, mixed, true) << false << 1 << 3;
    QTest::newRow("4 bpp compressed, 40 x 24, mixed codes")
        << MakeFont(40, 24, 4, 19, mixed, false) << true << 1 << 3;
    QTest::newRow("8 bpp, 20 x 12, baseline at the bottom")
        << MakeFont(20, 12, 8, 12, Run(0x41, 26), false) << false << 1 << 0;
    QTest::newRow("1 bpp, 7 x 13, baseline at the top, a short run kept in the list")
        << MakeFont(7, 13, 1, 0, Run(0x30, 10) + Run(0x100, 12, 2), true) << false << 0 << 1;
}

void TestLvgl::decodes() {
    QFETCH(TargetFont, font);
    QFETCH(bool, compress);
    QFETCH(int, ranges);
    QFETCH(int, sparse);
    QString problem;
    const QByteArray c =
        runemill::WriteLvglC(font, QStringLiteral("test_font"), compress, &problem);
    QVERIFY2(!c.isEmpty(), qPrintable(problem));
    Compare(ReadLvglCForTest(c, font.width, font.height), font);
    QCOMPARE(c.count(".type = LV_FONT_FMT_TXT_CMAP_FORMAT0_TINY"), ranges);
    QCOMPARE(c.count(".type = LV_FONT_FMT_TXT_CMAP_SPARSE_TINY"), sparse);

    const QByteArray bin = runemill::WriteLvglBin(font, &problem);
    QVERIFY2(!bin.isEmpty(), qPrintable(problem));
    Compare(ReadLvglBinForTest(bin, font.width, font.height), font);
    // One advance for all is the head's default, and no glyph spends bits on it.
    const bool oneAdvance =
        std::all_of(font.glyphs.begin(), font.glyphs.end(),
                    [&](const TargetGlyph& g) { return g.advance == font.width; });
    QCOMPARE(bin.at(40) == 0, oneAdvance);
}

void TestLvgl::compiles_data() {
    QTest::addColumn<QByteArray>("declarations");
    QTest::addColumn<TargetFont>("font");
    QTest::addColumn<bool>("compress");
    QTest::addColumn<bool>("compiles");

    const QByteArray v83 = "#define LVGL_VERSION_MAJOR 8\n#define LVGL_VERSION_MINOR 3\n";
    const QByteArray v91 = "#define LVGL_VERSION_MAJOR 9\n#define LVGL_VERSION_MINOR 1\n";
    const QByteArray v95 = "#define LVGL_VERSION_MAJOR 9\n#define LVGL_VERSION_MINOR 5\n";
    const QByteArray compressed = "#define LV_USE_FONT_COMPRESSED 1\n";
    const QByteArray large = "#define LV_FONT_FMT_TXT_LARGE 1\n";
    const QByteArray lvgl8 = QByteArray(kCommonDeclarations) + kLvgl8Declarations;
    const QByteArray lvgl9 = QByteArray(kCommonDeclarations) + kLvgl9Declarations;
    const QVector<uint> codes = Run(0x20, 20) + Run(0x4E00, 12, 3);
    const TargetFont font1 = MakeFont(10, 12, 1, 9, codes, false);
    const TargetFont font4 = MakeFont(16, 16, 4, 13, codes, false);
    const TargetFont font8 = MakeFont(16, 16, 8, 13, codes, false);
    const TargetFont huge = MakeFont(300, 300, 2, 250, Run(0x41, 3), false);

    QTest::newRow("LVGL 8.3, 1 bpp") << v83 + lvgl8 << font1 << false << true;
    QTest::newRow("LVGL 8.3, 4 bpp compressed")
        << v83 + compressed + lvgl8 << font4 << true << true;
    QTest::newRow("LVGL 9.5, 8 bpp") << v95 + lvgl9 << font8 << false << true;
    QTest::newRow("LVGL 9.5, 4 bpp compressed")
        << v95 + compressed + lvgl9 << font4 << true << true;
    QTest::newRow("LVGL 9.5, 300-pixel glyphs, large descriptions")
        << v95 + large + lvgl9 << huge << false << true;
    QTest::newRow("LVGL 9.5, 300-pixel glyphs, small descriptions")
        << v95 + lvgl9 << huge << false << false;
    QTest::newRow("LVGL 9.1 draws no 8 bpp") << v91 + lvgl9 << font8 << false << false;
    QTest::newRow("decompression off") << v95 + lvgl9 << font4 << true << false;
}

void TestLvgl::compiles() {
    QFETCH(QByteArray, declarations);
    QFETCH(TargetFont, font);
    QFETCH(bool, compress);
    QFETCH(bool, compiles);
    const QString cc = QStandardPaths::findExecutable(QStringLiteral("cc"));
    if (cc.isEmpty()) QSKIP("no C compiler");
    QTemporaryDir dir;
    QString problem;
    const QByteArray source =
        runemill::WriteLvglC(font, QStringLiteral("font_a"), compress, &problem);
    QVERIFY2(!source.isEmpty(), qPrintable(problem));
    QVERIFY(WriteAll(dir.filePath(QStringLiteral("lvgl.h")), declarations));
    QVERIFY(WriteAll(dir.filePath(QStringLiteral("font_a.c")), source));
    QProcess compiler;
    compiler.setWorkingDirectory(dir.path());
    compiler.start(cc,
                   {QStringLiteral("-std=c99"), QStringLiteral("-Wall"), QStringLiteral("-Wextra"),
                    QStringLiteral("-Werror"), QStringLiteral("-DLV_LVGL_H_INCLUDE_SIMPLE"),
                    QStringLiteral("-I."), QStringLiteral("-c"), QStringLiteral("font_a.c")});
    QVERIFY(compiler.waitForFinished(60000));
    const QByteArray errors = compiler.readAllStandardError();
    QVERIFY2((compiler.exitCode() == 0) == compiles, errors.constData());
    if (!compiles) QVERIFY2(errors.contains("#error"), errors.constData());
}

void TestLvgl::refuses_data() {
    QTest::addColumn<TargetFont>("font");
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<bool>("compress");
    QTest::addColumn<QString>("problem");

    const QVector<uint> codes = Run(0x41, 3);
    const QString noDecompression = QStringLiteral(
        "LVGL decompresses only 2, 3 and 4 bpp fonts: write this %1 bpp font uncompressed.");
    QTest::newRow("compressed 1 bpp")
        << MakeFont(8, 8, 1, 6, codes, false) << "f" << true << noDecompression.arg(1);
    QTest::newRow("compressed 8 bpp")
        << MakeFont(8, 8, 8, 6, codes, false) << "f" << true << noDecompression.arg(8);
    QTest::newRow("not an identifier") << MakeFont(8, 8, 1, 6, codes, false) << "9-font" << false
                                       << "\"9-font\" is not a C identifier.";
    QTest::newRow("no characters")
        << MakeFont(8, 8, 1, 6, {}, false) << "f" << false << "There are no characters to write.";
}

void TestLvgl::refuses() {
    QFETCH(TargetFont, font);
    QFETCH(QString, symbol);
    QFETCH(bool, compress);
    QFETCH(QString, problem);
    QString said;
    QVERIFY(runemill::WriteLvglC(font, symbol, compress, &said).isEmpty());
    QCOMPARE(said, problem);
    if (compress || symbol != QLatin1String("f")) return;  // the binary font takes neither
    said.clear();
    QVERIFY(runemill::WriteLvglBin(font, &said).isEmpty());
    QCOMPARE(said, problem);
}

QTEST_GUILESS_MAIN(TestLvgl)
#include "test_lvgl.moc"
