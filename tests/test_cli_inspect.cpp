// runemill-cli inspect on files written by runemill-cli convert: the summary of
// every kind, glyph art against the packed bytes, refusals of broken files with
// the reader's status, and the contact sheet's size and cells.
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Outcome {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

Outcome Run(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(RUNEMILL_CLI_PATH), arguments);
    Outcome outcome;
    if (!process.waitForFinished(120000)) return outcome;
    outcome.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    outcome.out = process.readAllStandardOutput();
    outcome.err = process.readAllStandardError();
    return outcome;
}

QStringList Lines(const QByteArray& out) {
    return QString::fromUtf8(out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// The art character of a gray level, as the help describes it.
char ArtChar(int gray) { return gray == 0 ? ' ' : gray < 96 ? '.' : gray < 192 ? ':' : '#'; }

}  // namespace

class TestCliInspect : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir;

    QString Path(const QString& name) const { return dir.filePath(name); }

    QByteArray ReadAll(const QString& name) const {
        QFile file(Path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void WriteAll(const QString& name, const QByteArray& bytes) const {
        QFile file(Path(name));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(bytes), qint64(bytes.size()));
    }

    void Convert(const QString& name, const QStringList& options) const {
        const Outcome run =
            Run(QStringList{"convert"} << options << "-o" << Path(name) << "--quiet");
        QVERIFY2(run.status == 0, run.err.constData());
    }

  private slots:
    void initTestCase();
    void summary_data();
    void summary();
    void glyphArt_data();
    void glyphArt();
    void refused_data();
    void refused();
    void sheet_data();
    void sheet();
    void help();
};

void TestCliInspect::initTestCase() {
    QVERIFY(dir.isValid());
    const QStringList small{"--point-size", "7", "--y0", "0"};
    Convert("gb.bin",
            QStringList{"gb2312", "--from", "B0A1", "--to", "B0FE", "--width", "8", "--height", "8"}
                << small);
    Convert("big5.bin", QStringList{"big5", "--from", "A440", "--to", "A4FF", "--width", "8",
                                    "--height", "8", "--format", "2bits"}
                            << small);
    // 9 points: 丂 of 12 x 12 has 4-bit levels 2, 3, 6, 7 and 13 (every art character).
    Convert("gbk.bin", {"gbk", "--from", "8140", "--to", "81FE", "--width", "12", "--height", "12",
                        "--format", "4bits", "--point-size", "9", "--y0", "0"});
    // 9 points: 丁's bar is full ink, its stem gray.
    Convert("uni.bin", {"unicode", "--from", "4E00", "--to", "4E0F", "--width", "8", "--height",
                        "8", "--format", "8bits", "--point-size", "9", "--y0", "0"});
    Convert("ascii.bin", {"ascii", "--width", "8", "--height", "8", "--format", "aRGB4444"});
    WriteAll("text.txt", QStringLiteral("AB汉A").toUtf8());
    Convert("string.bin",
            QStringList{"string", "--text", Path("text.txt"), "--width", "8", "--height", "8"}
                << small);
    Convert("headers.bin",
            {"chip", "--from", "B0A1", "--to", "B0FE", "--width", "8", "--height", "8", "--format",
             "4bits", "--bold", "--underline", "--point-size", "9", "--x0", "2", "--y0", "-3"});
    Convert("headers.bin", {"ttf", "--width", "12", "--height", "12", "--italic"});
    QCOMPARE(ReadAll("headers.bin").size(), 216);
    Convert("wide.bin", {"ascii", "--width", "264", "--height", "8"});
}

void TestCliInspect::summary_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("lines");  // joined by '|'
    const QStringList none;
    // Lengths by hand: 104 + 95 * glyph + stored glyphs (Unicode: + 1 width byte each).
    QTest::newRow("gb2312")
        << "gb.bin" << none
        << "kind: gb2312 library|cell: 8 x 8|format: 1bits|codes: B0A1..B0FE|"
           "glyphs: 189 (95 ASCII + 94)|length: 1616 bytes, right for its header";
    QTest::newRow("big5")
        << "big5.bin" << none
        << "kind: big5 library|cell: 8 x 8|format: 2bits|codes: A440..A4FF|"
           "glyphs: 255 (95 ASCII + 160)|length: 4184 bytes, right for its header";
    QTest::newRow("gbk")
        << "gbk.bin" << none
        << "kind: gbk library|cell: 12 x 12|format: 4bits|codes: 8140..81FE|"
           "glyphs: 285 (95 ASCII + 190)|length: 20624 bytes, right for its header";
    QTest::newRow("unicode") << "uni.bin" << none
                             << "kind: unicode library|cell: 8 x 8|format: 8bits|codes: 4E00..4E0F|"
                                "glyphs: 111 (95 ASCII + 16)|length: 7224 bytes, right for its "
                                "header";
    QTest::newRow("ascii") << "ascii.bin" << none
                           << "kind: ascii font|cell: 8 x 8|format: aRGB4444|glyphs: 95 (ASCII)|"
                              "length: 12264 bytes, right for its header";
    // W = 264 is stored as 8: 104 + 95 * 33 * 8 only with the true width.
    QTest::newRow("ascii 264 wide") << "wide.bin" << QStringList{"--width", "264"}
                                    << "kind: ascii font|cell: 264 x 8|format: 1bits|glyphs: 95 "
                                       "(ASCII)|length: 25184 bytes, right for its header";
    // "AB汉A": three distinct codes; 9 + 3 * (2 + 1 + 8)
    QTest::newRow("string") << "string.bin" << none
                            << "kind: string font|cell: 8 x 8|format: 1bits|glyphs: 3|"
                               "length: 42 bytes, right for its header";
    QTest::newRow("chip + ttf headers")
        << "headers.bin" << none
        << "header 1 at byte 0:|  kind: chip header|  cell: 8 x 8|  format: 4bits|"
           "  codes: B0A1..B0FE|  glyphs: none, a header holds no glyphs|"
           "  flags: 0x86 (underline, bold)|  point size: 9|  x0, y0: 2, -3|"
           "  text: ZQ7MRPE4KHC|  family: 宋体|"
           "header 2 at byte 108:|  kind: ttf header|  cell: 12 x 12|  format: 1bits|"
           "  codes: A1A0..F7FE|  glyphs: none, a header holds no glyphs|"
           "  flags: 0x81 (italic)|  point size: 20|  x0, y0: 0, -7|"
           "  text: KV7104 TTF Font|  family: 宋体|"
           "length: 216 bytes, right for 2 headers of 108 bytes";
}

