// The window's commands through the real window: Convert ASCII, Convert string, Convert all of the
// four libraries, the two hidden 108-byte headers, and what a refusal or a failed write of any
// command leaves. Their bytes, and the header's log lines, are the core's (test_font_plan,
// test_golden, test_cli's window = CLI check); here: messages, log lines, dialogs, progress,
// buttons, the check box and lastDir. All runs use 16 x 16 cells in "1bits": 104 + 95 x 32 = 3144
// bytes before an encoding's glyphs.
#include <QtTest>

#include "window_fixture.h"

namespace {

enum Command { kAscii, kString, kChip, kTtf, kAll };
const char* const kButtons[] = {"pushButton_Ascii", "pushButton_String", "pushButton",
                                "pushButton_2", "pushButton_MakeFont"};  // chip, ttf: hidden
enum Library { kGb2312, kBig5, kGbk, kUnicode };

struct Failure {
    const char* name;
    Command command;
    QString target;  // "" cancels the save dialog
    QStringList messages;
    int dialogs;               // file dialogs shown
    const char* text = "abc";  // for Convert string; null cancels its text dialog
    const char *start = "A1A0", *end = "F7FE", *width = "16", *height = "16";
    qint64 fileLimit = 0;  // a file-size limit: a regular file that cannot grow past it
    int library = kGb2312, pixFormat = 0;  // for Convert all
    const char* logAdded = "";             // by a refused command
    int output = 0;                        // comboBox_Target: 1 is an LVGL C font
};

struct Completed {
    const char* name;
    Command command;
    int library;  // picked for Convert all; the encoding shown after the run
    const char *start, *end, *message;
    bool leftAfter;  // the check box, set the other way before Convert all (row A3 turns it on)
    const char* logTail;    // how the log ends (ASCII and string add nothing to the set-up's line)
    const char* during;     // how it ends while the glyphs are drawn; empty: as at the end
    QVector<int> state;     // bar, buttons and check box at the message, bar after it
    QByteArray units = {};  // a string font's UTF-16 units, from byte 9
};

}  // namespace

Q_DECLARE_METATYPE(Failure)
Q_DECLARE_METATYPE(Completed)

class WindowCommandsTest : public QObject, private WindowFixture {
    Q_OBJECT

    // Clicks a command; Convert string first asks for its text file.
    void run(Command command, const QString& target, const QString& text = QString()) {
        if (command == kString) answerer->QueueFile(text);
        answerer->QueueFile(target);
        w<QPushButton>(kButtons[command])->click();
    }
    QString textFile(const QByteArray& utf8) {
        return WriteAll(path("command.txt"), utf8) ? path("command.txt") : QString();
    }

  private slots:
    void init() {
        open();
        setCell("16", "16");
    }
    void cleanup() { close(); }

    // The dialog proposes lastDir + "_Font_.bin"; the next command starts where the last saved.
    void saveDialogStartsInLastDirectory() {
        QVERIFY(QDir().mkpath(path("sub")));
        run(kAscii, path("sub/a.bin"));
        QCOMPARE(lastDir(), path("sub") + "/");
        run(kChip, path("chip.bin"));
        QCOMPARE(lastDir(), dir->path() + "/");
        const QString shown = "Save bin files|%1|_Font_.bin|file(*.bin)";
        QCOMPARE(answerer->fileDialogs,
                 QStringList({shown.arg(QDir::cleanPath(QCoreApplication::applicationDirPath())),
                              shown.arg(QDir::cleanPath(path("sub")))}));
    }

