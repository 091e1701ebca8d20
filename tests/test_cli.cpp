// runemill-cli convert against the window: the same file, byte for byte, and log lines for every
// kind; bad input and I/O failures get their exit status and one line on stderr.
#include <sys/stat.h>
#include <unistd.h>

#include <QtEndian>
#include <QtTest>
#include <QtWidgets>

#include "cli_runner.h"
#include "render/font_families.h"
#include "window_fixture.h"

namespace {

const char kZenHei[] = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc";
// Terminus as one OpenType bitmap file of nine strikes, 12 to 32 pixels.
const char kTerminus[] = "/usr/share/fonts/opentype/terminus/terminus-normal.otb";
// WenQuanYi Bitmap Song, one strike of 12 px.
const char kSong9pt[] = "/usr/share/fonts/X11/misc/wenquanyi_9pt.pcf";
const qint64 kDejaVuSize = 759720;
// DejaVu Sans cut at 700,000 bytes: the first table it lists that runs past the cut.
const char kCutShort[] = "its 'post' table runs to byte 758336, past the end of its 700000 bytes";

// Sets the window as the options say (--fit presses Fit last), presses the kind's button and
// returns its log's lines, after the line of Fit; *dialogs what its file dialogs showed.
QStringList RunWindow(const QStringList& arguments, const QString& output, QStringList* dialogs) {
    WindowFixture f;
    f.open();
    const QStringList options = QStringList{"--kind"} + arguments;
    const QStringList controls =
        QStringLiteral(  // the options and the controls they set
            "--kind comboBox_FCode --from lineEdit_SCode --to lineEdit_ECode --width lineEdit_W "
            "--height lineEdit_H --limit lineEdit_Limit --bold checkBox_SetBold --italic "
            "checkBox_SetItalic --reverse-x checkBox_revX --reverse-y checkBox_revY --format "
            "comboBox_PixFormat --space comboBox_Space --rotate comboBox_Rotation --x0 "
            "horizontalScrollBar --y0 verticalScrollBar --render checkBox_Crisp --compress "
            "checkBox_Compress --for comboBox_Target")
            .split(' ');
    QFont& font = MainWindowTestAccess::currentFont(*f.window);
    for (int i = 0; i < options.size(); ++i) {
        const QString option = options.at(i), value = options.value(i + 1);
        QWidget* control = f.w<QWidget>(qPrintable(controls.value(controls.indexOf(option) + 1)));
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
        QString family;  // a font file as a drop loads it
        if (option == "--font-file" && runemill::LoadFontFile(value, 0, &family).isEmpty())
            font.setFamily(family);
        if (option == "--text") f.answerer->QueueFile(value);
    }
    QStringList fitLines;  // a run empties the log
    if (options.contains("--fit")) {
        f.w<QPushButton>("pushButton_Fit")->click();
        fitLines = f.log().split('\n').filter(QRegularExpression("^Fit: "));
    }
    f.answerer->QueueFile(output);
    const int other = QStringList{"ascii", "string", "chip", "ttf"}.indexOf(arguments.first());
    const QStringList buttons{"pushButton_MakeFont", "pushButton_Ascii", "pushButton_String",
                              "pushButton", "pushButton_2"};
    f.w<QPushButton>(qPrintable(buttons.at(other + 1)))->click();
    *dialogs = f.answerer->fileDialogs;
    return fitLines + f.log().split(QRegularExpression("[\r\n]+"), Qt::SkipEmptyParts);
}

}  // namespace

class TestCli : public QObject, private CliFixture {
    Q_OBJECT

