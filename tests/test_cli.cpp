// runemill-cli convert against the window: the same file, byte for byte, and log lines for every
// kind; bad input and I/O failures get their exit status and one line on stderr.
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

// Runs the program without a display and without a platform named; `fontConfig`, when given,
// is the only font configuration it sees.
Outcome Run(const QStringList& arguments, const QString& fontConfig = QString()) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!fontConfig.isEmpty()) environment.insert(QStringLiteral("FONTCONFIG_FILE"), fontConfig);
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QLatin1String(name));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(RUNEMILL_CLI_PATH), arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

// Sets the window as the options say, presses the kind's button and returns its log's lines.
QStringList RunWindow(const QStringList& arguments, const QString& output) {
    MainWindow window;
    ModalAnswerer answerer;
    const QStringList options = QStringList{"--kind"} + arguments;
    const QStringList controls =
        QStringLiteral(  // the options and the controls they set
            "--kind comboBox_FCode --from lineEdit_SCode --to lineEdit_ECode --width lineEdit_W "
            "--height lineEdit_H --limit lineEdit_Limit --bold checkBox_SetBold --italic "
            "checkBox_SetItalic --reverse-x checkBox_revX --reverse-y checkBox_revY --format "
            "comboBox_PixFormat --space comboBox_Space --rotate comboBox_Rotation --x0 "
            "horizontalScrollBar --y0 verticalScrollBar")
            .split(' ');
    QFont& font = MainWindowTestAccess::currentFont(window);
    for (int i = 0; i < options.size(); ++i) {
        const QString option = options.at(i), value = options.value(i + 1);
        QWidget* control = window.findChild<QWidget*>(controls.value(controls.indexOf(option) + 1));
        if (auto* field = qobject_cast<QLineEdit*>(control)) field->setText(value);
        if (auto* box = qobject_cast<QCheckBox*>(control)) box->setChecked(true);
        // The lists show "GBK", "aRGB4444", "1/4", "R 90 Degree"; ascii .. ttf keep GB2312.
        const QString item = option == "--space" ? "1/" + value : QString(value).replace("9", " 9");
        if (auto* list = qobject_cast<QComboBox*>(control))
            list->setCurrentIndex(qMax(0, list->findText(item, Qt::MatchStartsWith)));
        if (auto* bar = qobject_cast<QScrollBar*>(control))  // it shows x0 + 25, y0 + 33
            bar->setValue(value.toInt() + (option == "--x0" ? 25 : 33));
        if (option == "--point-size") font.setPointSize(value.toInt());
        if (option == "--underline") font.setUnderline(true);
        const int added = option == "--font-file" ? QFontDatabase::addApplicationFont(value) : -1;
        if (added >= 0) font.setFamily(QFontDatabase::applicationFontFamilies(added).value(0));
        if (option == "--text") answerer.QueueFile(value);
    }
    answerer.QueueFile(output);
    const int other = QStringList{"ascii", "string", "chip", "ttf"}.indexOf(arguments.first());
    const QStringList buttons{"pushButton_MakeFont", "pushButton_Ascii", "pushButton_String",
                              "pushButton", "pushButton_2"};
    window.findChild<QPushButton*>(buttons.at(other + 1))->click();
    const QString log = window.findChild<QTextEdit*>("textEdit")->toPlainText();
    return log.split(QRegularExpression(QStringLiteral("[\r\n]+")), Qt::SkipEmptyParts);
}

}  // namespace

