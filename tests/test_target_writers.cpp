// The u8g2 and LVGL writers: every glyph read back by the tests' own readers (u8g2's way of
// finding it: the 'A' and 'a' starts, the jump table past 255; LVGL's C and binary fonts) equals
// the cell it was written from; the C fonts compiled by a C compiler; the refusals (GFX's too).
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "target_readers.h"
#include "targets/target_font.h"
#include "test_files.h"

using namespace runemill;

Q_DECLARE_METATYPE(runemill::TargetFont)

namespace {

// Glyphs of every shape a writer trims, the first `shapes` of: blank, one pixel (in each corner
// and on each edge's middle in turn), a frame, the whole cell, long runs of one level (the
// run-length codes' counters), noise, ink off every edge.
TargetFont MakeFont(int w, int h, int bpp, int baseline, const QVector<uint>& codes,
                    bool oneAdvance = false, int shapes = 7) {
    TargetFont font{QStringLiteral("Test */ Face"), 10.5, w, h, bpp, baseline, {}};
    const int top = (1 << bpp) - 1;
    const QPoint dots[] = {{0, 0},     {w - 1, 0},     {0, h - 1}, {w - 1, h - 1},
                           {w / 2, 0}, {w / 2, h - 1}, {0, h / 2}, {w - 1, h / 2}};
    quint32 seed = 12345;
    for (int k = 0; k < codes.size(); ++k) {
        QByteArray levels(w * h, '\0');
        for (int i = 0; i < w * h; ++i) {
            const int x = i % w, y = i / w;
            seed = seed * 1103515245u + 12345u;
            const int level[] = {0,
                                 QPoint(x, y) == dots[k / shapes % 8] ? top : 0,
                                 x == 0 || y == 0 || x == w - 1 || y == h - 1 ? top : 0,
                                 top,
                                 y % 3 == 0 ? top : (x + y) % (top + 1),
                                 int(seed >> 16) % (top + 1),
                                 x > 1 && y > 0 && y < h - 2 ? top / (1 + y % 2) : 0};
            levels[i] = char(level[k % shapes]);
        }
        const int advance = oneAdvance || k % 3 == 0 ? w : k % 3 == 1 ? w / 2 : 0;
        font.glyphs.append({codes[k], advance, levels});
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
        QCOMPARE(decoded[glyph.code].levels.toHex(), glyph.levels.toHex());
        QCOMPARE(decoded[glyph.code].advance, glyph.advance);
    }
}

// `library` is "u8g2", "gfx", "lvgl" or "lvgl z" (compressed).
QByteArray WriteC(const TargetFont& font, const QString& library, const QString& symbol,
                  QString* problem) {
    if (library == "gfx") return WriteGfx(font, symbol, problem);
    return library == "u8g2" ? WriteU8g2(font, symbol, problem)
                             : WriteLvglC(font, symbol, library == "lvgl z", problem);
}

// The few LVGL declarations a C font uses, as LVGL 8.3 and LVGL 9 declare them.
const char kLvglDeclarations[] = R"(
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
typedef struct { const uint8_t * glyph_bitmap; const lv_font_fmt_txt_glyph_dsc_t * glyph_dsc;
    const lv_font_fmt_txt_cmap_t * cmaps; const void * kern_dsc; uint16_t kern_scale;
    uint16_t cmap_num : 9; uint16_t bpp : 4; uint16_t kern_classes : 1; uint16_t bitmap_format : 2;
#if LVGL_VERSION_MAJOR == 8
    struct { uint32_t last_letter; uint32_t last_glyph_id; } * cache; } lv_font_fmt_txt_dsc_t;
typedef struct { int16_t adv_w; } lv_font_glyph_dsc_t;
typedef struct _lv_font_t {
    bool (*get_glyph_dsc)(const struct _lv_font_t *, lv_font_glyph_dsc_t *, uint32_t, uint32_t);
    const uint8_t * (*get_glyph_bitmap)(const struct _lv_font_t *, uint32_t);
    int16_t line_height; int16_t base_line; uint8_t subpx : 2;
    int8_t underline_position; int8_t underline_thickness;
    const void * dsc; const struct _lv_font_t * fallback; void * user_data; } lv_font_t;
const uint8_t * lv_font_get_bitmap_fmt_txt(const lv_font_t *, uint32_t);
#else
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
const void * lv_font_get_bitmap_fmt_txt(lv_font_glyph_dsc_t *, lv_draw_buf_t *);
#endif
bool lv_font_get_glyph_dsc_fmt_txt(const lv_font_t *, lv_font_glyph_dsc_t *, uint32_t, uint32_t);
)";

}  // namespace