  private slots:
    // Every kind; the bytes themselves are test_golden's and test_font_plan's.
    void sameBytesAsWindow_data() {
        QTest::addColumn<QString>("arguments");  // the kind, then the options
        QTest::addColumn<int>("lines");          // of stdout, the window's closing log lines
        // clang-format off
        QTest::newRow("gb2312") << "gb2312 --from A1A0 --to A3FE --width 16 --height 12 --format 2bits --bold "
                                   "--y0 -3 --space 2 --rotate r90 --reverse-x" << 1;
        QTest::newRow("big5") << "big5 --from A140 --to A2FF --width 16 --height 16 --format 4bits --italic "
                                 "--x0 3 --rotate l90" << 1;
        QTest::newRow("gbk") << "gbk --from A2A0 --to A3FE --width 16 --height 16 --limit 100 --space 4 "
                                "--reverse-y" << 7;  // row A3's width list
        QTest::newRow("unicode") << "unicode --from 0041 --to 005A --width 20 --height 20 --format 8bits --y0 "
                                    "-13 --point-size 14 --underline --font-file " + QString(kDejaVuSans) << 3;
        QTest::newRow("ascii") << "ascii --width 12 --height 16 --format aRGB4444 --bold" << 0;
        QTest::newRow("string") << "string --text @text.txt --width 16 --height 16 --format 2bits --y0 -2" << 0;
        // A header is appended to the older file "head".
        QTest::newRow("chip") << "chip --from B0A1 --to C0FE --width 16 --height 24 --format 4bits --bold "
                                 "--y0 -3 --x0 -5" << 4;
        // Every option not given must default to the window's start-up state.
        QTest::newRow("ttf") << "ttf --italic --underline --point-size 16" << 2;
        // Crisp and fitted: the window's Crisp and Fit.
        QTest::newRow("gbk crisp fit") << "gbk --from B0A0 --to B1FE --width 16 --height 16 --render crisp --bold --fit" << 2;
        // The window's Compress: the compressed form of the same file.
        QTest::newRow("gb2312 compressed") << "gb2312 --from B0A0 --to B1FE --width 16 --height 16 --compress" << 1;
        // Another target of the window's list: the file runemill-cli --for writes.
        QTest::newRow("unicode bdf") << "unicode --from 0041 --to 005A --width 12 --height 20 --point-size 14 --font-file " + QString(kDejaVuSans) + " --for bdf" << 3;
        QTest::newRow("gb2312 gfx") << "gb2312 --from B0A0 --to B0FE --width 16 --height 12 --render crisp --for gfx" << 1;
        // clang-format on
    }

    void sameBytesAsWindow() {
        QFETCH(QString, arguments);
        QFETCH(int, lines);
        if (arguments.contains(kDejaVuSans) && !QFile::exists(kDejaVuSans))
            SKIP_OR_FAIL("no DejaVu Sans");
        QVERIFY(
            WriteAll(Path("text.txt"), QStringLiteral("Hello 汉字  hello\n  again!\n").toUtf8()));
        const QStringList options = Args(arguments);
        const QString target = options.contains("--for") ? options.last() : "bin";
        const QString type = target == "bin" ? ".bin" : target == "gfx" ? ".h" : ".bdf";
        // The same name in another folder: a C font is named after its file.
        const QString window = Path("w/" + options[0] + type), cli = Path(options[0] + type);
        QVERIFY(QDir(dir.path()).mkpath("w") && WriteAll(window, "head"));
        QStringList dialogs;
        const QStringList log = RunWindow(options, window, &dialogs);
        QVERIFY(dialogs.last().endsWith(target == "bin" ? "|file(*.bin)" : "font (*" + type + ")"));
        // No progress bar when not a terminal; --fit prints what the window's Fit logs.
        const QStringList fitLines = log.filter(QRegularExpression("^Fit: "));
        QCOMPARE(fitLines.size(), int(options.contains("--fit")));
        const QString fitLine = fitLines.isEmpty() ? "" : "fit: " + fitLines[0].mid(5) + '\n';
        // "head" holds no headers: the command line appends to it only when told to.
        const bool header = options[0] == "chip" || options[0] == "ttf";
        QVERIFY(WriteAll(cli, "head"));
        const CliOutcome run =
            Run("convert " + arguments + (header ? " --append-anyway" : "") + " -o " + cli);
        // A C font also says on stderr which name it declares.
        const QString names = type == ".h" ? "c: font " + options[0] +
                                                 ", from the file name; --symbol NAME gives "
                                                 "another name\n"
                                           : "";
        QCOMPARE(QString::fromUtf8(run.err), fitLine + names);
        QCOMPARE(run.status, 0);
        const QByteArray bytes = ReadAll(cli);
        QVERIFY(bytes.size() > 4 + 100 && bytes == ReadAll(window));
        QCOMPARE(bytes.startsWith("RZ"), options.contains("--compress"));
        const QStringList printed = QString::fromUtf8(run.out).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(printed, log.mid(log.size() - lines));
        QCOMPARE(printed.size(), lines);
        // -o /dev/stdout into a pipe: stdout carries the file alone, the log lines go to stderr.
        if (target != "bin") return;
        const CliOutcome piped = Run("convert " + arguments + " -o /dev/stdout");
        QCOMPARE(piped.out.toHex(), ReadAll(window).mid(header ? 4 : 0).toHex());
        QCOMPARE(piped.err, fitLine.toUtf8() + run.out);
    }

