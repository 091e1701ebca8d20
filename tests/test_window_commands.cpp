// The window's commands that write one file each: Convert ASCII, Convert string and the two
// hidden 108-byte headers. Their bytes, and the header's log lines, are the core's (test_font_plan,
// test_golden, test_cli's window = CLI check); here: messages, dialogs, progress, buttons, the
// check box, lastDir and what a refusal or a failed write leaves.
#include <sys/resource.h>

#include <QtTest>
#include <csignal>

#include "window_fixture.h"

namespace {

enum Command { kAscii, kString, kChip, kTtf };
const char* const kButtons[] = {"pushButton_Ascii", "pushButton_String", "pushButton",
                                "pushButton_2"};  // the last two are hidden, but wired

struct Failure {
    const char* name;
    Command command;
    QString target;  // "" cancels the save dialog
    QStringList messages;
    const char* text = "abc";  // for Convert string; null cancels its text dialog
    const char *start = "A1A0", *end = "F7FE";
    int width = 16;
    qint64 fileLimit = 0;  // a file-size limit: a regular file that cannot grow past it
};

}  // namespace

Q_DECLARE_METATYPE(Failure)

class WindowCommandsTest : public QObject, private WindowFixture {
    Q_OBJECT

    void setCell(int width, int height) {
        set("lineEdit_W", QString::number(width));
        set("lineEdit_H", QString::number(height));
    }
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
        setCell(16, 16);
    }
    void cleanup() { close(); }

    // The dialog proposes lastDir + "_Font_.bin"; the next command starts where the last saved.
    void saveDialogStartsInLastDirectory() {
        QVERIFY(QDir().mkpath(path("sub")));
        run(kAscii, path("sub/a.bin"));
        QCOMPARE(lastDir(), path("sub") + "/");
        run(kChip, path("chip.bin"));
        QCOMPARE(lastDir(), dir->path() + "/");
        const QString first = QDir::cleanPath(QCoreApplication::applicationDirPath());
        QCOMPARE(answerer->fileDialogs(),
                 QStringList({"Save bin files|" + first + "|_Font_.bin|file(*.bin)",
                              "Save bin files|" + QDir::cleanPath(path("sub")) +
                                  "|_Font_.bin|file(*.bin)"}));
    }

    // A longer file is emptied first; the check box is on while the glyphs are drawn and
    // restored after; the buttons come back before the closing message, the bar shows 100
    // until it closes.
    void asciiFont() {
        QVERIFY(WriteAll(path("ascii.bin"), QByteArray(60000, 'x')));
        QVector<int> atMessage;
        answerer->SetOnMessage(
            [&](const QString&) { atMessage << progress() << enabledButtons(); });
        bool leftOffDuring = false;
        onSample = [&] { leftOffDuring |= !left(); };
        run(kAscii, path("ascii.bin"));
        QCOMPARE(answerer->messages(), QStringList({"UniCode Font Lib ok"}));
        QCOMPARE(ReadAll(path("ascii.bin")).size(), 104 + 95 * 32);
        QCOMPARE(atMessage, QVector<int>({100, 3}));
        QVERIFY(samples > 0 && mostButtonsDuring == 0 && !leftOffDuring);
        QVERIFY(!left());
        QCOMPARE(progress(), 0);
    }

    // The text's distinct UTF-16 units in first-occurrence order, line breaks left out; the run
    // leaves the window on the Unicode library, the bar at 100, the buttons off and the check
    // box on until the message is closed. (Its bytes are test_cli's window = CLI check.)
    void stringFont() {
        setLeft(false);
        QVERIFY(WriteAll(path("s.bin"), QByteArray(5000, 'x')));
        QVector<int> atMessage;
        answerer->SetOnMessage(
            [&](const QString&) { atMessage << progress() << enabledButtons() << left(); });
        run(kString, path("s.bin"), textFile("x\r\ny x\r\n\xF0\x9F\x98\x80"));
        QCOMPARE(answerer->messages(), QStringList({"String Font bin ok"}));
        const QByteArray file = ReadAll(path("s.bin"));
        QCOMPARE(file.size(), 9 + 5 * 35);
        QCOMPARE(file.mid(9, 10), Hex("7800790020003DD800DE"));
        QCOMPARE(atMessage, QVector<int>({100, 0, 1}));
        QVERIFY(samples > 0 && mostButtonsDuring == 0);
        QCOMPARE(w<QComboBox>("comboBox_FCode")->currentText(), QStringLiteral("UniCode"));
        QCOMPARE(w<QLineEdit>("lineEdit_SCode")->text() + w<QLineEdit>("lineEdit_ECode")->text(),
                 QStringLiteral("4E009FA5"));
        QVERIFY(!left());
        QCOMPARE(enabledButtons(), 3);
        QCOMPARE(progress(), 100);
    }

    // A View at a size that cannot be drawn is refused, and the next run at a good size still
    // draws every glyph: the file equals one made beforehand.
    void undrawableViewThenRun_data() {
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<QString>("message");
        const QString small = "W and H must be at least 1.";
        QTest::newRow("empty W") << ""
                                 << "16" << small;
        QTest::newRow("beyond int") << "99999999999"
                                    << "16" << small;
        QTest::newRow("too large to draw")
            << "99999"
            << "99999"
            << "A cell of 99999 x 99999 pixels is too large to draw; choose a smaller W or H.";
    }
    void undrawableViewThenRun() {
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(QString, message);
        run(kAscii, path("before.bin"));
        set("lineEdit_W", width);
        set("lineEdit_H", height);
        w<QPushButton>("pushButton_3")->click();
        w<QScrollBar>("verticalScrollBar")->setValue(27);  // silent: W or H is being edited
        w<QScrollBar>("verticalScrollBar")->setValue(26);
        setCell(16, 16);
        run(kAscii, path("after.bin"));
        QCOMPARE(answerer->messages(),
                 QStringList({"UniCode Font Lib ok", message, "UniCode Font Lib ok"}));
        QVERIFY(Inked(ReadAll(path("after.bin")), 104 + 33 * 32));  // 'A'
        QCOMPARE(ReadAll(path("after.bin")), ReadAll(path("before.bin")));
    }

    // The same View pressed in the middle of a run: the run keeps drawing at its own size.
    void undrawableViewDuringRun() {
        run(kAscii, path("before.bin"));
        onSample = [this] {
            onSample = nullptr;
            set("lineEdit_W", "");
            w<QPushButton>("pushButton_3")->click();
        };
        run(kAscii, path("after.bin"));
        QCOMPARE(answerer->messages(),
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
        QVERIFY(answerer->messages().isEmpty());
        QCOMPARE(ReadAll(path("old.bin")), QByteArray("old"));
        QTRY_VERIFY(!window->isVisible());
    }

    // Nothing written (a refusal, a cancelled dialog, no text) or the writer failed: old.bin is
    // left as it was and the buttons are back. Both header buttons share one command, so their
    // refusals are split between them.
    void refusalsAndFailures_data() {
        QTest::addColumn<Failure>("c");
        const QString ascii = "UniCode Font Lib ok", cancelled = "Can't save to this file.";
        const QString grow =
            "Only %2 of %3 bytes could be written to %1 (File too large); the file was left as it "
            "was.";
        // clang-format off
        const Failure rows[] = {
            {"ASCII, no directory", kAscii, "missing/a.bin", {QString::fromUtf8("打开文件失败"), ascii}},
            {"ASCII, disk full", kAscii, "/dev/full", {"Only 0 of 3144 bytes could be written to /dev/full (No "
             "space left on device); the file was left as it was.", ascii}},
            {"ASCII, file cannot grow: old kept", kAscii, "old.bin", {grow.arg("%1", "100", "3144"), ascii},
             "", "A1A0", "F7FE", 16, 100},
            {"chip, file cannot grow: cut back", kChip, "old.bin", {grow.arg("%1", "97", "108"), "Font bin ok"},
             "", "A1A0", "F7FE", 16, 100},
            {"string, cell too large", kString, "old.bin", {"A cell of 2147483647 x 16 pixels is too large to "
             "draw; choose a smaller W or H."}, "abc", "A1A0", "F7FE", 2147483647},
            {"string, GBK text declined", kString, "old.bin", {"%1 is not UTF-8: the byte at offset 0 starts no "
             "UTF-8 character. Save the text as UTF-8 (a GBK or BIG5 text gives wrong characters).\n\nConvert "
             "it anyway?"}, "\xbb\xb6\xd3\xad"},
            {"ASCII cancelled", kAscii, "", {cancelled}},
            {"chip cancelled", kChip, "", {cancelled}},
            {"string, no text file chosen", kString, "old.bin", {}, nullptr},
            {"string, blank lines only", kString, "old.bin", {}, " \n\t\n\n"},
            {"chip short end", kChip, "old.bin", {"End code number is less 4."}, "", "A1A0", "F7F"},
            {"ttf short start", kTtf, "old.bin", {"Start code number is less 4."}, "", "A1A"},
            {"ttf end below start", kTtf, "old.bin", {"Error for start code > end code. And stop."}, "", "B0A1",
             "B0A0"},
        };
        // clang-format on
        for (const Failure& row : rows) QTest::newRow(row.name) << row;
    }
    void refusalsAndFailures() {
        QFETCH(Failure, c);
        setCell(c.width, 16);
        set("lineEdit_SCode", c.start);
        set("lineEdit_ECode", c.end);
        setLeft(true);
        QVERIFY(WriteAll(path("old.bin"), "old"));
        const QString before = log(), dirBefore = lastDir();
        const QString target =
            c.target.isEmpty() || c.target.startsWith('/') ? c.target : path(c.target);
        const QString text = c.text ? textFile(c.text) : QString();
        const rlimit noLimit{RLIM_INFINITY, RLIM_INFINITY},
            limit{rlim_t(c.fileLimit), RLIM_INFINITY};
        std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of ending the test
        if (c.fileLimit) setrlimit(RLIMIT_FSIZE, &limit);
        run(c.command, target, text);
        if (c.fileLimit) setrlimit(RLIMIT_FSIZE, &noLimit);
        QStringList expected;
        for (const QString& m : c.messages)
            expected << (m.contains("%1") ? m.arg(m.startsWith("Only") ? target : text) : m);
        QCOMPARE(answerer->messages(), expected);
        QCOMPARE(ReadAll(path("old.bin")), QByteArray("old"));
        QCOMPARE(enabledButtons(), 3);
        if (c.messages.size() < 2) QCOMPARE(log(), before);
        if (c.target.isEmpty()) QVERIFY(lastDir() == dirBefore && left());
    }
};

QTEST_MAIN(WindowCommandsTest)
#include "test_window_commands.moc"