class TestTargetWriters : public QObject {
    Q_OBJECT

  private slots:
    void readBack_data() {
        QTest::addColumn<QString>("library");
        QTest::addColumn<TargetFont>("font");
        QTest::addColumn<int>("ranges");  // LVGL cmaps of consecutive codes
        QTest::addColumn<int>("sparse");  // LVGL cmaps of listed codes
        // The library is the name's first word; a "compressed" LVGL font is "lvgl z".
        const auto row = [](const char* name, const TargetFont& font, int ranges = 0,
                            int sparse = 0) {
            const QString n = name;
            QTest::newRow(name) << (n.contains("compressed") ? "lvgl z" : n.section(' ', 0, 0))
                                << font << ranges << sparse;
        };
        row("u8g2 ASCII 8 x 12", MakeFont(8, 12, 1, 9, Run(0x20, 95)));
        // No 'A' and nothing from 'a' on: u8g2 starts at the first record from 'A', or at the end.
        row("u8g2 digits and B..Z", MakeFont(6, 9, 1, 7, Run(0x30, 10) + Run('B', 25)));
        row("u8g2 Latin-1 and past 255", MakeFont(7, 7, 1, 6, Run(0x41, 0x13F)));
        // Eight jump-table blocks, a code below the first block and the last code there is.
        row("u8g2 CJK 16 x 16 in blocks",
            MakeFont(16, 16, 1, 14,
                     QVector<uint>{0x20, 0x3000} + Run(0x4E00, 1046, 20) + QVector<uint>{0xFFFF}));
        row("u8g2 only past 255, 24 x 10", MakeFont(24, 10, 1, 0, Run(0x3041, 86)));
        row("u8g2 tall 5 x 30, baseline at the bottom", MakeFont(5, 30, 1, 30, Run(0x21, 64)));
        row("u8g2 edges 1 x 1", MakeFont(1, 1, 1, 1, Run(0x2500, 9), true, 3));
        row("u8g2 edges of the largest cell", MakeFont(127, 127, 1, 100, Run(0x2500, 24), true, 3));
        row("u8g2 no glyphs", MakeFont(8, 8, 1, 7, {}));

        // Scattered codes around a run of 40 (worth a range cmap of its own) and
        // a run of 20 (cheaper inside a list), then a code beyond one list's span.
        const QVector<uint> mixed = Run(0x4E00, 30, 3) + Run(0x5000, 40) + Run(0x5100, 20, 5) +
                                    Run(0x5200, 20) + Run(0x5300, 10, 7) + QVector<uint>{0x1F600};
        const QVector<uint> scattered = Run(0x4E00, 50, 9);
        row("lvgl 1 bpp, ASCII, one range", MakeFont(8, 8, 1, 6, Run(0x20, 95)), 1);
        row("lvgl 2 bpp, 12 x 16, scattered", MakeFont(12, 16, 2, 13, scattered), 0, 1);
        row("lvgl 2 bpp compressed, 12 x 16", MakeFont(12, 16, 2, 13, scattered), 0, 1);
        row("lvgl 4 bpp, 16 x 16, mixed codes", MakeFont(16, 16, 4, 14, mixed, true), 1, 3);
        row("lvgl 4 bpp compressed, 40 x 24, mixed", MakeFont(40, 24, 4, 19, mixed), 1, 3);
        row("lvgl 8 bpp, baseline at the bottom", MakeFont(20, 12, 8, 12, Run(0x41, 26)), 1);
        // A range of 254 and the blank after it: numbers 0 to 255, one byte each.
        row("lvgl 1 bpp, 256 glyph numbers", MakeFont(4, 4, 1, 3, Run(0x4E00, 254)), 1);
        row("lvgl 1 bpp, 7 x 13, baseline at the top, a short run kept in the list",
            MakeFont(7, 13, 1, 0, Run(0x30, 10) + Run(0x100, 12, 2), true), 0, 1);
    }