    // A longer file is emptied first. While the glyphs are drawn the buttons are off (and for ASCII
    // and string the check box on); the closing message shows the bar at 100, and for Convert all
    // the buttons still off until it is closed, then back with the bar at 0. Convert string
    // leaves the window on Unicode and keeps the text's distinct UTF-16 units in first-occurrence
    // order, line breaks left out. Range edges and the code fields' parsing are test_font_plan's
    // and test_codes'; a run keeps its cell whatever the form reads meanwhile (below).
    void completedRuns_data() {
        QTest::addColumn<Completed>("c");
        const QByteArray units = QByteArray::fromHex("7800790020003DD800DE");
        // clang-format off
        const Completed rows[] = {
            {"ASCII", kAscii, kGb2312, "", "", "UniCode Font Lib ok", false, "y0=-7,pos=26", "", {100, 3, 0, 0}},
            {"string", kString, kUnicode, "", "", "String Font bin ok", false, "y0=-7,pos=26", "", {100, 0, 1, 100}, units},
            {"GB2312 lowest start, to row A3", kAll, kGb2312, "A1A0", "A3FE", "GB2312 Font Lib ok", true, "page:A1,endpage:A3", "", {100, 0, 1, 0}},
            {"BIG5 highest end", kAll, kBig5, "F940", "F9FF", "BIG5 Font Lib ok", false, "\nmaxPage=FA,minPage=F9", "", {100, 0, 0, 0}},
            {"GBK highest end", kAll, kGbk, "FE40", "FEFE", "GBK Font Lib ok", false, "{0,\n};", "maxPage=FF,minPage=FE", {100, 0, 0, 0}},
            // GBK's width list replaces the log.
            {"GBK row A3", kAll, kGbk, "A340", "A3FE", "GBK Font Lib ok", true, "\n};", "maxPage=A4,minPage=A3", {100, 0, 1, 0}},
            {"Unicode low codes", kAll, kUnicode, "0000", "0021", "UniCode Font Lib ok", false, "\nUnicode start:0000\nUnicode end:0021\nUnicode nmuber:34", "", {100, 0, 0, 0}},
        };
        // clang-format on
        for (const Completed& row : rows) QTest::newRow(row.name) << row;
    }
    void completedRuns() {
        QFETCH(Completed, c);
        const bool all = c.command == kAll;
        setLeft(all && !c.leftAfter);
        if (all) {
            pick("comboBox_FCode", c.library);
            set("lineEdit_SCode", c.start);
            set("lineEdit_ECode", c.end);
        }
        QVERIFY(WriteAll(path("out.bin"), QByteArray(60000, 'x')));
        QVector<int> seen;
        answerer->onMessage = [&](QString) { seen << progress() << enabledButtons() << left(); };
        bool leftOffDuring = false;
        QString logDuring;
        onSample = [&] {
            leftOffDuring |= !left();
            logDuring = log();
        };
        run(c.command, path("out.bin"), textFile("x\r\ny x\r\n\xF0\x9F\x98\x80"));
        QCOMPARE(answerer->messages, QStringList({c.message}));
        const QByteArray file = ReadAll(path("out.bin"));
        QVERIFY2(file.size() > (all ? 3144 : 9) && file.size() < 60000, "the old bytes gone");
        QCOMPARE(file.mid(9, c.units.size()), c.units);
        QVERIFY2(log().endsWith(c.logTail), qPrintable(log()));
        if (all && c.library == kGb2312) QCOMPARE(log(), QString(c.logTail));  // the log cleared
        QVERIFY2(logDuring.endsWith(*c.during ? c.during : c.logTail), qPrintable(logDuring));
        QVERIFY(samples > 0 && mostButtonsDuring == 0 && (all || !leftOffDuring));
        const QVector<int> after{3, c.leftAfter, c.library};  // buttons, check box, encoding
        QCOMPARE(seen << progress() << enabledButtons() << left()
                      << w<QComboBox>("comboBox_FCode")->currentIndex(),
                 c.state + after);
    }

    // A View at a size that cannot be drawn is refused, and the next run at a good size still
    // draws every glyph: the file equals one made beforehand.
    void undrawableViewThenRun_data() {
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<QString>("message");
        const QString small = "W and H must be at least 1.",
                      large =
                          "A cell of %1 x %1 pixels is too large to draw; choose a smaller W or H.";
        QTest::newRow("empty W") << QString() << "16" << small;
        QTest::newRow("beyond int") << QString("99999999999") << "16" << small;
        QTest::newRow("too large to draw") << QString("99999") << "99999" << large.arg(99999);
        QTest::newRow("the ends of int")
            << QString("2147483647") << "2147483647" << large.arg(INT_MAX);
    }
    void undrawableViewThenRun() {
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(QString, message);
        run(kAscii, path("before.bin"));
        setCell(width, height);
        w<QPushButton>("pushButton_3")->click();
        w<QScrollBar>("verticalScrollBar")->setValue(27);  // silent: W or H is being edited
        w<QScrollBar>("verticalScrollBar")->setValue(26);
        setCell("16", "16");
        run(kAscii, path("after.bin"));
        QCOMPARE(answerer->messages,
                 QStringList({"UniCode Font Lib ok", message, "UniCode Font Lib ok"}));
        const QByteArray a = ReadAll(path("after.bin")).mid(104 + 33 * 32, 32);
        QVERIFY(a.leftJustified(32, '\0') != QByteArray(32, '\0'));  // 'A' has ink
        QCOMPARE(ReadAll(path("after.bin")), ReadAll(path("before.bin")));
    }