    // Status 1, or 2 when the output cannot be written; the line on stderr ("@": the test folder).
    void badInput_data() {
        QTest::addColumn<QString>("arguments");  // the output, unless given, is "@old.bin"
        QTest::addColumn<QString>("line");
        const QString hex = "is not four hexadecimal digits (codes run from 0000 to FFFF)";
        // clang-format off
        const char* const rows[][3] = {
            {"unknown kind", "gb18030", "kind: unknown kind 'gb18030'; one of gb2312, big5, gbk, unicode, ascii, string, chip, ttf"},
            {"unknown format", "gbk --format 3bits", "--format: '3bits' is not one of 1bits, 2bits, 4bits, 8bits, aRGB4444"},
            {"not a number", "gbk --height 1O", "--height: '1O' is not a whole number"},
            {"a C prefix", "ascii --width 0x10", "--width: '0x10' is not a whole number"},
            {"W of 0", "ascii --width 0", "--width: W and H must be at least 1."},
            {"start below GB2312", "gb2312 --from A100", "--from: Font Start Code is less 0xA1A0"},
            {"2^31 bytes", "unicode --width 5000 --height 5000 --format 8bits", "--width/--height: The file would be 2 GB or larger; choose a smaller cell, pixel format or code range."},
            {"missing text file", "string --text @missing.txt", "--text: no such file: @missing.txt"},
            {"unknown family", "ascii --font Nosuch", "--font: no installed font family is named 'Nosuch'"},
            {"missing font file", "ascii --font-file @missing.ttf", "--font-file: no such file: @missing.ttf"},
            {"five-digit code", "unicode --from 1F600 --to 1F64F", "--from: '1F600' %1"},
            {"code and more", "gb2312 --from B0A1;x", "--from: 'B0A1;x' %1"},
            {"cell no image holds", "ascii --width 2147483647 --height 1", "--width/--height: A cell of 2147483647 x 1 pixels is too large to draw; choose a smaller W or H."},
            {"offset at the end of int", "ascii --y0 -2147483648", "--y0: offsets run from -16777216 to 16777216"},
            {"GBK text", "string --text @gbk.txt", "--text: @gbk.txt is not UTF-8: the byte at offset 2 starts no UTF-8 character. Save the text as UTF-8 (a GBK or BIG5 text gives wrong characters)."},
            // An input given again as the output, by any name: the file itself is compared.
            {"text is the output", "string --text @./old.bin", "--output: @old.bin is also the --text file; it would be overwritten"},
            {"text is the C header", "string --text @ui.h -o @ui.c", "--output: @ui.h is also the --text file; it would be overwritten"},
            {"font file is the output", "ascii --font-file @old.bin", "--output: @old.bin is also the --font-file; it would be overwritten"},
            {"fallback font a hard link", "ascii --fallback-font @link.bin:0", "--output: @old.bin is also the --fallback-font; it would be overwritten"},
            {"header onto other bytes", "chip", "--output: @old.bin is not a file of 108-byte headers; appending one would spoil it; give --append-anyway to append all the same"},
            {"font file cut short", "ascii --font-file @cut.ttf", "--font-file: @cut.ttf is cut short: %2"},
            {"fallback font cut short", "ascii --fallback-font @cut.ttf", "--fallback-font: @cut.ttf is cut short: %2"},
            {"font file a FIFO", "ascii --font-file @fifo", "--font-file: @fifo is not a regular file"},
            {"empty font file name", "ascii --font-file=", "--font-file: the file name is empty"},
            {"unknown rendering mode", "ascii --render sharp", "--render: 'sharp' is not one of smooth, crisp"},
            {"point size below 1", "ascii --point-size 0.5", "--point-size: the point size runs from 1 to 100000"},
            {"missing fallback font", "ascii --fallback-font @none.ttf:1", "--fallback-font: no such file: @none.ttf:1"},
            {"face without a file", "ascii --face 1", "--face: only a --font-file has faces"},
            {"face beyond the file's", "ascii --font-file /usr/share/fonts/truetype/wqy/wqy-zenhei.ttc --face 3", "--face: /usr/share/fonts/truetype/wqy/wqy-zenhei.ttc has 3 faces, 0 to 2"},
            {"not a font", "ascii --font-file @old.bin -o @x.bin", "--font-file: cannot read a font from @old.bin"},
            {"line break in the output name", "ascii --width 8 -o @no/a\nb.bin", "--output: cannot write @no/a\\nb.bin: No such file or directory"},
            {"device: written through, never replaced", "ascii --width 8 -o /dev/full", "--output: cannot write /dev/full: No space left on device"},
            {"output a loop of links", "ascii --width 8 -o @loop", "--output: cannot write @loop: Too many levels of symbolic links"},
            {"output a folder", "ascii --width 8 -o @folder.bin", "--output: cannot write @folder.bin: is a folder"},
            {"pixel font at a size it lacks", "ascii --render crisp --font-file %4", "--point-size: 20 pt is 27 px, a size %4 does not have; its sizes are 12, 14, 16, 18, 20, 22, 24, 28 and 32 px (9, 10.5, 12, 13.5, 15, 16.5, 18, 21 and 24 pt); give one of them or --fit"},
            {"PCF at a size it lacks", "ascii --font-file %5 --point-size 12", "--point-size: 12 pt is 16 px, a size %5 does not have; its sizes are 12 px (9 pt); give one of them or --fit"},
            {"symbol not an identifier", "ascii -o @x.c --symbol 9lives", "--symbol: '9lives' is not a C identifier (letters, digits and _, not starting with a digit)"},
            {"file named for a keyword", "ascii -o @for.c", "--output: 'for' is a C or C++ keyword; name the array with --symbol"},
            {"quote in the header name", "ascii -o @a\"b.c", "--output: 'a\"b.h' %3"},
            {"line break in the header name", "ascii -o @a\nint_injected.c", "--output: 'a\\nint_injected.h' %3"},
            {"backslash in the header name", "ascii -o @a\\b.c", "--output: 'a\\b.h' %3"},
            {"DEL in the header name", "ascii -o @a\x7f" "b.c", "--output: 'a\\x7fb.h' %3"},
            {"--symbol without C output", "ascii -o @x.bin --symbol font", "--symbol: only with C source output (-o FILE.c)"},
            {"a header as C source", "chip -o @x.c", "--output: the chip and ttf headers are appended to a .bin file; C source is written for fonts only"},
            {"a header compressed", "ttf --compress", "--compress: the chip and ttf headers hold no glyphs to compress"},
        };
        // clang-format on
        const QString include =
            "cannot be named in #include \"...\" (no quotes, backslashes or "
            "control characters); choose another file name";
        // Keywords of C and C++, then names C or its standard headers reserve.
        const QStringList symbols{"int",       "static", "_Bool",  "size_t", "uint8_t",
                                  "UINT8_MAX", "NULL",   "__font", "_Font"};
        for (int i = 0; i < symbols.size(); ++i)
            QTest::newRow(qPrintable("symbol " + symbols[i]))
                << "ascii -o @x.c --symbol " + symbols[i]
                << "--symbol: '" + symbols[i] + "' " +
                       (i < 3 ? "is a C or C++ keyword"
                              : "is reserved by C or its standard headers");
        const QStringList fills{hex, kCutShort, include, kTerminus, kSong9pt};  // %1 .. %5
        const auto fill = [&fills](QString s) {
            for (int i = 0; i < fills.size(); ++i) s.replace(QString("%%1").arg(i + 1), fills[i]);
            return s;
        };
        for (const auto& r : rows) QTest::newRow(r[0]) << fill(r[1]) << fill(r[2]);
    }

