// u8g2 fonts: every glyph read back through u8g2's way of finding it (the 'A' and 'a' starts, the
// jump table past 255) equals the cell it was written from; one font's bytes worked out by hand;
// the refusals; the C source compiled by a C compiler.
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "targets/target_font.h"
#include "u8g2_reader.h"

using namespace runemill;

Q_DECLARE_METATYPE(runemill::TargetFont)

namespace {

// Ink of every density from none to full, from a seed per code, so that runs are long and short.
QByteArray Pixels(int w, int h, uint code) {
    QRandomGenerator random(code);
    const int density = int(code % 5) * 25;  // percent: 0 makes a blank glyph, 100 a full cell
    QByteArray levels(w * h, '\0');
    for (char& level : levels) level = char(int(random.bounded(100)) < density ? 1 : 0);
    return levels;
}

TargetFont Font(int w, int h, int baseline, const QVector<uint>& codes) {
    TargetFont font;
    font.name = "Test */ Face";
    font.pointSize = 10.5;
    font.width = w;
    font.height = h;
    font.baseline = baseline;
    for (uint code : codes) font.glyphs.append({code, int(code % (w + 1)), Pixels(w, h, code)});
    return font;
}

QVector<uint> Codes(uint first, uint last, uint step = 1) {
    QVector<uint> codes;
    for (uint code = first; code <= last; code += step) codes.append(code);
    return codes;
}

// A one-pixel glyph in each corner, one on each edge's middle, and a frame.
TargetFont EdgeFont(int w, int h, int baseline) {
    TargetFont font = Font(w, h, baseline, {});
    const QVector<QPoint> points = {{0, 0},     {w - 1, 0},     {0, h - 1}, {w - 1, h - 1},
                                    {w / 2, 0}, {w / 2, h - 1}, {0, h / 2}, {w - 1, h / 2}};
    uint code = 0x2500;
    for (const QPoint& p : points) {
        QByteArray levels(w * h, '\0');
        levels[p.y() * w + p.x()] = 1;
        font.glyphs.append({code++, w, levels});
    }
    QByteArray frame(w * h, '\0');
    for (int i = 0; i < w * h; ++i)
        frame[i] = char(i < w || i >= w * (h - 1) || i % w == 0 || i % w == w - 1);
    font.glyphs.append({code, w, frame});
    return font;
}

QByteArray Write(const TargetFont& font, QString* problem) {
    return WriteU8g2(font, "test_font", problem);
}

}  // namespace

class TestU8g2 : public QObject {
    Q_OBJECT

  private slots:
    void roundTrip_data() {
        QTest::addColumn<TargetFont>("font");
        QTest::newRow("ASCII 8 x 12") << Font(8, 12, 9, Codes(0x20, 0x7E));
        // No 'A' and nothing from 'a' on: u8g2 starts at the first record from 'A', or at the end.
        QTest::newRow("digits and B..Z") << Font(6, 9, 7, Codes(0x30, 0x39) + Codes('B', 'Z'));
        QTest::newRow("Latin-1 and past 255") << Font(7, 7, 6, Codes(0x41, 0x17F));
        // Eight jump-table blocks, a code below the first block and the last code there is.
        QTest::newRow("CJK 16 x 16 in blocks") << Font(
            16, 16, 14,
            QVector<uint>{0x20, 0x3000} + Codes(0x4E00, 0x9FA5, 20) + QVector<uint>{0xFFFF});
        QTest::newRow("only past 255, 24 x 10") << Font(24, 10, 0, Codes(0x3041, 0x3096));
        QTest::newRow("tall 5 x 30, baseline at the bottom") << Font(5, 30, 30, Codes(0x21, 0x60));
        QTest::newRow("edges 13 x 7") << EdgeFont(13, 7, 5);
        QTest::newRow("edges 1 x 1") << EdgeFont(1, 1, 1);
        QTest::newRow("edges of the largest cell") << EdgeFont(127, 127, 100);
        QTest::newRow("no glyphs") << Font(8, 8, 7, {});
    }

    // Each glyph's pixels where its box and offsets put them on the baseline, and its advance.
    void roundTrip() {
        QFETCH(TargetFont, font);
        QString problem;
        const QByteArray source = Write(font, &problem);
        QCOMPARE(problem, QString());
        const DecodedFont decoded = ReadU8g2ForTest(source, font.width, font.height);
        QCOMPARE(decoded.size(), font.glyphs.size());
        for (const TargetGlyph& glyph : font.glyphs) {
            const DecodedGlyph read = decoded.value(glyph.code);
            QCOMPARE(read.levels.toHex(), glyph.levels.toHex());
            QCOMPARE(read.advance, glyph.advance);
        }
    }