void TestCliInspect::summary() {
    QFETCH(QString, file);
    QFETCH(QStringList, options);
    QFETCH(QString, lines);
    const Outcome run = Run(QStringList{"inspect", Path(file)} << options);
    QCOMPARE(QString::fromUtf8(run.err), QString());
    QCOMPARE(run.status, 0);
    QCOMPARE(Lines(run.out).join('|'), lines);
}

void TestCliInspect::glyphArt_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("cell");    // W = H
    QTest::addColumn<int>("bits");    // per pixel
    QTest::addColumn<int>("offset");  // of the packed glyph; -1: all blank
    QTest::addColumn<QString>("title");
    // Row B0, cell A1 is slot 0 after the ASCII block: 104 + 95 * 8.
    QTest::newRow("gb2312 B0A1") << "gb.bin"
                                 << "B0A1" << 8 << 1 << 864 << "glyph B0A1: 8 x 8, 1bits";
    // The space is W / 3 wide and never inked.
    QTest::newRow("gb2312 space") << "gb.bin"
                                  << "20" << 8 << 1 << -1
                                  << "glyph 0020: 8 x 8, 1bits, width byte 2";
    // 8140 is slot 0 after the ASCII block: 104 + 95 * 72.
    QTest::newRow("gbk 8140") << "gbk.bin"
                              << "8140" << 12 << 4 << 6944 << "glyph 8140: 12 x 12, 4bits";
    // Record of 4E01: 104 + 95 * 64 + 1 * 65 holds its width byte, then the glyph.
    QTest::newRow("unicode 4E01") << "uni.bin"
                                  << "0x4e01" << 8 << 8 << 6250 << "";
    // 汉 is the third record: 9 + 3 * 2 + 2 * 9, then its width byte.
    QTest::newRow("string 6C49") << "string.bin"
                                 << "6C49" << 8 << 1 << 34 << "";
}