    // The same View pressed in the middle of a run, with another pixel format chosen: the View
    // reads them into the window, the run keeps drawing in its own cell and format (Convert all
    // starts its runs the same way).
    void undrawableViewDuringRun() {
        run(kAscii, path("before.bin"));
        onSample = [this] {
            onSample = nullptr;
            set("lineEdit_W", "");
            pick("comboBox_PixFormat", 3);
            w<QPushButton>("pushButton_3")->click();
        };
        run(kAscii, path("after.bin"));
        QCOMPARE(answerer->messages,
                 QStringList({"UniCode Font Lib ok", "W and H must be at least 1.",
                              "UniCode Font Lib ok"}));
        QCOMPARE(ReadAll(path("after.bin")), ReadAll(path("before.bin")));
    }

    // Closing the window while a run draws stops it: no completion message, the old file as it
    // was, and the window closes once the run has unwound.
    void closeDuringRun() {
        QVERIFY(WriteAll(path("old.bin"), "old"));
        window->show();
        onSample = [this] {
            onSample = nullptr;
            window->close();
        };
        run(kAscii, path("old.bin"));
        QVERIFY(answerer->messages.isEmpty());
        QCOMPARE(ReadAll(path("old.bin")), QByteArray("old"));
        QTRY_VERIFY(!window->isVisible());
    }

