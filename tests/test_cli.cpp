// runemill-cli against the window: the same settings give the same file, byte
// for byte, for every kind; the log lines reach stdout; bad input and I/O
// failures get their exit status and one line on stderr.
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

#include "app/main_window.h"
#include "modal_answerer.h"

// The window keeps its font private; the font dialog is the only way in.
class MainWindowTestAccess {
  public:
    static void SetFont(MainWindow& window, const QFont& font) { window.currentFont = font; }
};

namespace {

const char kFontFile[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// One run, described once and given to both the window and the command line.
struct RunSettings {
    QString kind;  // gb2312, big5, gbk, unicode, ascii, string, chip, ttf
    QString from;
    QString to;
    int width = 32;
    int height = 32;
    int format = 0;
    int limit = 50;
    bool bold = false;
    bool italic = false;
    int yBar = 26;  // the window's bars: y0 = value - 33, x0 = value - 25
    int xBar = 25;
    int divisor = 3;
    int rotation = 0;
    bool reverseX = false;
    bool reverseY = false;
    QString text;  // string kind: the text file's content
    bool fontFile = false;
    bool underline = false;
    int pointSize = 20;
    bool defaults = false;  // pass only the kind, the range and -o: the defaults must agree
};

struct Outcome {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

}  // namespace

Q_DECLARE_METATYPE(RunSettings)

class TestCli : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir;

    QString Path(const QString& name) const { return dir.filePath(name); }

    static QByteArray ReadAll(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static void WriteAll(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(bytes), qint64(bytes.size()));
    }

    // Runs the program without a display and without a platform named.
    static Outcome Run(const QStringList& arguments) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(QLatin1String(name));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(RUNEMILL_CLI_PATH), arguments);
        Outcome outcome;
        if (!process.waitForFinished(120000)) return outcome;
        outcome.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
        outcome.out = process.readAllStandardOutput();
        outcome.err = process.readAllStandardError();
        return outcome;
    }

    static QStringList Arguments(const RunSettings& s, const QString& output,
                                 const QString& textFile) {
        QStringList a{QStringLiteral("convert"), s.kind, QStringLiteral("-o"), output};
        const char* const formats[] = {"1bits", "2bits", "4bits", "8bits", "aRGB4444"};
        const char* const rotations[] = {"0", "r90", "l90"};
        if (!s.from.isEmpty()) a << QStringLiteral("--from") << s.from;
        if (!s.to.isEmpty()) a << QStringLiteral("--to") << s.to;
        if (!textFile.isEmpty()) a << QStringLiteral("--text") << textFile;
        if (s.defaults) return a;
        a << QStringLiteral("--width") << QString::number(s.width) << QStringLiteral("--height")
          << QString::number(s.height) << QStringLiteral("--format")
          << QLatin1String(formats[s.format]) << QStringLiteral("--limit")
          << QString::number(s.limit) << QStringLiteral("--space") << QString::number(s.divisor)
          << QStringLiteral("--x0") << QString::number(s.xBar - 25) << QStringLiteral("--y0")
          << QString::number(s.yBar - 33) << QStringLiteral("--rotate")
          << QLatin1String(rotations[s.rotation]) << QStringLiteral("--point-size")
          << QString::number(s.pointSize) << QStringLiteral("--quiet");
        if (s.bold) a << QStringLiteral("--bold");
        if (s.italic) a << QStringLiteral("--italic");
        if (s.underline) a << QStringLiteral("--underline");
        if (s.reverseX) a << QStringLiteral("--reverse-x");
        if (s.reverseY) a << QStringLiteral("--reverse-y");
        if (s.fontFile) a << QStringLiteral("--font-file") << QLatin1String(kFontFile);
        return a;
    }

    // Drives the real window; returns its last message and its log lines.
    static QString RunWindow(const RunSettings& s, const QString& output, const QString& textFile,
                             QStringList* log) {
        MainWindow window;
        auto find = [&window](const char* name) { return window.findChild<QWidget*>(name); };
        auto field = [&](const char* name) { return qobject_cast<QLineEdit*>(find(name)); };
        auto combo = [&](const char* name) { return qobject_cast<QComboBox*>(find(name)); };
        auto box = [&](const char* name) { return qobject_cast<QCheckBox*>(find(name)); };
        auto bar = [&](const char* name) { return qobject_cast<QScrollBar*>(find(name)); };

        const QStringList encodings{"gb2312", "big5", "gbk", "unicode"};
        if (encodings.contains(s.kind))
            combo("comboBox_FCode")->setCurrentIndex(encodings.indexOf(s.kind));
        if (!s.from.isEmpty()) field("lineEdit_SCode")->setText(s.from);
        if (!s.to.isEmpty()) field("lineEdit_ECode")->setText(s.to);
        field("lineEdit_W")->setText(QString::number(s.width));
        field("lineEdit_H")->setText(QString::number(s.height));
        field("lineEdit_Limit")->setText(QString::number(s.limit));
        combo("comboBox_PixFormat")->setCurrentIndex(s.format);
        combo("comboBox_Space")->setCurrentIndex(s.divisor - 2);
        combo("comboBox_Rotation")->setCurrentIndex(s.rotation);
        box("checkBox_SetBold")->setChecked(s.bold);
        box("checkBox_SetItalic")->setChecked(s.italic);
        box("checkBox_revX")->setChecked(s.reverseX);
        box("checkBox_revY")->setChecked(s.reverseY);
        bar("verticalScrollBar")->setValue(s.yBar);
        bar("horizontalScrollBar")->setValue(s.xBar);
        if (s.fontFile || s.underline || s.pointSize != 20) {
            QString family = QStringLiteral("宋体");
            if (s.fontFile) {
                const int id = QFontDatabase::addApplicationFont(QLatin1String(kFontFile));
                family = QFontDatabase::applicationFontFamilies(id).value(0);
            }
            QFont font(family, s.pointSize, QFont::Normal, false);
            font.setUnderline(s.underline);
            MainWindowTestAccess::SetFont(window, font);
        }

        ModalAnswerer answerer;
        if (!textFile.isEmpty()) answerer.QueueFile(textFile);
        answerer.QueueFile(output);
        const char* button = "pushButton_MakeFont";
        if (s.kind == "ascii") button = "pushButton_Ascii";
        if (s.kind == "string") button = "pushButton_String";
        if (s.kind == "chip") button = "pushButton";
        if (s.kind == "ttf") button = "pushButton_2";
        qobject_cast<QPushButton*>(find(button))->click();

        const QString plain = window.findChild<QTextEdit*>("textEdit")->toPlainText();
        *log = plain.split(QRegularExpression(QStringLiteral("[\r\n]+")), Qt::SkipEmptyParts);
        return answerer.messages().value(answerer.messages().size() - 1);
    }

    static void CompareBytes(const QByteArray& actual, const QByteArray& expected) {
        const int common = qMin(actual.size(), expected.size());
        for (int i = 0; i < common; ++i) {
            if (actual.at(i) != expected.at(i)) {
                QFAIL(qPrintable(QStringLiteral("first difference at offset %1: %2 against %3")
                                     .arg(i)
                                     .arg(uchar(actual.at(i)))
                                     .arg(uchar(expected.at(i)))));
            }
        }
        QCOMPARE(actual.size(), expected.size());
    }

    static QStringList Lines(const QByteArray& out) {
        return QString::fromUtf8(out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

  private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        WriteAll(Path("empty.txt"), "\n  \n");
    }

    void sameBytesAsWindow_data();
    void sameBytesAsWindow();
    void jobsGiveSameBytes_data();
    void jobsGiveSameBytes();
    void gbkWidthList();
    void badInput_data();
    void badInput();
    void headersAppend();
    void helpNamesEveryOption();
};

