// runemill-cli convert against the window: the same settings give the same file,
// byte for byte, for every kind; the log lines reach stdout; bad input and I/O
// failures get their exit status and one line on stderr.
#include <QtTest>
#include <QtWidgets>

#include "modal_answerer.h"
#include "window_access.h"

namespace {

const char kFontFile[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

struct Outcome {
    int status = -1;
    QByteArray out, err;
};

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

QStringList Lines(const QByteArray& out) {
    return QString::fromUtf8(out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// Runs the program without a display and without a platform named.
Outcome Run(const QStringList& arguments) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QLatin1String(name));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(RUNEMILL_CLI_PATH), arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

// Sets the real window as the command line's options say, presses the kind's
// button (answering its file dialogs) and returns the lines of its log.
QStringList RunWindow(const QStringList& arguments, const QString& output) {
    MainWindow window;
    ModalAnswerer answerer;
    const QMap<QString, QString> controls{
        {"--kind", "comboBox_FCode"},       {"--from", "lineEdit_SCode"},
        {"--to", "lineEdit_ECode"},         {"--width", "lineEdit_W"},
        {"--height", "lineEdit_H"},         {"--limit", "lineEdit_Limit"},
        {"--bold", "checkBox_SetBold"},     {"--italic", "checkBox_SetItalic"},
        {"--reverse-x", "checkBox_revX"},   {"--reverse-y", "checkBox_revY"},
        {"--format", "comboBox_PixFormat"}, {"--space", "comboBox_Space"},
        {"--rotate", "comboBox_Rotation"},  {"--x0", "horizontalScrollBar"},
        {"--y0", "verticalScrollBar"}};
    // The lists' items, named as the option's values; the bars show x0 + 25, y0 + 33.
    const QMap<QString, QStringList> items{
        {"--format", {"1bits", "2bits", "4bits", "8bits", "aRGB4444"}},
        {"--kind", {"gb2312", "big5", "gbk", "unicode"}},
        {"--space", {"2", "3", "4"}},
        {"--rotate", {"0", "r90", "l90"}}};
    QFont& font = MainWindowTestAccess::currentFont(window);
    const QStringList options = QStringList{"--kind"} + arguments;
    for (int i = 0; i < options.size(); ++i) {
        const QString option = options.at(i), value = options.value(i + 1);
        QWidget* control = window.findChild<QWidget*>(controls.value(option, "none"));
        if (auto* field = qobject_cast<QLineEdit*>(control)) field->setText(value);
        if (auto* box = qobject_cast<QCheckBox*>(control)) box->setChecked(true);
        if (auto* list = qobject_cast<QComboBox*>(control))  // ascii .. ttf keep GB2312
            list->setCurrentIndex(qMax(0, items[option].indexOf(value)));
        if (auto* bar = qobject_cast<QScrollBar*>(control))
            bar->setValue(value.toInt() + (option == "--x0" ? 25 : 33));
        if (option == "--point-size") font.setPointSize(value.toInt());
        if (option == "--underline") font.setUnderline(true);
        if (option == "--font-file")
            font.setFamily(
                QFontDatabase::applicationFontFamilies(QFontDatabase::addApplicationFont(value))
                    .value(0));
        if (option == "--text") answerer.QueueFile(value);
    }
    answerer.QueueFile(output);
    const QStringList buttons{"pushButton_Ascii", "pushButton_String", "pushButton",
                              "pushButton_2"};
    const int other = QStringList{"ascii", "string", "chip", "ttf"}.indexOf(arguments.first());
    window.findChild<QPushButton*>(other < 0 ? "pushButton_MakeFont" : buttons.at(other))->click();
    const QString log = window.findChild<QTextEdit*>("textEdit")->toPlainText();
    return log.split(QRegularExpression(QStringLiteral("[\r\n]+")), Qt::SkipEmptyParts);
}

}  // namespace

class TestCli : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir;
    QString Path(const QString& name) const { return dir.filePath(name); }

    // Splits a row's arguments; a leading "@" stands for the test folder.
    QStringList Expand(const QString& arguments) const {
        QStringList list = arguments.split(QLatin1Char(' '));
        for (QString& argument : list)
            if (argument.startsWith(QLatin1Char('@'))) argument = Path(argument.mid(1));
        return list;
    }

  private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        WriteAll(Path("text.txt"), QStringLiteral("Hello 汉字  hello\n  again!\n").toUtf8());
    }
    void sameBytesAsWindow_data() {
        QTest::addColumn<QString>("arguments");  // the kind, then the options
        QTest::addColumn<int>("length");         // worked out from the layout by hand
        QTest::addColumn<QByteArray>("header");  // the first bytes
        // 104 + 95 * 48 + 3 rows * 94 * 48: 2bits rows of 16 pixels are 4 bytes; space 16 / 2
        QTest::newRow("gb2312")
            << "gb2312 --from A1A0 --to A3FE --width 16 --height 12 --format 2bits "
               "--bold --y0 -3 --space 2 --rotate r90 --reverse-x"
            << 18200 << QByteArray("GB\x10\x0C\xA0\xA1\xFE\xA3\x01\x08", 10);
        // 104 + 95 * 128 + 2 rows * 160 * 128
        QTest::newRow("big5") << "big5 --from A140 --to A2FF --width 16 --height 16 --format 4bits "
                                 "--italic --x0 3 --rotate l90"
                              << 53224 << QByteArray("BG\x10\x10\x40\xA1\xFF\xA2\x02", 9);
        // 104 + 95 * 32 + 2 rows * 190 * 32; the space is 16 / 4 wide
        QTest::newRow("gbk") << "gbk --from A2A0 --to A3FE --width 16 --height 16 --limit 100 "
                                "--space 4 --reverse-y"
                             << 15304 << QByteArray("GK\x10\x10\xA0\xA2\xFE\xA3\x00\x04", 10);
        // 104 + 95 * 400 + 26 records * 401; the space is 20 / 3 wide
        QTest::newRow("unicode") << "unicode --from 0041 --to 005A --width 20 --height 20 --format "
                                    "8bits --y0 -13 --point-size 14 --underline --font-file "
                                    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
                                 << 48530 << QByteArray("un\x14\x14\x41\x00\x5A\x00\x03\x06", 10);
        // 104 + 95 * 384; the space is 12 / 3 wide
        QTest::newRow("ascii") << "ascii --width 12 --height 16 --format aRGB4444 --bold" << 36584
                               << QByteArray("AS\x0C\x10\xFF\xFF\xFF\xFF\x04\x04", 10);
        // "Hello 汉字 hello" + "again!": 13 distinct units; 9 + 13 * (2 + 1 + 64)
        QTest::newRow("string") << "string --text @text.txt --width 16 --height 16 --format 2bits "
                                   "--y0 -2"
                                << 880 << QByteArray("SS\x10\x10\x0D\x00UN\x01", 9);
        QTest::newRow("chip") << "chip --from B0A1 --to C0FE --width 16 --height 24 --format 4bits "
                                 "--bold --y0 -3 --x0 -5"
                              << 4 + 108 << QByteArray("headZQ\x10\x18\xA1\xB0\xFE\xC0\x02", 13);
        // Every option not given, here and above, must default to the window's start-up state.
        QTest::newRow("ttf") << "ttf --italic --underline --point-size 16" << 4 + 108
                             << QByteArray("headTF\x20\x20\xA0\xA1\xFE\xF7\x00", 13);
    }