    void badInput() {
        QFETCH(QString, arguments);
        QFETCH(QString, line);
        for (const char* name : {"x.c", "x.h", "x.bin", "link.bin"}) QFile::remove(Path(name));
        QVERIFY(WriteAll(Path("old.bin"), "old bytes") && WriteAll(Path("ui.h"), "ui"));
        QVERIFY(WriteAll(Path("gbk.txt"), "ok\xbb\xb6\xd3\xad"));  // "ok欢迎" in GBK
        QCOMPARE(link(QFile::encodeName(Path("old.bin")), QFile::encodeName(Path("link.bin"))), 0);
        if (!QFileInfo::exists(Path("fifo")))
            QCOMPARE(mkfifo(QFile::encodeName(Path("fifo")), 0600), 0);
        if (!QFileInfo(Path("loop")).isSymLink()) QVERIFY(QFile::link("loop", Path("loop")));
        QVERIFY(QDir(dir.path()).mkpath("folder.bin"));
        for (const char* font : {kTerminus, kSong9pt})
            if (arguments.contains(font) && !QFile::exists(font)) SKIP_OR_FAIL("a font is missing");
        if (arguments.contains("cut.ttf") && QFileInfo(kDejaVuSans).size() != kDejaVuSize)
            SKIP_OR_FAIL("not the DejaVu Sans of 759,720 bytes");
        QVERIFY(WriteAll(Path("cut.ttf"), ReadAll(kDejaVuSans).left(700000)));
        const CliOutcome run =
            Run("convert " + arguments + (arguments.contains(" -o ") ? "" : " -o @old.bin"));
        QCOMPARE(run.status, line.contains("cannot write") ? 2 : 1);
        QCOMPARE(QString::fromUtf8(run.err), "runemill-cli: " + Args(line).join(' ') + '\n');
        QCOMPARE(run.out, QByteArray());
        QCOMPARE(ReadAll(Path("old.bin")) + ReadAll(Path("ui.h")), QByteArray("old bytesui"));
        QVERIFY(!QFileInfo("/dev/full").isFile() && QFileInfo(Path("loop")).isSymLink());
        for (const char* name : {"x.c", "x.h", "x.bin"}) QVERIFY(!QFile::exists(Path(name)));
    }