void TestCli::sameBytesAsWindow_data() {
    QTest::addColumn<RunSettings>("settings");
    QTest::addColumn<int>("length");         // worked out from the layout by hand
    QTest::addColumn<QByteArray>("header");  // the first bytes
    QTest::addColumn<QString>("message");    // the window's closing message

    RunSettings s;
    s.kind = "gb2312", s.from = "A1A0", s.to = "A3FE", s.width = 16, s.height = 16, s.format = 1;
    s.bold = true, s.yBar = 30, s.divisor = 2;
    // 104 + 95 * 64 + 3 rows * 94 * 64
    QTest::newRow("gb2312 2bits bold y0=-3")
        << s << 24232 << QByteArray("GB\x10\x10\xA0\xA1\xFE\xA3\x01", 9) << "GB2312 Font Lib ok";

    s = RunSettings();
    s.kind = "big5", s.from = "A140", s.to = "A2FF", s.width = 16, s.height = 16, s.format = 2;
    s.italic = true, s.xBar = 28;
    // 104 + 95 * 128 + 2 rows * 160 * 128
    QTest::newRow("big5 4bits italic x0=3")
        << s << 53224 << QByteArray("BG\x10\x10\x40\xA1\xFF\xA2\x02", 9) << "BIG5 Font Lib ok";

    s = RunSettings();
    s.kind = "gbk", s.from = "A2A0", s.to = "A3FE", s.width = 16, s.height = 16, s.limit = 100;
    s.divisor = 4;
    // 104 + 95 * 32 + 2 rows * 190 * 32; the space is 16 / 4 wide
    QTest::newRow("gbk 1bits limit 100")
        << s << 15304 << QByteArray("GK\x10\x10\xA0\xA2\xFE\xA3\x00\x04", 10) << "GBK Font Lib ok";

    s = RunSettings();
    s.kind = "unicode", s.from = "0041", s.to = "00FF", s.width = 16, s.height = 16, s.format = 3;
    s.yBar = 20;
    // 104 + 95 * 256 + 191 records * 257
    QTest::newRow("unicode 8bits y0=-13")
        << s << 73511 << QByteArray("un\x10\x10\x41\x00\xFF\x00\x03", 9) << "UniCode Font Lib ok";

    s = RunSettings();
    s.kind = "ascii", s.width = 12, s.height = 16, s.format = 4, s.bold = true;
    // 104 + 95 * 384; the space is 12 / 3 wide
    QTest::newRow("ascii aRGB4444 12x16")
        << s << 36584 << QByteArray("AS\x0C\x10\xFF\xFF\xFF\xFF\x04\x04", 10)
        << "UniCode Font Lib ok";

    s = RunSettings();
    s.kind = "string", s.width = 16, s.height = 16, s.format = 1, s.yBar = 31;
    s.text = QStringLiteral("Hello 汉字  hello\n  again!\n");
    // "Hello 汉字 hello" + "again!": 13 distinct units; 9 + 13 * (2 + 1 + 64)
    QTest::newRow("string 2bits") << s << 880 << QByteArray("SS\x10\x10\x0D\x00UN\x01", 9)
                                  << "String Font bin ok";

    s = RunSettings();
    s.kind = "gb2312", s.from = "B0A1", s.to = "B0FE", s.width = 16, s.height = 12;
    s.rotation = 1, s.reverseX = true;
    // 104 + 95 * 24 + 94 * 24
    QTest::newRow("gb2312 16x12 r90 mirrored")
        << s << 4640 << QByteArray("GB\x10\x0C\xA1\xB0\xFE\xB0\x00", 9) << "GB2312 Font Lib ok";

    s = RunSettings();
    s.kind = "unicode", s.from = "0041", s.to = "005A", s.width = 20, s.height = 20, s.format = 2;
    s.fontFile = true, s.underline = true, s.pointSize = 14, s.reverseY = true;
    // 104 + 95 * 200 + 26 * 201
    QTest::newRow("unicode font file underlined")
        << s << 24330 << QByteArray("un\x14\x14\x41\x00\x5A\x00\x02", 9) << "UniCode Font Lib ok";

    s = RunSettings();
    s.kind = "chip", s.from = "B0A1", s.to = "C0FE", s.width = 16, s.height = 24, s.format = 2;
    s.bold = true, s.yBar = 30, s.xBar = 20;
    QTest::newRow("chip") << s << 108 << QByteArray("ZQ\x10\x18\xA1\xB0\xFE\xC0\x02", 9)
                          << "Font bin ok";

    s = RunSettings();
    s.kind = "unicode", s.from = "0041", s.to = "007A", s.defaults = true;
    // 104 + 95 * 128 + 58 * 129
    QTest::newRow("unicode at start-up settings")
        << s << 19746 << QByteArray("un\x20\x20\x41\x00\x7A\x00\x00\x0A", 10)
        << "UniCode Font Lib ok";

    s = RunSettings();
    s.kind = "chip", s.defaults = true;
    QTest::newRow("chip at start-up settings")
        << s << 108 << QByteArray("ZQ\x20\x20\xA0\xA1\xFE\xF7\x00", 9) << "Font bin ok";

    s = RunSettings();
    s.kind = "ttf", s.italic = true, s.underline = true, s.pointSize = 16;
    QTest::newRow("ttf") << s << 108 << QByteArray("TF\x20\x20\xA0\xA1\xFE\xF7\x00", 9)
                         << "Font bin ok";
}

