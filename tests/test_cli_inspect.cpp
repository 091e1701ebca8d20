// runemill-cli inspect on files of convert: summaries, refusals and the sheet. (Glyph art is
// compared with the reader's own on a Cortex-M3 by reader/mcu/firmware_test.sh.)
#include <QtGui>
#include <QtTest>

#include "cli_runner.h"

class TestCliInspect : public QObject, private CliFixture {
    Q_OBJECT

    QByteArray Read(const QString& name) const { return ReadAll(Path(name)); }

  private slots:
    void initTestCase() {
        QVERIFY(WriteAll(Path("text.txt"), QStringLiteral("AB汉A").toUtf8()));
        const QString small = " --width 8 --height 10 --point-size 7 --y0 0";
        // A header kind appends to its file.
        for (const QString& line : QStringList{
                 "gb.bin gb2312 --from B0A1 --to B0FE" + small,
                 "gbz.bin gb2312 --from B0A1 --to B0FE --compress" + small,
                 "gbk.bin gbk --from 8140 --to 81FE --width 12 --height 10 --format 4bits "
                 "--point-size 9 --y0 0",
                 "ascii.bin ascii --width 8 --height 6 --format aRGB4444",
                 "string.bin string --text @text.txt" + small,
                 "headers.bin chip --from B0A1 --to B0FE --width 8 --height 12 --format 4bits "
                 "--bold --underline --point-size 9 --x0 2 --y0 -3",
                 "headers.bin ttf --width 16 --height 12 --italic",
                 "wide.bin ascii --width 256 --height 8"}) {
            const CliOutcome run = Run("convert --quiet -o @" + line);  // the file, the options
            QVERIFY2(run.status == 0, run.err.constData());
        }
        const QByteArray gb = Read("gb.bin");  // 1994 bytes; broken copies of it:
        QVERIFY(WriteAll(Path("magic.bin"), 'X' + gb.mid(1)));
        QVERIFY(WriteAll(Path("short.bin"), gb.left(1993)));
        // By hand: an 8bits string font of "A" in 32 x 8 whose pixel i is gray i, every level once.
        QByteArray gray = QByteArray::fromHex("5353200801 00554e03 4100 20");
        for (int i = 0; i < 256; ++i) gray += char(i);
        QVERIFY(WriteAll(Path("gray.bin"), gray));
        QFile huge(Path("huge.bin"));  // sparse: 2 GiB of zeros cost no disk
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(qint64(1) << 31));
    }

    void inspect_data() {
        // Tag: the file and options; lines: stdout, then "!" and stderr, '|' between; "@": folder.
        QTest::addColumn<QString>("lines");
        // Lengths by hand: 104 + 95 * glyph + stored glyphs. (The README shows a gb2312 file's.)
        QTest::newRow("gbk.bin")
            << "kind: gbk library|cell: 12 x 10|format: 4bits|codes: 8140..81FE|"
               "glyphs: 285 (95 ASCII + 190)|length: 17204 bytes, right for its header";
        QTest::newRow("ascii.bin")
            << "kind: ascii font|cell: 8 x 6|format: aRGB4444|glyphs: 95 (ASCII)|"
               "length: 9224 bytes, right for its header";
        // "AB汉A": three distinct codes; 9 + 3 * (2 + 1 + 10)
        QTest::newRow("string.bin") << "kind: string font|cell: 8 x 10|format: 1bits|glyphs: 3|"
                                       "length: 48 bytes, right for its header";
        QTest::newRow("headers.bin")
            << "header 1 at byte 0:|  kind: chip header|  cell: 8 x 12|  format: 4bits|  codes: "
               "B0A1..B0FE|  glyphs: none, a header holds no glyphs|  flags: 0x86 (underline, "
               "bold)|  point size: 9|  x0, y0: 2, -3|  text: ZQ7MRPE4KHC|  family: 宋体|"
               "header 2 at byte 108:|  kind: ttf header|  cell: 16 x 12|  format: 1bits|  codes: "
               "A1A0..F7FE|  glyphs: none, a header holds no glyphs|  flags: 0x81 (italic)|  point "
               "size: 20|  x0, y0: 0, -7|  text: KV7104 TTF Font|  family: 宋体|"
               "length: 216 bytes, right for 2 headers of 108 bytes";
        QTest::newRow("magic.bin")
            << "!runemill-cli: file: @magic.bin: RMF_BAD_MAGIC, its first bytes are no known magic";
        QTest::newRow("short.bin")
            << "length: 1993 bytes, wrong for its header (RMF_BAD_LENGTH)|!runemill-cli: file: "
               "@short.bin: RMF_BAD_LENGTH, its length does not match its header";
        QTest::newRow("gb.bin --width 300")
            << "!runemill-cli: --width/--height: the cell size given does not agree with the one "
               "stored in @gb.bin (RMF_BAD_ARGUMENT)";
        QTest::newRow("wide.bin")
            << "!runemill-cli: file: @wide.bin: RMF_BAD_FORMAT, its pixel format or cell size is "
               "invalid (its length fits a cell of 256 x 8: give --width 256 --height 8)";
        QTest::newRow("huge.bin") << "!runemill-cli: file: @huge.bin is 2147483648 bytes, too "
                                     "large for a font file (under 2 GB)";
        // ' ' background, '.' gray 1..95, ':' 96..191, '#' 192..255; rows of 32 levels.
        const QString art = ' ' + QString(95, '.') + QString(96, ':') + QString(64, '#');
        QString lines = "glyph 0041: 32 x 8, 8bits, width byte 32|+" + QString(32, '-') + '+';
        for (int y = 0; y < 8; ++y) lines += "||" + art.mid(32 * y, 32) + '|';
        QTest::newRow("gray.bin --glyph 41") << lines + "|+" + QString(32, '-') + '+';
        QTest::newRow("gb.bin --glyph B1A1")
            << "!runemill-cli: --glyph: B1A1: not found (RMF_NOT_FOUND)";
        // 16 cells to a row, fewer when there are fewer glyphs; each 8 x 10 cell and a 1-pixel gap.
        QTest::newRow("gb.bin --png @1.png --from B0A1 --to B0A1")
            << "@1.png: 1 glyphs, 1 columns x 1 rows of 8 x 10 cells, 10 x 12 pixels";
        QTest::newRow("gb.bin --png @16.png --from B0A1 --to B0B0")
            << "@16.png: 16 glyphs, 16 columns x 1 rows of 8 x 10 cells, 145 x 12 pixels";
        QTest::newRow("gb.bin --png @17.png --from B0A1 --to B0B1")
            << "@17.png: 17 glyphs, 16 columns x 2 rows of 8 x 10 cells, 145 x 23 pixels";
    }

    void inspect() {
        QFETCH(QString, lines);
        const CliOutcome run = Run(QString("inspect @") + QTest::currentDataTag());
        QString printed = run.out + (run.err.isEmpty() ? QByteArray() : '!' + run.err);
        QCOMPARE(printed.trimmed().replace('\n', '|').replace(dir.path() + '/', "@"), lines);
        QCOMPARE(run.status, lines.contains('!') ? 1 : 0);
    }

    // The compressed file shows the plain file's summary, glyphs and sheet; its own length and
    // the ratio to the plain one replace the length line.
    void compressedAsPlain() {
        QList<QStringList> printed;
        for (const QString name : {"gb", "gbz"}) {
            const CliOutcome summary = Run("inspect @" + name + ".bin");
            const CliOutcome glyphs =
                Run(QString("inspect @%1.bin --glyph B0A1 --png @%1.png").arg(name));
            QCOMPARE(summary.status + glyphs.status, 0);
            printed << QString(summary.out + glyphs.out).replace(name + ".", "x.").split('\n');
        }
        const qint64 size = Read("gbz.bin").size();
        QCOMPARE(printed[0].takeAt(5), "length: 1994 bytes, right for its header");
        QCOMPARE(printed[1].takeAt(5), QString("length: %1 bytes, right for its index").arg(size));
        QCOMPARE(printed[1].takeAt(5), QString("compressed: ratio %1, the plain file is 1994 bytes")
                                           .arg(1994.0 / double(size), 0, 'f', 2));
        QCOMPARE(printed[1], printed[0]);
        QCOMPARE(Read("gbz.png"), Read("gb.png"));
    }

    void sheet() {
        // 189 glyphs, 16 to a row: 16 * (8 + 1) + 1 by 12 * (10 + 1) + 1 pixels.
        // A sheet that cannot be written, or would overwrite the font, is a failure.
        const QByteArray font = Read("gb.bin");
        QCOMPARE(Run("inspect @gb.bin --png /dev/full").err,
                 "runemill-cli: --png: cannot write /dev/full: No space left on device\n");
        QCOMPARE(Run("inspect @gb.bin --png @gb.bin").status, 1);
        QCOMPARE(Read("gb.bin"), font);
        QCOMPARE(Run("inspect @gb.bin --png @gb.png").status, 0);
        const QImage image(Path("gb.png"));
        QCOMPARE(image.size(), QSize(145, 133));
        // B0A1: cell 95 (row 5, column 15) at 1 + 15 * 9, 1 + 5 * 11; packed at 104 + 95 * 10.
        const QByteArray glyph = Read("gb.bin").mid(1054, 10);
        QVERIFY(glyph.count('\0') < 10);  // it has ink
        for (int i = 0; i < 80; ++i)      // white ink on black
            QCOMPARE(image.pixel(136 + i % 8, 56 + i / 8),
                     (uchar(glyph.at(i / 8)) >> (7 - i % 8)) & 1 ? 0xFFFFFFFFu : 0xFF000000u);
    }
};

QTEST_MAIN(TestCliInspect)
#include "test_cli_inspect.moc"