    // Lines for stdout that cannot be written (a full disk): status 2 and the reason on stderr.
    void fullStdoutFails_data() {
        QTest::addColumn<QString>("arguments");
        QTest::newRow("help") << "--help";
        QTest::newRow("version") << "--version";
        QTest::newRow("inspect") << "inspect @font.bin";
        QTest::newRow("convert's log lines") << "convert gb2312 --from B0A1 --to B0FE --width 8 "
                                                "--height 8 -o @font.bin";
    }
    void fullStdoutFails() {
        QFETCH(QString, arguments);
        QCOMPARE(Run("convert ascii --width 8 --height 8 -o @font.bin").status, 0);
        const CliOutcome run = Run(arguments, QString(), "exec >/dev/full;");
        QCOMPARE(QString(run.err),
                 "runemill-cli: stdout: cannot write standard output: No space left on device\n");
        QCOMPARE(run.status, 2);
    }

    // Under a limit on address space threads may not start and the file may not fit: the run
    // ends with the bytes of one job, or says what did not fit (status 1, old file kept).
    void limitedMemory_data() {
        QTest::addColumn<QString>("limits");     // of the shell, in kB
        QTest::addColumn<QString>("arguments");  // the kind and options
        QTest::addColumn<QString>("refusal");    // empty: it must fit
        // clang-format off
        const QString gb64 = "gb2312 --width 64 --height 64 --format 8bits";
        QTest::newRow("no room for threads") << "-v 100000" << "ascii" << "";
        // Room enough, but not for a thread's stack, as large as the stack limit.
        QTest::newRow("threads that cannot start") << "-v 1000000; ulimit -s 2000000" << "ascii" << "";
        QTest::newRow("a file that fits without threads") << "-v 200000" << gb64 << "";
        QTest::newRow("a file that cannot fit") << "-v 80000" << gb64 << "--width/--height: Not enough memory for a file of 33.9 MB (33886312 bytes); nothing was written.";
        // clang-format on
    }
    void limitedMemory() {
        QFETCH(QString, limits);
        QFETCH(QString, arguments);
        QFETCH(QString, refusal);
#ifdef RUNEMILL_SANITIZED
        QSKIP("AddressSanitizer reserves terabytes of address space: it runs under no such limit");
#endif
        const QString convert = "convert " + arguments + " --quiet -o @";
        QCOMPARE(Run(convert + "one.bin --jobs 1").status, 0);
        QVERIFY(WriteAll(Path("limited.bin"), "old"));
        const CliOutcome run = Run(convert + "limited.bin --jobs 4", {}, "ulimit " + limits + ";");
        QCOMPARE(QString(run.err), refusal.isEmpty() ? "" : "runemill-cli: " + refusal + '\n');
        QCOMPARE(run.status, refusal.isEmpty() ? 0 : 1);
        QVERIFY(ReadAll(Path("limited.bin")) ==
                (refusal.isEmpty() ? ReadAll(Path("one.bin")) : QByteArray("old")));
    }