void TestCli::sameBytesAsWindow() {
    QFETCH(RunSettings, settings);
    QFETCH(int, length);
    QFETCH(QByteArray, header);
    QFETCH(QString, message);
    if (settings.fontFile && !QFile::exists(QLatin1String(kFontFile)))
        QSKIP("DejaVu Sans is not installed");

    const QString tag = QString::fromLatin1(QTest::currentDataTag()).replace(' ', '_');
    QString textFile;
    if (!settings.text.isEmpty()) {
        textFile = Path(tag + ".txt");
        WriteAll(textFile, settings.text.toUtf8());
    }
    const QString windowFile = Path(tag + "-window.bin");
    const QString cliFile = Path(tag + "-cli.bin");
    QStringList windowLog;
    QCOMPARE(RunWindow(settings, windowFile, textFile, &windowLog), message);

    const Outcome run = Run(Arguments(settings, cliFile, textFile));
    QCOMPARE(QString::fromUtf8(run.err), QString());
    QCOMPARE(run.status, 0);
    const QByteArray cliBytes = ReadAll(cliFile);
    QCOMPARE(cliBytes.size(), length);
    QCOMPARE(cliBytes.left(header.size()), header);
    CompareBytes(cliBytes, ReadAll(windowFile));

    // stdout holds the window's closing log lines, and nothing else.
    const QStringList printed = Lines(run.out);
    QVERIFY(printed.size() <= windowLog.size());
    QCOMPARE(printed, windowLog.mid(windowLog.size() - printed.size()));
    const QStringList quiet{"ascii", "string"};
    QCOMPARE(printed.isEmpty(), quiet.contains(settings.kind));
}