    // Nothing written (a refusal, a cancelled dialog, no text) or the writer failed: old.bin is
    // left as it was and the buttons are back; where nothing ran, the check box and the log too,
    // and lastDir where no file was chosen. Both header buttons share one command, so their
    // refusals are split between them. The core's range checks are test_font_plan's.
    void refusalsAndFailures_data() {
        QTest::addColumn<Failure>("c");
        const QString ascii = "UniCode Font Lib ok", cancelled = "Can't save to this file.",
                      noCell = "W and H must be at least 1.";
        const QString grow =
            "Only %2 of %3 bytes could be written to %1 (File too large); the file was left as it "
            "was.";
        // clang-format off
        const Failure rows[] = {
            // A failed write shows its message and no completion message.
            {"ASCII, no directory", kAscii, "missing/a.bin", {QString::fromUtf8("打开文件失败")}, 1},
            {"ASCII, disk full", kAscii, "/dev/full", {"Only 0 of 3144 bytes could be written to /dev/full (No "
             "space left on device); the file was left as it was."}, 1},
            {"ASCII, file cannot grow: old kept", kAscii, "old.bin", {grow.arg("%1", "100", "3144")}, 1,
             "", "A1A0", "F7FE", "16", "16", 100},
            {"chip, file cannot grow: cut back", kChip, "old.bin", {grow.arg("%1", "97", "108")},
             1, "", "A1A0", "F7FE", "16", "16", 100},
            // 104 + 95 x 32 bytes of ASCII, 190 x 32 for the one GBK row.
            {"all, GBK, file cannot grow", kAll, "old.bin", {grow.arg("%1", "100", "9224")}, 1, "", "A1A1",
             "A1A1", "16", "16", 100, kGbk},
            {"string saved over its text file", kString, "./command.txt", {"%1 is also the text file; it would be "
             "overwritten"}, 2},
            {"string, cell too large", kString, "old.bin", {"A cell of 2147483647 x 16 pixels is too large to "
             "draw; choose a smaller W or H."}, 2, "abc", "A1A0", "F7FE", "2147483647"},
            {"string, GBK text declined", kString, "old.bin", {"%1 is not UTF-8: the byte at offset 0 starts no "
             "UTF-8 character. Save the text as UTF-8 (a GBK or BIG5 text gives wrong characters).\n\nConvert "
             "it anyway?"}, 1, "\xbb\xb6\xd3\xad"},
            {"ASCII cancelled", kAscii, "", {cancelled}, 1},
            {"ASCII, C font named for a keyword", kAscii, "int.c", {"'int' is a C or C++ keyword; choose "
             "another file name"}, 1, "", "A1A0", "F7FE", "16", "16", 0, kGb2312, 0, "", 1},
            {"all, C font to a .bin", kAll, "c.bin", {"an LVGL C font (lv_font_t) is written to a .c file; give -o "
             "FILE.c"}, 1, "", "4E00", "4E0F", "16", "16", 0, kUnicode, 0, "\nUnicode start:4E00\nUnicode end:4E0F\nUnicode "
             "nmuber:16", 1},
            {"string, no text file chosen", kString, "old.bin", {}, 2, nullptr},
            {"string, blank lines only", kString, "old.bin", {}, 2, " \n\t\n\n"},
            {"chip short end", kChip, "old.bin", {"End code number is less 4."}, 1, "", "A1A0", "F7F"},
            {"ttf short start", kTtf, "old.bin", {"Start code number is less 4."}, 1, "", "A1A"},
            {"ttf end below start", kTtf, "old.bin", {"Error for start code > end code. And stop."}, 1, "",
             "B0A1", "B0A0"},
            {"all, empty W", kAll, "old.bin", {noCell}, 0, "", "B0A1", "B0FE", ""},
            {"all, Unicode, H of 0 after the dialog", kAll, "old.bin", {noCell}, 1, "", "4E00", "4E0F", "16",
             "0", 0, kUnicode, 0, "\nUnicode start:4E00\nUnicode end:4E0F\nUnicode nmuber:16"},
            // GBK's default range at 212 x 212 aRGB4444: 24035 x 89888 bytes, past 2^31.
            {"all, 2 GB, GBK", kAll, "old.bin", {"The file would be 2 GB or larger; choose a smaller cell, pixel "
             "format or code range."}, 0, "", "8140", "FEBF", "212", "212", 0, kGbk, 4},
            {"all, GB2312 cancelled", kAll, "", {cancelled}, 1, "", "B0A1", "B0FE"},
            {"all, Unicode cancelled", kAll, "", {cancelled}, 1, "", "4E00", "4E0F", "16", "16", 0, kUnicode},
        };
        // clang-format on
        for (const Failure& row : rows) QTest::newRow(row.name) << row;
    }
    void refusalsAndFailures() {
        QFETCH(Failure, c);
        pick("comboBox_FCode", c.library);  // before the code fields: it sets them
        pick("comboBox_PixFormat", c.pixFormat);
        pick("comboBox_Target", c.output);
        setCell(c.width, c.height);
        set("lineEdit_SCode", c.start);
        set("lineEdit_ECode", c.end);
        setLeft(true);
        QVERIFY(WriteAll(path("old.bin"), "old"));
        const QString before = log(), dirBefore = lastDir();
        const QString target =
            c.target.isEmpty() || c.target.startsWith('/') ? c.target : path(c.target);
        const QString text = c.text ? textFile(c.text) : QString();
        QVERIFY(LimitFileSize(c.fileLimit));
        run(c.command, target, text);
        QVERIFY(LimitFileSize(0));
        QStringList expected, shown = answerer->messages;
        for (const QString& m : c.messages)
            expected << (m.contains("%1") ? m.arg(m.contains("UTF-8") ? text : target) : m);
        // The file dialog returns "dir/./name" as given or cleaned, depending on when its
        // folder finished loading.
        QCOMPARE(shown.replaceInStrings("/./", "/"), expected.replaceInStrings("/./", "/"));
        QCOMPARE(answerer->fileDialogs.size(), c.dialogs);
        QCOMPARE(ReadAll(path("old.bin")), QByteArray("old"));
        if (c.output) QVERIFY(!QFile::exists(target));
        if (c.text) QCOMPARE(ReadAll(text), QByteArray(c.text));
        QCOMPARE(QVector<int>({enabledButtons(), progress()}), QVector<int>({3, 0}));
        const QString first = c.messages.value(0);
        const bool ran = first.startsWith("Only") || first == QString::fromUtf8("打开文件失败");
        if (!ran) QCOMPARE(log(), before + c.logAdded);  // else it ran, and its write failed
        // Convert string checks the box and unchecks it again, whatever stopped it.
        if (!ran) QCOMPARE(left(), c.command != kString);
        if (c.target.isEmpty() || c.dialogs == 0) QCOMPARE(lastDir(), dirBefore);
    }
};

QTEST_MAIN(WindowCommandsTest)
#include "test_window_commands.moc"