void TestCliInspect::glyphArt() {
    QFETCH(QString, file);
    QFETCH(QString, code);
    QFETCH(int, cell);
    QFETCH(int, bits);
    QFETCH(int, offset);
    QFETCH(QString, title);
    const Outcome run = Run({"inspect", Path(file), "--glyph", code});
    QCOMPARE(run.status, 0);
    const QStringList lines = Lines(run.out);
    QCOMPARE(lines.size(), cell + 3);
    const QString edge = '+' + QString(cell, '-') + '+';
    QCOMPARE(lines.at(1), edge);
    QCOMPARE(lines.at(cell + 2), edge);
    const QByteArray bytes = ReadAll(file);
    const int rowBytes = (cell * bits + 7) / 8;
    const int top = (1 << bits) - 1;
    QString ink;
    for (int y = 0; y < cell; ++y) {
        QString expected;
        for (int x = 0; x < cell; ++x) {
            int value = 0;
            if (offset >= 0) {
                const uchar byte = uchar(bytes.at(offset + y * rowBytes + x * bits / 8));
                value = (byte >> (8 - bits - x * bits % 8)) & top;
            }
            expected += QLatin1Char(ArtChar(value * 255 / top));
        }
        QCOMPARE(lines.at(2 + y), '|' + expected + '|');
        ink += expected;
    }
    if (!title.isEmpty()) {
        QCOMPARE(lines.at(0), title);
    } else {  // the width byte is the one before the glyph
        QCOMPARE(lines.at(0).section(QStringLiteral(", "), -1),
                 QStringLiteral("width byte %1").arg(uchar(bytes.at(offset - 1))));
    }
    if (offset >= 0) QVERIFY2(ink.contains(QLatin1Char('#')), "a CJK glyph with no ink");
}

void TestCliInspect::refused_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("error");  // stderr after "runemill-cli: "
    QTest::addColumn<QString>("out");
    const QByteArray gb = ReadAll("gb.bin");
    const QByteArray headers = ReadAll("headers.bin");
    const QStringList none;
    const QString length =
        "FILE: RMF_BAD_LENGTH, its length does not match its header (a cell "
        "of 256 pixels or more needs --width/--height)";
    QByteArray magic = gb;
    magic[0] = 'X';
    QTest::newRow("one byte") << gb.left(1) << none << 1
                              << "FILE: RMF_TRUNCATED, the file ends inside its header"
                              << "";
    QTest::newRow("wrong magic") << magic << none << 1
                                 << "FILE: RMF_BAD_MAGIC, its first bytes are no known magic"
                                 << "";
    QTest::newRow("one byte short")
        << gb.left(1615) << none << 1 << length
        << "length: 1615 bytes, wrong for its header (RMF_BAD_LENGTH)\n";
    QTest::newRow("one byte long") << gb + 'x' << none << 1 << length
                                   << "length: 1617 bytes, wrong for its header (RMF_BAD_LENGTH)\n";
    QTest::newRow("headers and a stray end")
        << headers + "ZQ123" << none << 1
        << "FILE: header 3 at byte 216: RMF_TRUNCATED, the file ends inside its header"
        << "";
    QTest::newRow("glyph outside the rows")
        << gb << QStringList{"--glyph", "B1A1"} << 1 << "--glyph: B1A1: not found (RMF_NOT_FOUND)"
        << "";
    QTest::newRow("width against the header")
        << gb << QStringList{"--width", "300"} << 1
        << "--width/--height: the cell size given does not agree with the one stored in FILE "
           "(RMF_BAD_ARGUMENT)"
        << "";
    QTest::newRow("from without png")
        << gb << QStringList{"--from", "B0A1"} << 1 << "--from: only with --png"
        << "";
    QTest::newRow("png of a header")
        << headers << QStringList{"--png", "x.png"} << 1 << "--png: a header holds no glyphs"
        << "";
    QTest::newRow("png unwritable") << gb << QStringList{"--png", "no/such/dir/x.png"} << 2
                                    << "--png: cannot write no/such/dir/x.png"
                                    << "";
}