void TestCli::jobsGiveSameBytes_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("length");
    // 104 + 95 * 32 + 6 rows * 190 * 32
    QTest::newRow("gbk 16x16") << QStringList{"gbk",     "--from", "8140",     "--to", "86FE",
                                              "--width", "16",     "--height", "16"}
                               << 39624;
    // 104 + 95 * 144 + 768 * 145
    QTest::newRow("unicode 24x24 2bits italic")
        << QStringList{"unicode", "--from",   "4E00", "--to",     "50FF",  "--width",
                       "24",      "--height", "24",   "--format", "2bits", "--italic"}
        << 125144;
}

void TestCli::jobsGiveSameBytes() {
    QFETCH(QStringList, arguments);
    QFETCH(int, length);
    QByteArray files[2];
    for (int jobs = 1; jobs <= 2; ++jobs) {
        const QString output = Path(QStringLiteral("jobs%1.bin").arg(jobs));
        const Outcome run = Run(QStringList{"convert"} + arguments +
                                QStringList{"-o", output, "--jobs", QString::number(jobs)});
        QCOMPARE(run.status, 0);
        files[jobs - 1] = ReadAll(output);
    }
    QCOMPARE(files[0].size(), length);
    CompareBytes(files[1], files[0]);
}

void TestCli::gbkWidthList() {
    // Row A3 cells A0..FE: "{0," and sixteen widths, four lines of sixteen,
    // then the fifteen cells F0..FE and the closing "};".
    const Outcome run = Run({"convert", "gbk", "--from", "A3A0", "--to", "A3FE", "--width", "16",
                             "--height", "16", "-o", Path("list.bin")});
    QCOMPARE(run.status, 0);
    const QStringList lines = Lines(run.out);
    QCOMPARE(lines.size(), 7);
    QVERIFY(lines.at(0).startsWith(QLatin1String("{0,")));
    const int counts[6] = {17, 16, 16, 16, 16, 15};
    for (int i = 0; i < 6; ++i) {
        QVERIFY2(lines.at(i).endsWith(QLatin1Char(',')), qPrintable(lines.at(i)));
        const QString values = i == 0 ? lines.at(i).mid(1) : lines.at(i);  // "{0," opens
        const QStringList numbers = values.split(',', Qt::SkipEmptyParts);
        QCOMPARE(numbers.size(), counts[i]);
        for (const QString& number : numbers) {
            bool ok = false;
            const int width = number.toInt(&ok);
            QVERIFY2(ok && width >= 0 && width <= 16, qPrintable(lines.at(i)));
        }
    }
    QCOMPARE(lines.at(6), QStringLiteral("};"));
    // A3C1 is the full-width "A": some ink, unlike the blank A3A0.
    QVERIFY(lines.at(2).split(',').at(1).toInt() > 1);
}