    void sameBytesAsWindow() {
        QFETCH(QString, arguments);
        QFETCH(int, length);
        QFETCH(QByteArray, header);
        if (arguments.contains(kFontFile) && !QFile::exists(kFontFile)) QSKIP("no DejaVu Sans");
        const QStringList options = Expand(arguments);
        // Both start from an older file: a library replaces it, a header is appended.
        const QString window = Path(options.first() + "-window.bin");
        const QString cli = Path(options.first() + "-cli.bin");
        WriteAll(window, "head");
        WriteAll(cli, "head");
        const QStringList log = RunWindow(options, window);

        const Outcome run = Run(QStringList{"convert"} + options + QStringList{"-o", cli});
        QCOMPARE(QString::fromUtf8(run.err), QString());  // no progress bar when not a terminal
        QCOMPARE(run.status, 0);
        const QByteArray bytes = ReadAll(cli);
        QCOMPARE(bytes.size(), length);
        QCOMPARE(bytes.left(header.size()), header);
        QVERIFY2(bytes == ReadAll(window), "the window wrote other bytes");

        // stdout holds the window's closing log lines, and nothing else.
        const QStringList printed = Lines(run.out);
        QVERIFY(printed.size() <= log.size());
        QCOMPARE(printed, log.mid(log.size() - printed.size()));
        QCOMPARE(printed.isEmpty(), options.first() == "ascii" || options.first() == "string");
    }

