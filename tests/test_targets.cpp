// runemill-cli convert --for each display library's format: every glyph the tests' own readers
// find in the file equals the .bin's of the same settings, drawn by 3 jobs; a BDF converts
// back to the .bin; each refusal's message, with the old file kept.
#include <QTextCodec>
#include <QtTest>

#include "cli_runner.h"
#include "runemill_font.h"
#include "target_readers.h"

namespace {

const char kZenHei[] = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc";
const char kText[] = "Hi, 世界! ąé 世";

using Reader = DecodedFont (*)(const QByteArray&, int, int);
struct Target {
    const char* name;
    const char* suffix;
    Reader reader;
    bool advances;  // the file keeps each glyph's advance
};
const Target kTargets[] = {
    {"bdf", ".bdf", ReadBdfForTest, false}, {"gfx", ".h", ReadGfxForTest, true},
    {"lvgl", ".c", ReadLvglCForTest, true}, {"lvgl-bin", ".bin", ReadLvglBinForTest, true},
    {"u8g2", ".c", ReadU8g2ForTest, true},
};

const struct Kind {
    const char* kind;
    int from, to;  // the range, drawn with a lower-case hex digit
    const char* args;
    int w, h;
} kKinds[] = {
    {"gb2312", 0xB0A1, 0xB0C0, "--point-size 8 --x0 1 --y0 -2", 12, 10},
    {"unicode", 0xA0, 0x17F, "--point-size 9 --reverse-x --italic", 9, 14},
    {"string", 0, 0, "--text @text.txt --point-size 9 --rotate r90 --render crisp", 16, 12},
};

// Unicode code -> the code its glyph has in the .bin: the ASCII block first, then the kind's codes.
QMap<uint, int> FileCodes(const QString& kind, int from, int to) {
    QMap<uint, int> codes;
    for (int c = 0x20; c <= 0x7E && kind != "string"; ++c) codes.insert(uint(c), c);
    if (kind == "string")
        for (const uint c : QString(kText).toUcs4()) codes.insert(c, int(c));
    for (int c = from; c <= to && kind == "unicode"; ++c)
        if (!codes.contains(uint(c))) codes.insert(uint(c), c);
    QTextCodec* gb2312 = QTextCodec::codecForName("GB2312");
    for (int c = (from & 0xFF00) | 0xA1; c <= (to | 0xFE) && kind == "gb2312"; ++c) {  // whole rows
        const char bytes[] = {char(c >> 8), char(c), 0};
        const QVector<uint> u = gb2312->toUnicode(bytes).toUcs4();
        if ((c & 0xFF) >= 0xA1 && (c & 0xFF) <= 0xFE && u.size() == 1 && u[0] != 0xFFFD &&
            !codes.contains(u[0]))
            codes.insert(u[0], c);
    }
    return codes;
}

}  // namespace

class TestTargets : public QObject, private CliFixture {
    Q_OBJECT

    CliOutcome Convert(const QString& line) const {
        return Run(line + QString(" --quiet --font-file ") + kZenHei);
    }

  private slots:
    void initTestCase() { QVERIFY(WriteAll(Path("text.txt"), kText)); }

    void glyphs_data() {
        QTest::addColumn<int>("target");  // in kTargets
        QTest::addColumn<int>("kind");    // in kKinds
        QTest::addColumn<QString>("format");
        // LVGL's four formats spread over the kinds (4 bits at the odd width 9 among them); the
        // other libraries hold 1 bit a pixel.
        const char* formats[] = {"1bits", "2bits", "4bits", "8bits"};
        for (int t = 0; t < 5; ++t)
            for (int k = 0; k < 3; ++k) {
                const char* format =
                    kTargets[t].name[0] == 'l' ? formats[(k + 3 * t) % 4] : formats[0];
                QTest::addRow("%s %s %s", kTargets[t].name, format, kKinds[k].kind)
                    << t << k << format;
            }
    }

    // The glyph of every character of the run, pixel for pixel and with its advance.
    void glyphs() {
        QFETCH(int, target);
        QFETCH(int, kind);
        QFETCH(QString, format);
        const Target* t = &kTargets[target];
        const Kind& k = kKinds[kind];
        const int w = k.w, h = k.h;
        const QString args = QString("convert %1 --width %2 --height %3 --format %4 %5")
                                 .arg(k.kind)
                                 .arg(w)
                                 .arg(h)
                                 .arg(format, k.args) +
                             (k.from ? QString(" --from %1 --to %2")
                                           .arg(k.from, 4, 16, QChar('0'))
                                           .arg(k.to, 4, 16, QChar('0'))
                                     : QString());
        const QString file = "@target" + QString(t->suffix);
        QCOMPARE(Convert(args + " -o @font.bin").status, 0);
        const CliOutcome run = Convert(args + " --jobs 3 --for " + t->name + " -o " + file);
        QCOMPARE(run.status, 0);
        // Two C fonts of one name do not link together: a run says which name it chose.
        QCOMPARE(QString(run.err),
                 QString(t->suffix) == ".bin" || t->reader == ReadBdfForTest
                     ? QString()
                     : "c: font target, from the file name; --symbol NAME gives another name\n");
        const DecodedFont decoded = t->reader(ReadAll(Args(file).at(0)), w, h);
        const QByteArray bin = ReadAll(Path("font.bin"));
        rmf_font font;
        QCOMPARE(
            rmf_open(&font, reinterpret_cast<const uint8_t*>(bin.constData()), bin.size(), 0, 0),
            RMF_OK);
        const QMap<uint, int> codes = FileCodes(k.kind, k.from, k.to);
        QCOMPARE(decoded.keys(), codes.keys());
        int inked = 0;
        for (auto c = codes.cbegin(); c != codes.cend(); ++c) {
            rmf_glyph g;
            QCOMPARE(rmf_find_glyph(&font, uint16_t(c.value()), &g), RMF_OK);
            QByteArray levels(w * h, '\0');
            for (int i = 0; i < w * h; ++i) {
                uint16_t raw = 0;
                rmf_glyph_raw(&g, unsigned(i % w), unsigned(i / w), &raw);
                levels[i] = char(raw);
                inked += raw != 0;
            }
            const DecodedGlyph& glyph = decoded[c.key()];
            QVERIFY2(glyph.levels == levels, qPrintable(QString::number(c.key(), 16)));
            if (t->advances) QCOMPARE(glyph.advance, g.has_width_byte ? int(g.width_byte) : w);
        }
        QVERIFY(inked > 0);
    }