    // Each glyph's pixels where its box and offsets put them on the baseline, and its advance.
    void readBack() {
        QFETCH(QString, library);
        QFETCH(TargetFont, font);
        QFETCH(int, ranges);
        QFETCH(int, sparse);
        QString problem;
        const QByteArray c = WriteC(font, library, "test_font", &problem);
        QCOMPARE(problem, QString());
        if (library == "u8g2") return Compare(ReadU8g2ForTest(c, font.width, font.height), font);
        Compare(ReadLvglCForTest(c, font.width, font.height), font);
        QCOMPARE(c.count(".type = LV_FONT_FMT_TXT_CMAP_FORMAT0_TINY"), ranges);
        QCOMPARE(c.count(".type = LV_FONT_FMT_TXT_CMAP_SPARSE_TINY"), sparse);

        const QByteArray bin = WriteLvglBin(font, &problem);
        Compare(ReadLvglBinForTest(bin, font.width, font.height), font);
        // One advance for all is the head's default, and no glyph spends bits on it.
        const bool oneAdvance =
            std::all_of(font.glyphs.begin(), font.glyphs.end(),
                        [&](const TargetGlyph& g) { return g.advance == font.width; });
        QCOMPARE(bin.at(40) == 0, oneAdvance);
    }

    void compiles_data() {
        QTest::addColumn<QString>("library");
        // u8g2.h beside a u8g2 font (none if empty); lvgl.h: these lines and kLvglDeclarations
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<TargetFont>("font");
        QTest::addColumn<bool>("compiles");

        const QByteArray v83 = "#define LVGL_VERSION_MAJOR 8\n#define LVGL_VERSION_MINOR 3\n";
        const QByteArray v91 = "#define LVGL_VERSION_MAJOR 9\n#define LVGL_VERSION_MINOR 1\n";
        const QByteArray v95 = "#define LVGL_VERSION_MAJOR 9\n#define LVGL_VERSION_MINOR 5\n";
        const QByteArray zip = "#define LV_USE_FONT_COMPRESSED 1\n";
        const QByteArray large = "#define LV_FONT_FMT_TXT_LARGE 1\n";
        const QVector<uint> codes = Run(0x20, 20) + Run(0x4E00, 12, 3);
        const TargetFont font1 = MakeFont(10, 12, 1, 9, codes);
        const TargetFont font4 = MakeFont(16, 16, 4, 13, codes);
        const TargetFont font8 = MakeFont(16, 16, 8, 13, codes);
        const TargetFont huge = MakeFont(300, 300, 2, 250, Run(0x41, 3));
        const QString lvgl = "lvgl", lvglZ = "lvgl z";

        QTest::newRow("LVGL 8.3, 1 bpp") << lvgl << v83 << font1 << true;
        QTest::newRow("LVGL 8.3, 4 bpp compressed") << lvglZ << v83 + zip << font4 << true;
        QTest::newRow("LVGL 9.5, 8 bpp") << lvgl << v95 << font8 << true;
        QTest::newRow("LVGL 9.5, 300-pixel glyphs, large descriptions")
            << lvgl << v95 + large << huge << true;
        QTest::newRow("LVGL 9.5, 300-pixel glyphs, small descriptions")
            << lvgl << v95 << huge << false;
        QTest::newRow("LVGL 9.1 draws no 8 bpp") << lvgl << v91 << font8 << false;
        QTest::newRow("LVGL decompression off") << lvglZ << v95 << font4 << false;
        // Alone, and beside a u8g2.h that puts fonts in a section.
        const TargetFont font = MakeFont(12, 12, 1, 10, Run(0x20, 70, 7));
        QTest::newRow("u8g2 alone") << "u8g2" << QByteArray() << font << true;
        const QByteArray u8g2h =
            "#include <stdint.h>\n#define U8G2_FONT_SECTION(name) "
            "__attribute__((section(\".fonts.\" name)))\n";
        QTest::newRow("u8g2 with u8g2.h") << "u8g2" << u8g2h << font << true;
    }