void TestCli::badInput_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("line");

    QTest::newRow("unknown kind") << QStringList{"convert", "gb18030", "-o", "@"} << 1
                                  << "runemill-cli: kind: unknown kind 'gb18030'; one of gb2312, "
                                     "big5, gbk, unicode, ascii, string, chip, ttf";
    QTest::newRow("unknown format")
        << QStringList{"convert", "gbk", "-o", "@", "--format", "3bits"} << 1
        << "runemill-cli: --format: unknown format '3bits'; one of 1bits, 2bits, 4bits, 8bits, "
           "aRGB4444";
    QTest::newRow("not a number") << QStringList{"convert", "gbk", "-o", "@", "--height", "1O"} << 1
                                  << "runemill-cli: --height: '1O' is not a whole number";
    QTest::newRow("W of 0") << QStringList{"convert", "ascii", "-o", "@", "--width", "0"} << 1
                            << "runemill-cli: --width: W and H must be at least 1.";
    QTest::newRow("2^31 bytes")
        << QStringList{"convert", "unicode",  "-o",   "@",        "--width",
                       "5000",    "--height", "5000", "--format", "8bits"}
        << 1
        << "runemill-cli: --width/--height: The file would be 2 GB or larger; choose a smaller "
           "cell, pixel format or code range.";
    QTest::newRow("start below GB2312")
        << QStringList{"convert", "gb2312", "-o", "@", "--from", "A100"} << 1
        << "runemill-cli: --from: Font Start Code is less 0xA1A0";
    QTest::newRow("end past BIG5") << QStringList{"convert", "big5", "-o", "@", "--to", "FA40"} << 1
                                   << "runemill-cli: --to: Font End Code is over 0xF9FF";
    QTest::newRow("start after end")
        << QStringList{"convert", "unicode", "-o", "@", "--from", "5000", "--to", "4FFF"} << 1
        << "runemill-cli: --to: Error for start code > end code. And stop.";
    QTest::newRow("short code") << QStringList{"convert", "chip", "-o", "@", "--to", "F7F"} << 1
                                << "runemill-cli: --to: End code number is less 4.";
    QTest::newRow("missing text file")
        << QStringList{"convert", "string", "-o", "@", "--text", "@missing.txt"} << 1
        << "runemill-cli: --text: no such file: @missing.txt";
    QTest::newRow("text without characters")
        << QStringList{"convert", "string", "-o", "@", "--text", "@empty.txt"} << 1
        << "runemill-cli: --text: @empty.txt holds no characters; nothing was written";
    QTest::newRow("missing font file")
        << QStringList{"convert", "ascii", "-o", "@", "--font-file", "@missing.ttf"} << 1
        << "runemill-cli: --font-file: no such file: @missing.ttf";
    QTest::newRow("unreadable font")
        << QStringList{"convert", "ascii", "-o", "@", "--font-file", "@old.bin"} << 1
        << "runemill-cli: --font-file: cannot read a font from @old.bin";
    QTest::newRow("unknown option") << QStringList{"convert", "ascii", "-o", "@", "--colour"} << 1
                                    << "runemill-cli: --colour: unknown option";
    QTest::newRow("output in a missing folder")
        << QStringList{"convert", "ascii", "-o", "@no/such/dir/a.bin", "--width", "8"} << 2
        << "runemill-cli: --output: cannot write @no/such/dir/a.bin: No such file or directory";
    QTest::newRow("header in a missing folder")
        << QStringList{"convert", "ttf", "-o", "@no/such/dir/t.bin"} << 2
        << "runemill-cli: --output: cannot open @no/such/dir/t.bin: No such file or directory";
}