    void bdfBack_data() {
        QTest::addColumn<QString>("kind");  // with its range or text
        QTest::addColumn<QString>("args");
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("h");
        // Crisp glyphs: width bytes count the faint edge pixels a 1-bit BDF glyph does not keep.
        const auto row = [](const char* name, const char* kind, const char* args, int w, int h) {
            QTest::newRow(name) << QString(kind) << QString(args + QString(" --render crisp")) << w
                                << h;
        };
        row("gb2312 fit", "gb2312 --from A1A1 --to A3FE", "--fit", 16, 16);
        row("gbk offsets", "gbk --from A3A0 --to A4FE", "--point-size 9 --x0 3 --y0 -4", 12, 12);
        row("unicode mirrored", "unicode --from 4E00 --to 4E3F",
            "--point-size 10 --x0 -1 --y0 3 --reverse-y", 14, 14);
    }

    // Converting from the BDF again with the same kind and cell, at its pixel size (3/4 of H in
    // points) and y0 0, gives the same .bin.
    void bdfBack() {
        QFETCH(QString, kind);
        QFETCH(QString, args);
        QFETCH(int, w);
        QFETCH(int, h);
        const QString cell = QString("convert %1 --width %2 --height %3 ").arg(kind).arg(w).arg(h);
        QCOMPARE(Convert(cell + args + " -o @font.bin").status, 0);
        QCOMPARE(Convert(cell + args + " --for bdf -o @font.bdf").status, 0);
        const QString back = cell + "--point-size " + QString::number(h * 0.75) +
                             " --y0 0 --quiet -o @back.bin --font-file @font.bdf";
        QCOMPARE(Run(back).status, 0);
        QCOMPARE(ReadAll(Path("back.bin")).toHex(), ReadAll(Path("font.bin")).toHex());
    }

    void refusals_data() {
        QTest::addColumn<QString>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("type")
            << "ascii --for gfx -o @f.c"
            << "--output: an Adafruit GFX font (GFXfont) is written to a .h file; "
               "give -o FILE.h";
        QTest::newRow("2bits") << "ascii --for bdf -o @f.bdf --format 2bits"
                               << "--format: a BDF 2.1 bitmap font holds 1 bit a pixel; give "
                                  "--format 1bits";
        QTest::newRow("u8g2 8bits") << "ascii --for u8g2 -o @f.c --format 8bits"
                                    << "--format: a u8g2 font as a C array holds 1 bit a pixel; "
                                       "give --format 1bits";
        QTest::newRow("argb") << "ascii --for lvgl-bin -o @f.bin --format aRGB4444"
                              << "--format: an LVGL binary font for its run-time loader holds gray "
                                 "levels, not aRGB4444; give --format 1bits, 2bits, 4bits or 8bits";
        QTest::newRow("compress") << "ascii --for gfx -o @f.h --compress"
                                  << "--compress: an Adafruit GFX font (GFXfont) has no compressed "
                                     "form; only the .bin and the LVGL C font are compressed";
        QTest::newRow("lvgl compress 8bits")
            << "ascii --for lvgl -o @f.c --format 8bits --compress"
            << "--compress: LVGL decompresses only 2, 3 and 4 bpp fonts: give --format 2bits or "
               "4bits, or write this font uncompressed";
        QTest::newRow("symbol")
            << "ascii --for bdf -o @f.bdf --symbol f"
            << "--symbol: only with C output: -o FILE.c, or --for lvgl, u8g2 or "
               "gfx";
        QTest::newRow("name")
            << "ascii --for gfx -o @int.h"
            << "--output: 'int' is a C or C++ keyword; name the font with --symbol";
        QTest::newRow("header") << "chip --for bdf -o @f.bdf"
                                << "--for: the chip and ttf headers hold no glyphs; only the .bin "
                                   "takes them";
        QTest::newRow("unknown")
            << "ascii --for png -o @f.png"
            << "--for: 'png' is not one of bin, lvgl, lvgl-bin, u8g2, gfx, bdf";
        QTest::newRow("gfx bitmap")
            << "gb2312 --width 16 --height 16 --point-size 12 --for gfx -o @f.h"
            << "--for: an Adafruit GFX font's bitmap holds at most 65,535 "
               "bytes; these 8273 glyphs take 181708 bytes: about 3120 glyphs of "
               "this cell fit, so choose a shorter range, a string font or "
               "a smaller cell";
    }

    // One line on stderr, exit 1, and the file that was there kept.
    void refusals() {
        QFETCH(QString, args);
        QFETCH(QString, message);
        const QString output = Args(args).last();
        QVERIFY(WriteAll(output, "old"));
        const CliOutcome outcome = Convert("convert " + args);
        QCOMPARE(outcome.status, 1);
        QCOMPARE(QString(outcome.err), "runemill-cli: " + message + "\n");
        QCOMPARE(ReadAll(output), QByteArray("old"));
    }
};

QTEST_GUILESS_MAIN(TestTargets)
#include "test_targets.moc"