    // A pixel font of several strikes is drawn at the strike of the point size's pixels (Fit
    // takes the largest that fits: test_preview): Terminus 12 to 32 px, 16 x 32 cells.
    void pixelFontStrikes() {
        if (!QFile::exists(kTerminus)) SKIP_OR_FAIL("fonts-terminus-otb is not installed");
        const QString convert = "convert ascii --font-file " + QString(kTerminus) +
                                " --render crisp --format 8bits --width 16 --height 32 --y0 0 "
                                "-o @t.bin --point-size ";
        for (const int points : {9, 18, 24}) {  // 12, 24 and 32 px
            QCOMPARE(Run(convert + QString::number(points)).status, 0);
            // The ink of the 95 glyphs after their widths spans the strike's rows: 3/4 to all.
            const QByteArray bytes = ReadAll(Path("t.bin")).mid(104);
            int top = 32, bottom = -1;
            for (int i = 0; i < bytes.size(); ++i)
                if (bytes.at(i)) top = qMin(top, i % 512 / 16), bottom = qMax(bottom, i % 512 / 16);
            const int rows = bottom - top + 1, pixels = points * 4 / 3;
            QVERIFY2(rows <= pixels && rows * 4 >= pixels * 3, qPrintable(QString::number(rows)));
        }
    }

    // A PCF font whose last table ends at the file's end draws as the same font with its BDF
    // accelerators after that table (which bdftopcf says run 52 bytes past the file's end).
    void pcfEndingAtItsLastTable() {
        if (!QFile::exists(kSong9pt)) SKIP_OR_FAIL("no WenQuanYi Bitmap Song");
        QByteArray pcf = ReadAll(kSong9pt);
        const auto word = [&pcf](int at) { return qFromLittleEndian<quint32>(pcf.data() + at); };
        const int tables = int(word(4)) - 1;      // the directory's entries of 16 bytes from byte 8
        QCOMPARE(word(8 + 16 * tables), 0x100u);  // the BDF accelerators, last
        qint64 end = 0;
        for (int i = 0; i < tables; ++i)
            end = qMax(end, qint64(word(20 + 16 * i)) + word(16 + 16 * i));
        qToLittleEndian<quint32>(quint32(tables), pcf.data() + 4);
        QVERIFY(WriteAll(Path("trimmed.pcf"), pcf.left(int(end))));
        const QString cell = " --render crisp --point-size 9 --width 12 --height 12 -o @";
        QCOMPARE(Run("convert ascii --font-file @trimmed.pcf" + cell + "trimmed.bin").status, 0);
        QCOMPARE(Run("convert ascii --font-file " + QString(kSong9pt) + cell + "whole.bin").status,
                 0);
        QCOMPARE(ReadAll(Path("trimmed.bin")), ReadAll(Path("whole.bin")));
    }

    // A header goes only onto a file of whole headers, unless --append-anyway: an 8 x 8 ASCII
    // font is 864 bytes, eight headers long, and is refused all the same.
    void headerAppendedToHeadersOnly() {
        QCOMPARE(Run("convert ascii --width 8 --height 8 -o @font.bin").status, 0);
        const QByteArray font = ReadAll(Path("font.bin"));
        QCOMPARE(font.size(), 864);
        const CliOutcome refused = Run("convert ttf -o @font.bin");
        QVERIFY2(refused.status == 1 && refused.err.contains(" is not a file of 108-byte headers"),
                 refused.err.constData());
        QCOMPARE(ReadAll(Path("font.bin")), font);
        for (const char* kind : {"chip", "ttf", "chip"})
            QCOMPARE(Run(QString("convert %1 -o @headers.bin").arg(kind)).status, 0);
        QCOMPARE(ReadAll(Path("headers.bin")).size(), 3 * 108);
        QVERIFY(Run("convert chip --x0 3 --y0 5 -o @x.bin").out.contains("\nFont_x0,y0:3,5\n"));
        QCOMPARE(Run("convert ttf --append-anyway -o @font.bin").status, 0);
        QCOMPARE(ReadAll(Path("font.bin")).left(866), font + "TF");
    }