class TestCli : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir;
    QString Path(const QString& name) const { return dir.filePath(name); }

    // Splits a row's arguments; "@" stands for the test folder.
    QStringList Expand(QString arguments) const {
        return arguments.replace(QLatin1Char('@'), dir.path() + QLatin1Char('/')).split(' ');
    }

  private slots:
    void sameBytesAsWindow_data() {
        QTest::addColumn<QString>("arguments");  // the kind, then the options
        QTest::addColumn<int>("lines");          // of stdout, the window's closing log lines
        QTest::addColumn<int>("length");         // worked out from the layout by hand
        QTest::addColumn<QByteArray>("header");
        // 104 + 95 * 48 + 3 rows * 94 * 48: 2bits rows of 16 pixels are 4 bytes; space 16 / 2
        QTest::newRow("gb2312") << "gb2312 --from A1A0 --to A3FE --width 16 --height 12 --format "
                                   "2bits --bold --y0 -3 --space 2 --rotate r90 --reverse-x"
                                << 1 << 18200 << QByteArray("GB\x10\x0C\xA0\xA1\xFE\xA3\x01\x08");
        // 104 + 95 * 128 + 2 rows * 160 * 128
        QTest::newRow("big5") << "big5 --from A140 --to A2FF --width 16 --height 16 --format 4bits "
                                 "--italic --x0 3 --rotate l90"
                              << 1 << 53224 << QByteArray("BG\x10\x10\x40\xA1\xFF\xA2\x02");
        // 104 + 95 * 32 + 2 rows * 190 * 32; the space is 16 / 4 wide; row A3's width list
        QTest::newRow("gbk") << "gbk --from A2A0 --to A3FE --width 16 --height 16 --limit 100 "
                                "--space 4 --reverse-y"
                             << 7 << 15304 << QByteArray("GK\x10\x10\xA0\xA2\xFE\xA3\x00\x04", 10);
        // 104 + 95 * 400 + 26 records * 401; the space is 20 / 3 wide
        QTest::newRow("unicode") << "unicode --from 0041 --to 005A --width 20 --height 20 --format "
                                    "8bits --y0 -13 --point-size 14 --underline --font-file " +
                                        QString(kFontFile)
                                 << 3 << 48530
                                 << QByteArray("un\x14\x14\x41\x00\x5A\x00\x03\x06", 10);
        // 104 + 95 * 384; the space is 12 / 3 wide
        QTest::newRow("ascii") << "ascii --width 12 --height 16 --format aRGB4444 --bold" << 0
                               << 36584 << QByteArray("AS\x0C\x10\xFF\xFF\xFF\xFF\x04\x04");
        // "Hello 汉字 hello" + "again!": 13 distinct units; 9 + 13 * (2 + 1 + 64)
        QTest::newRow("string") << "string --text @text.txt --width 16 --height 16 --format 2bits "
                                   "--y0 -2"
                                << 0 << 880 << QByteArray("SS\x10\x10\x0D\x00UN\x01", 9);
        // A header is appended to the older file "head".
        QTest::newRow("chip") << "chip --from B0A1 --to C0FE --width 16 --height 24 --format 4bits "
                                 "--bold --y0 -3 --x0 -5"
                              << 4 << 4 + 108 << QByteArray("headZQ\x10\x18\xA1\xB0\xFE\xC0\x02");
        // Every option not given must default to the window's start-up state.
        QTest::newRow("ttf") << "ttf --italic --underline --point-size 16" << 2 << 4 + 108
                             << QByteArray("headTF\x20\x20\xA0\xA1\xFE\xF7\x00", 13);
    }

    void sameBytesAsWindow() {
        QFETCH(QString, arguments);
        QFETCH(int, lines);
        QFETCH(int, length);
        QFETCH(QByteArray, header);
        if (arguments.contains(kFontFile) && !QFile::exists(kFontFile)) QSKIP("no DejaVu Sans");
        WriteAll(Path("text.txt"), QStringLiteral("Hello 汉字  hello\n  again!\n").toUtf8());
        const QStringList options = Expand(arguments);
        const QString window = Path(options[0] + "-window.bin"), cli = Path(options[0] + ".bin");
        WriteAll(window, "head");
        const QStringList log = RunWindow(options, window);
        for (const char* jobs : {"1", "2"}) {
            WriteAll(cli, "head");
            const Outcome run =
                Run(QStringList{"convert"} + options + QStringList{"-o", cli, "--jobs", jobs});
            QCOMPARE(QString::fromUtf8(run.err), QString());  // no progress bar when not a terminal
            QCOMPARE(run.status, 0);
            const QByteArray bytes = ReadAll(cli);
            QCOMPARE(bytes.size(), length);
            QCOMPARE(bytes.left(header.size()), header);
            QVERIFY2(bytes == ReadAll(window), (QByteArray(jobs) + " jobs: other bytes").data());
            const QStringList printed =
                QString::fromUtf8(run.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            QCOMPARE(printed.size(), lines);
            QCOMPARE(printed, log.mid(log.size() - lines));
            // gbk: "{0,", A3A0..A3FE's 95 widths, each with a ',' (A3C1, "A", is wide), "};"
            const QStringList widths = printed.mid(0, 6).join(QString()).split(QLatin1Char(','));
            if (lines == 7)
                QVERIFY(widths.size() == 97 && widths[0] == "{0" && widths[34].toInt() > 1);
        }
    }

    void badInput_data() {
        QTest::addColumn<QString>("arguments");  // the output, unless given, is "@old.bin"
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("line");  // "@" stands for the test folder
        QTest::newRow("unknown kind") << "gb18030" << 1
                                      << "kind: unknown kind 'gb18030'; one of gb2312, big5, gbk, "
                                         "unicode, ascii, string, chip, ttf";
        QTest::newRow("unknown format")
            << "gbk --format 3bits" << 1
            << "--format: '3bits' is not one of 1bits, 2bits, 4bits, 8bits, aRGB4444";
        QTest::newRow("not a number")
            << "gbk --height 1O" << 1 << "--height: '1O' is not a whole number";
        QTest::newRow("W of 0") << "ascii --width 0" << 1 << "--width: W and H must be at least 1.";
        QTest::newRow("2^31 bytes")
            << "unicode --width 5000 --height 5000 --format 8bits" << 1
            << "--width/--height: The file would be 2 GB or larger; choose a smaller cell, pixel "
               "format or code range.";
        QTest::newRow("start below GB2312")
            << "gb2312 --from A100" << 1 << "--from: Font Start Code is less 0xA1A0";
        QTest::newRow("missing text file")
            << "string --text @missing.txt" << 1 << "--text: no such file: @missing.txt";
        QTest::newRow("unknown family")
            << "ascii --font Nosuch" << 1 << "--font: no installed font family is named 'Nosuch'";
        QTest::newRow("missing font file")
            << "ascii --font-file @missing.ttf" << 1 << "--font-file: no such file: @missing.ttf";
        QTest::newRow("five-digit code") << "unicode --from 1F600 --to 1F64F" << 1
                                         << "--from: '1F600' is not four hexadecimal digits (codes run "
                                            "from 0000 to FFFF)";
        QTest::newRow("code and more") << "gb2312 --from B0A1;x" << 1
                                       << "--from: 'B0A1;x' is not four hexadecimal digits (codes run "
                                          "from 0000 to FFFF)";
        QTest::newRow("cell no image holds")
            << "ascii --width 2147483647 --height 1" << 1
            << "--width/--height: A cell of 2147483647 x 1 pixels is too large to draw; choose a "
               "smaller W or H.";
        QTest::newRow("offset at the end of int")
            << "ascii --y0 -2147483648" << 1 << "--y0: offsets run from -16777216 to 16777216";
        QTest::newRow("GBK text") << "string --text @gbk.txt" << 1
                                  << "--text: @gbk.txt is not UTF-8: the byte at offset 2 starts no "
                                     "UTF-8 character. Save the text as UTF-8 (a GBK or BIG5 text "
                                     "gives wrong characters).";
        QTest::newRow("text is the output") << "string --text @old.bin" << 1
                                            << "--output: @old.bin is also the --text file; it would "
                                               "be overwritten";
        QTest::newRow("empty font file name")
            << "ascii --font-file=" << 1 << "--font-file: the file name is empty";
        QTest::newRow("line break in the output name")
            << "ascii --width 8 -o @no/a\nb.bin" << 2
            << "--output: cannot write @no/a\\nb.bin: No such file or directory";
        QTest::newRow("device: written through, never replaced")
            << "ascii --width 8 -o /dev/full" << 2
            << "--output: cannot write /dev/full: No space left on device";
        QTest::newRow("output in a missing folder")
            << "ascii --width 8 -o @no/such/dir/a.bin" << 2
            << "--output: cannot write @no/such/dir/a.bin: No such file or directory";
    }

    void badInput() {
        QFETCH(QString, arguments);
        QFETCH(int, status);
        QFETCH(QString, line);
        WriteAll(Path("old.bin"), "old bytes");
        WriteAll(Path("gbk.txt"), "ok\xbb\xb6\xd3\xad");  // "ok欢迎" in GBK
        const Outcome run = Run(
            Expand("convert " + arguments + (arguments.contains(" -o ") ? "" : " -o @old.bin")));
        QCOMPARE(run.status, status);
        QCOMPARE(QString::fromUtf8(run.err), "runemill-cli: " + Expand(line).join(' ') + '\n');
        QCOMPARE(run.out, QByteArray());
        QCOMPARE(ReadAll(Path("old.bin")), QByteArray("old bytes"));
        QVERIFY(!QFileInfo("/dev/full").isFile());
    }

    void versionIsTheProjectVersion() {
        const Outcome run = Run({"--version"});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, QByteArray("runemill-cli " RUNEMILL_VERSION "\n"));
        QCOMPARE(run.err, QByteArray());
    }

    // Unassigned BIG5 cells decode to U+FFFD and private-use characters that other installed
    // fonts have: with only the chosen face visible to fontconfig, the bytes stay the same.
    void bytesOnlyFromTheChosenFace() {
        const QString zenHei = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc";
        if (!QFileInfo::exists(zenHei)) QSKIP("WenQuanYi Zen Hei is not installed");
        QVERIFY(QDir(dir.path()).mkpath("only"));
        QVERIFY(QFile::link(zenHei, Path("only/wqy-zenhei.ttc")));
        WriteAll(Path("fonts.conf"), QString("<?xml version=\"1.0\"?><fontconfig><dir>%1</dir>"
                                             "<cachedir>%2</cachedir></fontconfig>")
                                         .arg(Path("only"), Path("cache"))
                                         .toUtf8());
        const QStringList options = Expand("convert big5 --from A440 --to A4FF --width 16 --height 16 --quiet");
        QCOMPARE(Run(options + QStringList{"-o", Path("all.bin")}).status, 0);
        QCOMPARE(Run(options + QStringList{"-o", Path("one.bin")}, Path("fonts.conf")).status, 0);
        QCOMPARE(ReadAll(Path("one.bin")).toHex(), ReadAll(Path("all.bin")).toHex());
    }

    void helpNamesEveryOption() {
        const Outcome run = Run({"--help"});
        QCOMPARE(run.status, 0);
        const QString options(
            "--output --from --to --text --width --height --format --limit "
            "--font@ --font-file --point-size --bold --italic --underline "
            "--space --x0 --y0 --rotate --reverse-x --reverse-y --jobs --quiet --version");
        for (QString option : options.split(' '))  // "@": a space after the name
            QVERIFY2(run.out.contains(option.replace('@', ' ').toUtf8()), qPrintable(option));
    }
};

QTEST_MAIN(TestCli)
#include "test_cli.moc"