void TestCliInspect::refused() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, options);
    QFETCH(int, status);
    QFETCH(QString, error);
    QFETCH(QString, out);
    const QString tag = QString::fromLatin1(QTest::currentDataTag()).replace(' ', '_');
    WriteAll(tag + ".bin", bytes);
    const QString file = Path(tag + ".bin");
    const Outcome run = Run(QStringList{"inspect", file} << options);
    QCOMPARE(run.status, status);
    QString expected = error;
    expected.replace(QStringLiteral("FILE: "), QStringLiteral("file: ") + file + ": ");
    expected.replace(QStringLiteral("in FILE "), QStringLiteral("in ") + file + ' ');
    QCOMPARE(QString::fromUtf8(run.err), QStringLiteral("runemill-cli: ") + expected + '\n');
    QCOMPARE(QString::fromUtf8(run.out), out);
    QVERIFY(!QFile::exists(QStringLiteral("x.png")));
}

void TestCliInspect::sheet_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("range");
    QTest::addColumn<QSize>("size");  // 16 columns of (W + 1) + 1, rows of (H + 1) + 1
    QTest::addColumn<int>("cell");    // index of a sampled cell
    QTest::addColumn<int>("offset");  // its packed 1bits glyph; -1: a blank glyph
    // 189 glyphs: 12 rows; B0A1 is cell 95, packed at 104 + 95 * 8.
    QTest::newRow("gb2312") << "gb.bin" << QStringList() << QSize(145, 109) << 95 << 864;
    // B0A1..B0A5: five glyphs in one short row.
    QTest::newRow("gb2312 range") << "gb.bin" << QStringList{"--from", "B0A1", "--to", "b0a5"}
                                  << QSize(46, 10) << 0 << 864;
    // 285 glyphs of 12 x 12: 18 rows; the space comes first.
    QTest::newRow("gbk 12x12") << "gbk.bin" << QStringList() << QSize(209, 235) << 0 << -1;
    // The table's order: A, B, then 汉 at 9 + 3 * 2 + 2 * 9 + 1.
    QTest::newRow("string") << "string.bin" << QStringList() << QSize(28, 10) << 2 << 34;
}

void TestCliInspect::sheet() {
    QFETCH(QString, file);
    QFETCH(QStringList, range);
    QFETCH(QSize, size);
    QFETCH(int, cell);
    QFETCH(int, offset);
    const QString png = Path(QString::fromLatin1(QTest::currentDataTag()).replace(' ', '_') +
                             QStringLiteral(".png"));
    const Outcome run = Run(QStringList{"inspect", Path(file), "--png", png} << range);
    QCOMPARE(QString::fromUtf8(run.err), QString());
    QCOMPARE(run.status, 0);
    const QImage image(png);
    QCOMPARE(image.size(), size);
    const int w = file == QLatin1String("gbk.bin") ? 12 : 8;
    const int left = 1 + (cell % 16) * (w + 1);
    const int top = 1 + (cell / 16) * (w + 1);
    const QByteArray bytes = ReadAll(file);
    int ink = 0;
    for (int y = 0; y < w; ++y) {
        for (int x = 0; x < w; ++x) {
            const bool bit = offset >= 0 && ((uchar(bytes.at(offset + y)) >> (7 - x)) & 1);
            QCOMPARE(image.pixel(left + x, top + y), bit ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
            ink += bit;
        }
    }
    QCOMPARE(ink > 0, offset >= 0);
    // The gap around the cells is no gray level.
    const QRgb gap = image.pixel(left - 1, top);
    QVERIFY(qRed(gap) != qBlue(gap));
    QCOMPARE(image.pixel(left + w, top + w), gap);
}

void TestCliInspect::help() {
    const QString text = QString::fromUtf8(Run({"inspect", "--help"}).out);
    QVERIFY(text.startsWith(QStringLiteral("Usage: runemill-cli inspect FILE [options]")));
    for (const char* option : {"--width", "--height", "--glyph", "--png", "--from", "--to"})
        QVERIFY2(text.contains(QLatin1String(option)), option);
    QVERIFY(QString::fromUtf8(Run({"--help"}).out).contains(QStringLiteral("inspect FILE")));
    QCOMPARE(Run({"inspect"}).status, 1);
}

QTEST_MAIN(TestCliInspect)
#include "test_cli_inspect.moc"