    // C99 with every warning an error; a font the declarations cannot hold stops at an #error.
    void compiles() {
        QFETCH(QString, library);
        QFETCH(QByteArray, header);
        QFETCH(TargetFont, font);
        QFETCH(bool, compiles);
        const QString cc = QStandardPaths::findExecutable(QStringLiteral("cc"));
        if (cc.isEmpty()) QSKIP("no C compiler");
        QTemporaryDir dir;
        QString problem;
        const QByteArray source = WriteC(font, library, "font_a", &problem);
        QVERIFY2(!source.isEmpty(), qPrintable(problem));
        QVERIFY(WriteAll(dir.filePath("font_a.c"), source));
        if (library != "u8g2")
            QVERIFY(WriteAll(dir.filePath("lvgl.h"), header + kLvglDeclarations));
        else if (!header.isEmpty())
            QVERIFY(WriteAll(dir.filePath("u8g2.h"), header));
        QProcess compiler;
        compiler.setWorkingDirectory(dir.path());
        compiler.start(cc, {"-std=c99", "-Wall", "-Wextra", "-Werror", "-DLV_LVGL_H_INCLUDE_SIMPLE",
                            "-I.", "-c", "font_a.c"});
        QVERIFY(compiler.waitForFinished(60000));
        const QByteArray errors = compiler.readAllStandardError();
        QVERIFY2((compiler.exitCode() == 0) == compiles, errors.constData());
        if (!compiles) QVERIFY2(errors.contains("#error"), errors.constData());
        if (library == "u8g2")
            QCOMPARE(ReadAll(dir.filePath("font_a.o")).contains(".fonts.font_a"),
                     !header.isEmpty());
    }

    void refusals_data() {
        QTest::addColumn<QString>("library");
        QTest::addColumn<TargetFont>("font");
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QString>("problem");

        const TargetFont one = MakeFont(8, 8, 1, 6, Run(0x41, 3));
        const QString noDecompression = QStringLiteral(
            "LVGL decompresses only 2, 3 and 4 bpp fonts: write this %1 bpp font uncompressed.");
        QTest::newRow("LVGL compressed 1 bpp") << "lvgl z" << one << "f" << noDecompression.arg(1);
        QTest::newRow("LVGL compressed 8 bpp")
            << "lvgl z" << MakeFont(8, 8, 8, 6, Run(0x41, 3)) << "f" << noDecompression.arg(8);
        QTest::newRow("LVGL not an identifier") << "lvgl" << one << "9-font"
                                                << "\"9-font\" is not a C identifier.";
        QTest::newRow("LVGL no characters") << "lvgl" << MakeFont(8, 8, 1, 6, {}) << "f"
                                            << "There are no characters to write.";
        QTest::newRow("u8g2 4 bits") << "u8g2" << MakeFont(8, 8, 4, 7, {0x41}) << "f"
                                     << "u8g2 fonts hold 1 bit a pixel, not 4: choose the 1bits "
                                        "format for a u8g2 font";
        const TargetFont beyond = MakeFont(8, 8, 1, 7, {0x41, 0x1F600});
        QTest::newRow("u8g2 past U+FFFF")
            << "u8g2" << beyond << "f"
            << "u8g2 fonts hold codes up to U+FFFF; U+1F600 does not fit: choose a range that "
               "ends at U+FFFF or below";
        QTest::newRow("u8g2 128 wide") << "u8g2" << MakeFont(128, 8, 1, 7, {0x41}) << "f"
                                       << "u8g2 fonts hold cells of up to 127 x 127 pixels; a "
                                          "128 x 8 cell does not fit";
        // A checkerboard: thousands of one-pixel runs, far beyond a record's 255 bytes.
        TargetFont busy = MakeFont(100, 100, 1, 80, {0x41, 0x4E00});
        for (int i = 0; i < 100 * 100; ++i) busy.glyphs[1].levels[i] = char((i / 100 + i) % 2);
        QTest::newRow("u8g2 glyph past 255 bytes")
            << "u8g2" << busy << "f"
            << "U+4E00 takes more than the 255 bytes a u8g2 font holds for a glyph: choose a "
               "smaller cell";
        // What no run of runemill-cli reaches: a code past the GFX font's 16 bits.
        QTest::newRow("GFX past U+FFFF")
            << "gfx" << beyond << "f"
            << "an Adafruit GFX font holds codes up to U+FFFF; this one reaches U+1F600: choose "
               "characters of the Basic Multilingual Plane";
    }

    void refusals() {
        QFETCH(QString, library);
        QFETCH(TargetFont, font);
        QFETCH(QString, symbol);
        QFETCH(QString, problem);
        QString said;
        QCOMPARE(WriteC(font, library, symbol, &said), QByteArray());
        QCOMPARE(said, problem);
        if (library != "lvgl" || symbol != "f") return;  // the binary font takes neither
        said.clear();
        QVERIFY(WriteLvglBin(font, &said).isEmpty());
        QCOMPARE(said, problem);
    }
};

QTEST_GUILESS_MAIN(TestTargetWriters)
#include "test_target_writers.moc"