    // 'A' (a 2 x 2 box at column 1, row 1: three pixels) and U+0100 (blank, advance 3) in a 4 x 4
    // cell with 3 rows above the baseline. Field widths: w, h 2 bits; x 2 (1 is kept as 3); y 1
    // (0 as 1); advance 4 (4 as 12). Runs 0/3 then 1/0: m0 = m1 = 1 is the first of the smallest
    // choices, pairs (0,1) + two repeats + (1,0) = 3 + 1 + 1 + 3 bits.
    void bytesByHand() {
        TargetFont font = Font(4, 4, 3, {});
        font.glyphs.append({'A', 4,
                            QByteArray::fromHex("00000000"
                                                "00010100"
                                                "00010000"
                                                "00000000")});
        font.glyphs.append({0x100, 3, QByteArray(16, '\0')});
        QString problem;
        const QByteArray source = Write(font, &problem);
        const QByteArray expected =
            // Count, mode, m0, m1, widths of w h x y advance, font box 4 x 4 at 0, -1, ascents 3
            // and descents -1; 'A' starts at 0, 'a' at 5 (the end of the codes below 256), the
            // codes past 255 at 7.
            "0x02, 0x00, 0x01, 0x01, 0x02, 0x02, 0x02, 0x01, 0x04, 0x04, 0x04, 0x00, 0xFF, 0x03, "
            "0xFF, 0x03,\n"
            // 'A', 5 bytes; low bit first 01 01 11 1 0011, 0 1 1 1 0, 1 0 0 (the run pairs).
            // A zero jump; the jump table: 8 on to the first block (last code 0x100) ...
            "    0xFF, 0x00, 0x00, 0x00, 0x05, 0x00, 0x07, 0x41, 0x05, 0x7A, 0x76, 0x01, 0x00, "
            "0x00, 0x00, 0x08,\n"
            // ... and 5 on to the end (0xFFFF); U+0100, 5 bytes: 00 00 01 1 1101; a zero code.
            "    0x01, 0x00, 0x00, 0x05, 0xFF, 0xFF, 0x01, 0x00, 0x05, 0xE0, 0x05, 0x00, "
            "0x00,\n};\n";
        QVERIFY2(source.endsWith(expected), source.constData());
        QVERIFY(
            source.contains("const uint8_t test_font[45] U8G2_FONT_SECTION(\"test_font\") = {"));
        QVERIFY(source.startsWith("/* u8g2 font: Test * / Face, 10.5 pt, cell 4 x 4, 3 rows"));
    }

    void refusals_data() {
        QTest::addColumn<TargetFont>("font");
        QTest::addColumn<QString>("problem");
        TargetFont gray = Font(8, 8, 7, Codes(0x41, 0x42));
        gray.bpp = 4;
        QTest::newRow("4 bits") << gray
                                << "u8g2 fonts hold 1 bit a pixel, not 4: choose the 1bits format "
                                   "for a u8g2 font";
        QTest::newRow("past U+FFFF")
            << Font(8, 8, 7, {0x41, 0x1F600})
            << "u8g2 fonts hold codes up to U+FFFF; U+1F600 does not fit: choose a range that "
               "ends at U+FFFF or below";
        QTest::newRow("128 wide") << Font(128, 8, 7, {0x41})
                                  << "u8g2 fonts hold cells of up to 127 x 127 pixels; a 128 x 8 "
                                     "cell does not fit";
        // A checkerboard: thousands of one-pixel runs, far beyond a record's 255 bytes.
        TargetFont busy = Font(100, 100, 80, {0x41, 0x4E00});
        for (int i = 0; i < 100 * 100; ++i) busy.glyphs[1].levels[i] = char((i / 100 + i) % 2);
        QTest::newRow("glyph past 255 bytes")
            << busy
            << "U+4E00 takes more than the 255 bytes a u8g2 font holds for a glyph: choose a "
               "smaller cell";
    }
    void refusals() {
        QFETCH(TargetFont, font);
        QFETCH(QString, problem);
        QString said;
        QCOMPARE(Write(font, &said), QByteArray());
        QCOMPARE(said, problem);
    }

    // C99 with every warning an error: alone, and beside a u8g2.h that puts fonts in a section.
    void compilesAsC() {
        const QString cc = QStandardPaths::findExecutable("cc");
        if (cc.isEmpty()) QSKIP("no C compiler");
        QTemporaryDir dir;
        QString problem;
        QFile source(dir.filePath("font.c")), header(dir.filePath("with/u8g2.h"));
        QVERIFY(QDir(dir.path()).mkdir("with"));
        QVERIFY(source.open(QIODevice::WriteOnly) &&
                source.write(Write(Font(12, 12, 10, Codes(0x20, 0x200, 7)), &problem)) > 0);
        source.close();
        QVERIFY(header.open(QIODevice::WriteOnly) &&
                header.write("#include <stdint.h>\n#define U8G2_FONT_SECTION(name) "
                             "__attribute__((section(\".fonts.\" name)))\n") > 0);
        header.close();
        for (const QString& include : {QString(), "-I" + dir.filePath("with")}) {
            QStringList args = {"-std=c99",
                                "-Wall",
                                "-Werror",
                                "-c",
                                source.fileName(),
                                "-o",
                                dir.filePath("font.o")};
            if (!include.isEmpty()) args << include;
            QProcess compiler;
            compiler.start(cc, args);
            QVERIFY(compiler.waitForFinished(60000));
            QVERIFY2(compiler.exitCode() == 0, compiler.readAllStandardError().constData());
            QFile object(dir.filePath("font.o"));
            QVERIFY(object.open(QIODevice::ReadOnly));
            QCOMPARE(object.readAll().contains(".fonts.test_font"), !include.isEmpty());
        }
    }
};

QTEST_APPLESS_MAIN(TestU8g2)
#include "test_u8g2.moc"