    void versionIsTheProjectVersion() {
        const CliOutcome run = Run("--version");
        QCOMPARE(run.out + run.err + char('0' + run.status),
                 QByteArray("runemill-cli " RUNEMILL_VERSION "\n0"));
    }

    // Unassigned BIG5 cells decode to U+FFFD and private-use characters that other installed
    // fonts have: with only the chosen face visible to fontconfig, the bytes stay the same.
    void bytesOnlyFromTheChosenFace() {
        if (!QFileInfo::exists(kZenHei)) SKIP_OR_FAIL("WenQuanYi Zen Hei is not installed");
        const QString big5 =
            "convert big5 --from A440 --to A4FF --width 16 --height 16 --quiet -o @";
        QCOMPARE(Run(big5 + "all.bin").status, 0);
        QCOMPARE(Run(big5 + "one.bin", FontConfig("only", {kZenHei})).status, 0);
        QCOMPARE(ReadAll(Path("one.bin")).toHex(), ReadAll(Path("all.bin")).toHex());
    }

    // A pixel font the test writes (BDF, 10 px), converted crisp and fitted into W x H 8bits:
    // its own size is chosen, each record holds the font's bitmap whole, in 0 and 255 only,
    // left-aligned, and the common ink (10 rows: 8 above the baseline, 2 below) lies with the
    // spare rows split evenly, an odd one below; a centred hanzi's columns likewise.
    void pixelFontReproduced_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("12 x 12") << 12 << 12;
        QTest::newRow("12 x 13: 3 rows, 3 columns spare") << 12 << 13;
        QTest::newRow("13 x 15: 5 rows, 4 columns spare") << 13 << 15;
        QTest::newRow("16 x 14: 4 rows, 7 columns spare") << 16 << 14;
    }
    void pixelFontReproduced() {
        QFETCH(int, width);
        QFETCH(int, height);
        struct Glyph {
            ushort code;
            int width, bottom;     // where the bitmap's last row sits against the baseline
            QVector<ushort> rows;  // left-aligned
        };
        // clang-format off
        const Glyph glyphs[] = {{'A', 5, 0, {0x2000, 0x5000, 0x8800, 0xF800, 0x8800, 0x8800, 0x8800, 0x9800}},
                                {'g', 5, -2, {0x7800, 0x8800, 0x8800, 0x7800, 0x0800, 0x8800, 0x7000}},
                                {0x4E2D, 9, -1, {0x0800, 0xFF80, 0x8880, 0xFF80, 0x0800, 0x0800}}};  // 中
        // clang-format on
        QString text;
        QString bdf =
            "STARTFONT 2.1\nFONT -test-Runemill "
            "Pixel-medium-r-normal--10-100-72-72-c-100-iso10646-1\n"
            "SIZE 10 72 72\nFONTBOUNDINGBOX 10 10 0 -2\nSTARTPROPERTIES 6\n"
            "FAMILY_NAME \"Runemill Pixel\"\nPIXEL_SIZE 10\nFONT_ASCENT 8\nFONT_DESCENT 2\n"
            "CHARSET_REGISTRY \"ISO10646\"\nCHARSET_ENCODING \"1\"\nENDPROPERTIES\nCHARS 3\n";
        for (const Glyph& g : glyphs) {
            bdf += QString::asprintf(
                "STARTCHAR c%X\nENCODING %d\nSWIDTH 1000 0\nDWIDTH 10 0\nBBX %d %d 0 %d\nBITMAP\n",
                g.code, g.code, g.width, g.rows.size(), g.bottom);
            for (const ushort row : g.rows) bdf += QString::asprintf("%04X\n", row);
            bdf += "ENDCHAR\n";
            text += QChar(g.code);
        }
        QVERIFY(WriteAll(Path("pixel.bdf"), (bdf + "ENDFONT\n").toLatin1()));
        QVERIFY(WriteAll(Path("pixel.txt"), text.toUtf8()));
        const QString convert =
            "convert string --text @pixel.txt --font-file @pixel.bdf --render "
            "crisp --fit -o @pixel.bin --width " +
            QString::number(width) + " --height ";
        const CliOutcome run = Run(convert + QString::number(height) + " --format 8bits");
        QCOMPARE(run.status, 0);
        QVERIFY2(run.err.startsWith("fit: 7.5 pt (10 px), y0 ") &&
                     run.err.endsWith("; all 3 glyphs fit\n"),
                 run.err.constData());
        const int area = width * height, top = (height - 10) / 2;
        auto drawn = [&](const Glyph& g, int left) {  // on its baseline, 8 rows below the top
            const int first = top + 8 - g.rows.size() - g.bottom;
            QByteArray expected(area, '\0');
            for (int y = 0; y < g.rows.size(); ++y)
                for (int x = 0; x < g.width; ++x)
                    if (g.rows[y] & (0x8000 >> x))
                        expected[(first + y) * width + left + x] = '\xff';
            return expected.toHex();
        };
        const QByteArray file = ReadAll(Path("pixel.bin"));
        QCOMPARE(file.size(), 9 + 3 * (2 + 1 + area));
        for (int g = 0; g < 3; ++g)
            QCOMPARE(file.mid(9 + 3 * 2 + g * (1 + area) + 1, area).toHex(), drawn(glyphs[g], 0));
        // A GB2312 hanzi is centred: 中 (D6D0, cell 47 of row D6 after the ASCII block) with the
        // spare columns split evenly, an odd one to the right.
        const QString gb2312 =
            QString(convert).replace("string --text @pixel.txt", "gb2312 --from D6D0 --to D6D0");
        QCOMPARE(Run(gb2312 + QString::number(height) + " --format 8bits").status, 0);
        QCOMPARE(ReadAll(Path("pixel.bin")).mid(104 + 95 * area + 47 * area, area).toHex(),
                 drawn(glyphs[2], (width - 9) / 2));
        if (height != 12) return;
        // 7 rows high: "A", 8 rows at the font's one size, fits at no size and is named.
        const CliOutcome narrow = Run(convert + "7");
        QCOMPARE(narrow.status, 0);
        QVERIFY2(narrow.err.startsWith("fit: 7.5 pt (10 px), ") &&
                     narrow.err.endsWith("; 1 of 3 glyphs fit at no size: A\n"),
                 narrow.err.constData());
    }

    // A character the chosen face lacks is drawn by the first fallback face that has it, as that
    // face alone draws it; without fallbacks it is blank. --face 2 draws the family of face 2.
    void fallbackFontsDrawWhatTheFaceLacks() {
        if (!QFileInfo::exists(kZenHei) || !QFileInfo::exists(kDejaVuSans))
            SKIP_OR_FAIL("fonts missing");
        QVERIFY(WriteAll(Path("mixed.txt"), QStringLiteral("A中").toUtf8()));
        // The records of "A" and "中": 9 + 2 * 2 bytes of header and table, then 1 + 16 * 16 each.
        auto records = [this](const QStringList& fonts) {
            const CliOutcome run =
                RunCli(Args("convert string --text @mixed.txt --width 16 --height 16 --format "
                            "8bits --render crisp --point-size 12 -o @mixed.bin") +
                       fonts);
            const QByteArray file = run.status == 0 ? ReadAll(Path("mixed.bin")) : QByteArray();
            return QPair<QByteArray, QByteArray>{file.mid(13, 257), file.mid(13 + 257, 257)};
        };
        const QStringList dejaVu{"--font-file", kDejaVuSans};
        const QString sharpFace = kZenHei + QString(":2");
        const auto alone = records(dejaVu);
        const auto withSharp = records(dejaVu + QStringList{"--fallback-font", sharpFace});
        const auto withZenHei =
            records(dejaVu + QStringList{"--fallback-font", kZenHei, "--fallback-font", sharpFace});
        const auto sharp = records({"--font-file", kZenHei, "--face", "2"});
        QCOMPARE(alone.second.mid(1).count('\0'), 256);  // blank without fallbacks
        QCOMPARE(withSharp.first, alone.first);          // "A" stays DejaVu Sans'
        QCOMPARE(withSharp.second, sharp.second);        // 中 as the Sharp face draws it
        QVERIFY(withZenHei.second != withSharp.second);  // the first fallback that has it: at 16 px
                                                         // crisp, Sharp draws its own bitmaps
        QVERIFY(sharp == records({"--font", "WenQuanYi Zen Hei Sharp"}));
        QVERIFY(sharp != records({"--font-file", kZenHei, "--face", "1"}));
    }
};

QTEST_MAIN(TestCli)
#include "test_cli.moc"