void TestCli::badInput() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, line);
    // "@" stands for the test folder; "@" alone is the output file, which a
    // failed run must leave as it was.
    const QByteArray old("old bytes");
    WriteAll(Path("old.bin"), old);
    const QString base = dir.path() + QLatin1Char('/');
    for (QString& argument : arguments) {
        if (argument == QLatin1String("@"))
            argument = Path("old.bin");
        else if (argument.startsWith(QLatin1Char('@')))
            argument.replace(0, 1, base);
    }
    line.replace(QLatin1Char('@'), base);

    const Outcome run = Run(arguments);
    QCOMPARE(run.status, status);
    QCOMPARE(QString::fromUtf8(run.err), line + QLatin1Char('\n'));
    QCOMPARE(run.out, QByteArray());
    QCOMPARE(ReadAll(Path("old.bin")), old);
}

void TestCli::headersAppend() {
    // Each header run adds 108 bytes after what the file holds.
    const QString output = Path("headers.bin");
    WriteAll(output, "head");
    QCOMPARE(Run({"convert", "chip", "-o", output, "--y0", "-2"}).status, 0);
    const Outcome ttf = Run({"convert", "ttf", "-o", output});
    QCOMPARE(ttf.status, 0);
    QCOMPARE(Lines(ttf.out), (QStringList{"Size:20", "family:宋体"}));
    const QByteArray bytes = ReadAll(output);
    QCOMPARE(bytes.size(), 4 + 108 + 108);
    QCOMPARE(bytes.left(6), QByteArray("headZQ"));
    QCOMPARE(uchar(bytes.at(4 + 29)), uchar(0xFE));  // y0 = -2
    QCOMPARE(bytes.mid(112, 2), QByteArray("TF"));
    QCOMPARE(uchar(bytes.at(112 + 29)), uchar(0xF9));  // the default y0 = -7
}

void TestCli::helpNamesEveryOption() {
    const Outcome run = Run({"--help"});
    QCOMPARE(run.status, 0);
    const QString help = QString::fromUtf8(run.out);
    for (const char* option :
         {"--output",    "--from",      "--to",    "--text",      "--width",      "--height",
          "--format",    "--limit",     "--font ", "--font-file", "--point-size", "--bold",
          "--italic",    "--underline", "--space", "--x0",        "--y0",         "--rotate",
          "--reverse-x", "--reverse-y", "--jobs",  "--quiet"})
        QVERIFY2(help.contains(QLatin1String(option)), option);
    QCOMPARE(Run({"convert"}).status, 1);
}

QTEST_MAIN(TestCli)
#include "test_cli.moc"