    void jobsAndWidthList() {
        // GBK row A3 by one thread and by two: the same bytes, the same width list.
        Outcome runs[2];
        QByteArray files[2];
        for (int jobs = 1; jobs <= 2; ++jobs) {
            runs[jobs - 1] = Run(Expand("convert gbk --from A3A0 --to A3FE --width 16 --height 16 "
                                        "--format 2bits --italic -o @jobs.bin --jobs") +
                                 QStringList{QString::number(jobs)});
            QCOMPARE(runs[jobs - 1].status, 0);
            files[jobs - 1] = ReadAll(Path("jobs.bin"));
        }
        QCOMPARE(files[0].size(), 18344);  // 104 + (95 + 190) * 64
        QVERIFY2(files[1] == files[0], "two jobs wrote other bytes than one");
        QCOMPARE(runs[1].out, runs[0].out);
        // "{0,", the widths of cells A0..FE sixteen to a line, then "};".
        const QStringList lines = Lines(runs[0].out);
        QCOMPARE(lines.size(), 7);
        QCOMPARE(lines.at(6), QStringLiteral("};"));
        const QStringList widths = lines.mid(0, 6).join(QString()).split(QLatin1Char(','));
        QCOMPARE(widths.size(), 1 + 95 + 1);  // an empty tail after the last ','
        QCOMPARE(widths.first(), QStringLiteral("{0"));
        QVERIFY(widths.at(0x21 + 1).toInt() > 1);  // A3C1, the full-width "A"
    }

    void badInput_data() {
        QTest::addColumn<QString>("arguments");  // "@old.bin" is the output file, left as it was
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("line");  // "@" stands for the test folder
        QTest::newRow("unknown kind") << "convert gb18030 -o @old.bin" << 1
                                      << "kind: unknown kind 'gb18030'; one of gb2312, big5, gbk, "
                                         "unicode, ascii, string, chip, ttf";
        QTest::newRow("unknown format")
            << "convert gbk -o @old.bin --format 3bits" << 1
            << "--format: unknown format '3bits'; one of 1bits, 2bits, 4bits, 8bits, aRGB4444";
        QTest::newRow("not a number")
            << "convert gbk -o @old.bin --height 1O" << 1 << "--height: '1O' is not a whole number";
        QTest::newRow("W of 0") << "convert ascii -o @old.bin --width 0" << 1
                                << "--width: W and H must be at least 1.";
        QTest::newRow("2^31 bytes")
            << "convert unicode -o @old.bin --width 5000 --height 5000 --format 8bits" << 1
            << "--width/--height: The file would be 2 GB or larger; choose a smaller cell, pixel "
               "format or code range.";
        QTest::newRow("start below GB2312") << "convert gb2312 -o @old.bin --from A100" << 1
                                            << "--from: Font Start Code is less 0xA1A0";
        QTest::newRow("missing text file") << "convert string -o @old.bin --text @missing.txt" << 1
                                           << "--text: no such file: @missing.txt";
        QTest::newRow("missing font file") << "convert ascii -o @old.bin --font-file @missing.ttf"
                                           << 1 << "--font-file: no such file: @missing.ttf";
        QTest::newRow("unreadable font") << "convert ascii -o @old.bin --font-file @old.bin" << 1
                                         << "--font-file: cannot read a font from @old.bin";
        QTest::newRow("output in a missing folder")
            << "convert ascii -o @no/such/dir/a.bin --width 8" << 2
            << "--output: cannot write @no/such/dir/a.bin: No such file or directory";
        QTest::newRow("header in a missing folder")
            << "convert ttf -o @no/such/dir/t.bin" << 2
            << "--output: cannot open @no/such/dir/t.bin: No such file or directory";
    }

    void badInput() {
        QFETCH(QString, arguments);
        QFETCH(int, status);
        QFETCH(QString, line);
        WriteAll(Path("old.bin"), "old bytes");
        const Outcome run = Run(Expand(arguments));
        QCOMPARE(run.status, status);
        const QString expected = line.replace(QLatin1Char('@'), dir.path() + QLatin1Char('/'));
        QCOMPARE(QString::fromUtf8(run.err), "runemill-cli: " + expected + '\n');
        QCOMPARE(run.out, QByteArray());
        QCOMPARE(ReadAll(Path("old.bin")), QByteArray("old bytes"));
    }

    void helpNamesEveryOption() {
        const Outcome run = Run({"--help"});
        QCOMPARE(run.status, 0);
        const QString options(
            "--output --from --to --text --width --height --format --limit "
            "--font@ --font-file --point-size --bold --italic --underline "
            "--space --x0 --y0 --rotate --reverse-x --reverse-y --jobs --quiet");
        for (QString option : options.split(' '))  // "@": a space after the name
            QVERIFY2(run.out.contains(option.replace('@', ' ').toUtf8()), qPrintable(option));
        QCOMPARE(Run({"convert"}).status, 1);
    }
};

QTEST_MAIN(TestCli)
#include "test_cli.moc"
