// The window's commands that write one file each: Convert ASCII, Convert
// string, the two hidden 108-byte headers, and the save dialog and writer
// they share. Offsets are worked out by hand for 16 x 16 cells in "1bits":
// 2 bytes a row, S = 32 bytes a glyph.
#include <QFileDialog>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>

#include "window_fixture.h"

namespace {

enum Command { kAscii, kString, kChip, kTtf };
const char* const kButtons[] = {"pushButton_Ascii", "pushButton_String", "pushButton",
                                "pushButton_2"};  // the last two are hidden, but wired
const QString kOpenFailed = QString::fromUtf8("打开文件失败");

struct AsciiCase {
    const char* name;
    int width, height, pixFormat, spaceIndex, length, glyphBytes, spaceWidth;
    const char* header;
};
struct HeaderCase {
    const char* name;
    Command command;
    const char *start, *end;
    bool styled;  // italic, bold and an underlined font
    int hScroll;
    QString family;
    const char* fields;  // bytes 4 to 7 and 26 to 29, in hex
    QByteArray stored;   // the family as stored
    QString logTail;
};
struct Failure {
    const char* name;
    Command command;
    QString target;  // "" cancels the save dialog
    QStringList messages;
    const char* text = "abc";  // for Convert string; null cancels its text dialog
    const char *start = "A1A0", *end = "F7FE";
    const char* width = "16";
    qint64 fileLimit = 0;  // a file-size limit: a regular file that cannot grow past it
};

// Records what each save dialog showed: title|directory|file name|filter.
struct FileDialogSpy : QObject {
    QStringList seen;
    bool eventFilter(QObject* object, QEvent* event) override {
        if (auto* d = qobject_cast<QFileDialog*>(object); d && event->type() == QEvent::Show)
            seen << d->windowTitle() + '|' + QDir::cleanPath(d->directory().absolutePath()) + '|' +
                        d->findChild<QLineEdit*>("fileNameEdit")->text() + '|' +
                        d->nameFilters().join(';');
        return false;
    }
};

}  // namespace

Q_DECLARE_METATYPE(AsciiCase)
Q_DECLARE_METATYPE(HeaderCase)
Q_DECLARE_METATYPE(Failure)

class WindowCommandsTest : public QObject, private WindowFixture {
    Q_OBJECT

    void setCell(int width, int height, int pixFormat = 0) {
        set("lineEdit_W", QString::number(width));
        set("lineEdit_H", QString::number(height));
        pick("comboBox_PixFormat", pixFormat);
    }
    QString textFile(const QByteArray& utf8) {
        return WriteAll(path("command.txt"), utf8) ? path("command.txt") : QString();
    }
    // Clicks a command; Convert string first asks for its text file.
    void run(Command command, const QString& target, const QString& text = QString()) {
        if (command == kString) answerer->QueueFile(text);
        answerer->QueueFile(target);
        w<QPushButton>(kButtons[command])->click();
    }

  private slots:
    void init() { open(); }
    void cleanup() { close(); }

    // The dialog proposes lastDir + "./_Font_.bin"; the next command starts where the last saved.
    void saveDialogStartsInLastDirectory() {
        FileDialogSpy spy;
        qApp->installEventFilter(&spy);
        QVERIFY(QDir().mkpath(path("sub")));
        run(kAscii, path("sub/a.bin"));
        QCOMPARE(lastDir(), path("sub") + "/");
        run(kChip, path("chip.bin"));
        QCOMPARE(lastDir(), dir->path() + "/");
        qApp->removeEventFilter(&spy);
        const QString first = QDir::cleanPath(QCoreApplication::applicationDirPath());
        QCOMPARE(spy.seen, QStringList({"Save bin files|" + first + "|_Font_.bin|file(*.bin)",
                                        "Save bin files|" + QDir::cleanPath(path("sub")) +
                                            "|_Font_.bin|file(*.bin)"}));
    }

    // 104 + 95 x S bytes; the space width is W / 2, 3 or 4; a longer file is
    // emptied first; all glyphs drawn left-aligned with the check box on, then
    // the box restored.
    void asciiFont_data() {
        QTest::addColumn<AsciiCase>("c");
        const AsciiCase rows[] = {
            {"32x32 1bits 1/2", 32, 32, 0, 0, 12264, 128, 16, "41532020FFFFFFFF00"},
            {"32x32 1bits 1/3", 32, 32, 0, 1, 12264, 128, 10, "41532020FFFFFFFF00"},
            {"16x16 1bits 1/4", 16, 16, 0, 2, 3144, 32, 4, "41531010FFFFFFFF00"},
            {"12x10 1bits", 12, 10, 0, 1, 2004, 20, 4, "41530C0AFFFFFFFF00"},
            {"15x16 4bits", 15, 16, 2, 0, 12264, 128, 7, "41530F10FFFFFFFF02"},
            {"16x16 aRGB4444", 16, 16, 4, 1, 48744, 512, 5, "41531010FFFFFFFF04"},
        };
        for (const AsciiCase& row : rows) QTest::newRow(row.name) << row;
    }
    void asciiFont() {
        QFETCH(AsciiCase, c);
        setCell(c.width, c.height, c.pixFormat);
        pick("comboBox_Space", c.spaceIndex);
        QVERIFY(WriteAll(path("ascii.bin"), QByteArray(60000, 'x')));
        QVector<int> atMessage;
        answerer->SetOnMessage(
            [&](const QString&) { atMessage << progress() << enabledButtons(); });
        bool leftOffDuring = false;
        onSample = [&] { leftOffDuring |= !left(); };
        run(kAscii, path("ascii.bin"));
        QCOMPARE(answerer->messages(), QStringList({"UniCode Font Lib ok"}));
        const QByteArray file = ReadAll(path("ascii.bin"));
        QCOMPARE(file.size(), c.length);
        QCOMPARE(file.left(10), Hex(c.header) + char(c.spaceWidth));
        QVERIFY2(Filled(file, 104, c.glyphBytes), "the space glyph is blank");
        // 'A' is character 33: width byte 42, glyph at 104 + 33 x S.
        QVERIFY(!Filled(file, 104 + 33 * c.glyphBytes, c.glyphBytes));
        QVERIFY(uchar(file.at(42)) > 1 && uchar(file.at(42)) <= c.width);
        for (int i = 1; i < 95; ++i)  // even a glyph cut off by the cell measures 1
            QVERIFY2(file.at(9 + i) >= 1, qPrintable(QString::number(i)));
        if (c.glyphBytes == 32) QVERIFY(LeftAligned(file, 104 + 32));  // '!'
        // The buttons come back before the closing message; the bar shows 100 until it closes.
        QCOMPARE(atMessage, QVector<int>({100, 3}));
        QVERIFY(samples > 0 && mostButtonsDuring == 0 && !leftOffDuring);
        QVERIFY(!left());
        QCOMPARE(progress(), 0);
    }

    // Count, the distinct UTF-16 units in first-occurrence order (low byte
    // first), then records of a width byte and S bytes; the run leaves the
    // window on the Unicode library and the bar at 100.
    void stringFont_data() {
        QTest::addColumn<QByteArray>("utf8");
        QTest::addColumn<QByteArray>("codes");
        QTest::addColumn<int>("length");  // 9 + count x 35
        QTest::newRow("worked example")
            << QByteArray("abca\n  b  c  d  \n") << Hex("61006200630020006400") << 184;
        QTest::newRow("case kept apart") << QByteArray("aA") << Hex("61004100") << 79;
        QTest::newRow("CRLF lines") << QByteArray("x\r\ny x\r\n") << Hex("780079002000") << 114;
        QTest::newRow("CJK and repeats") << QByteArray("乐乐啊") << Hex("504E4A55") << 79;
        QTest::newRow("outside the BMP") << QByteArray("\xF0\x9F\x98\x80") << Hex("3DD800DE") << 79;
    }
    void stringFont() {
        QFETCH(QByteArray, utf8);
        QFETCH(QByteArray, codes);
        QFETCH(int, length);
        setCell(16, 16);
        setLeft(false);
        QVERIFY(WriteAll(path("s.bin"), QByteArray(5000, 'x')));
        QVector<int> atMessage;
        answerer->SetOnMessage(
            [&](const QString&) { atMessage << progress() << enabledButtons() << left(); });
        run(kString, path("s.bin"), textFile(utf8));
        QCOMPARE(answerer->messages(), QStringList({"String Font bin ok"}));
        const QByteArray file = ReadAll(path("s.bin"));
        const int count = codes.size() / 2;
        QCOMPARE(file.size(), length);
        QCOMPARE(file.left(9 + 2 * count), Hex("53531010") + char(count) + Hex("00554E00") + codes);
        for (int k = 0, record = 9 + 2 * count; k < count; ++k, record += 33) {
            // A space, and a lone half of a surrogate pair (no face has a glyph for it): no ink, width 1.
            const ushort unit = uchar(codes.at(2 * k)) | uchar(codes.at(2 * k + 1)) << 8;
            const bool space = unit == 0x20 || QChar::isSurrogate(unit);
            QCOMPARE(Filled(file, record + 1, 32), space);
            QVERIFY(space ? file.at(record) == 1 : file.at(record) >= 1);
        }
        if (QByteArray(QTest::currentDataTag()) == "worked example")  // 'a' at 19, space at 118
            QVERIFY(uchar(file.at(19)) > 1 && LeftAligned(file, 20) && file.at(118) == 1);
        QCOMPARE(atMessage, QVector<int>({100, 0, 1}));
        QVERIFY(samples > 0 && mostButtonsDuring == 0);
        QCOMPARE(w<QComboBox>("comboBox_FCode")->currentText(), QStringLiteral("UniCode"));
        QCOMPARE(w<QLineEdit>("lineEdit_SCode")->text() + w<QLineEdit>("lineEdit_ECode")->text(),
                 QStringLiteral("4E009FA5"));
        QVERIFY(!left());
        QCOMPARE(enabledButtons(), 3);
        QCOMPARE(progress(), 100);
    }

    // Magic, codes (4 to 7), a fixed text (8 to 25), the flags (0x80 | italic
    // 4 | bold 2 | underline 1), size 20, x0 = scroll value - 25 and y0 = -7
    // (26 to 29), FF FF, then the family (GBK) and 0x00 at 32, 0xFF to the end;
    // appended to what the file held.
    void header_data() {
        QTest::addColumn<HeaderCase>("c");
        const QString song = QString::fromUtf8("宋体"), f75(75, 'f'), f76(76, 'f');
        const QByteArray gbk = Hex("CBCECCE5");
        const HeaderCase rows[] = {
            {"chip defaults", kChip, "A1A0", "F7FE", false, 25, song, "A0A1FEF7801400F9", gbk,
             "\nSize:20\nFont_x0,y0:0,-7\nfontText[28]:00,FFFFFFF9\nfamily:" + song},
            {"ttf defaults", kTtf, "A1A0", "F7FE", false, 25, song, "A0A1FEF7801400F9", gbk,
             "\nSize:20\nfamily:" + song},
            {"ttf styled, non-hex digit counts 0, extra characters, negative x0", kTtf, "12G4",
             "9fa5xyz", true, 22, song, "0412A59F8714FDF9", gbk, ""},
            {"75-byte family stored whole", kChip, "A1A0", "F7FE", false, 25, f75,
             "A0A1FEF7801400F9", QByteArray(75, 'f'), "\nfamily:" + f75},
            {"76-byte family cut to 55", kTtf, "A1A0", "F7FE", false, 25, f76, "A0A1FEF7801400F9",
             QByteArray(55, 'f'), "\nfamily:" + f76},
        };
        for (const HeaderCase& row : rows) QTest::newRow(row.name) << row;
    }
    void header() {
        QFETCH(HeaderCase, c);
        set("lineEdit_SCode", c.start);
        set("lineEdit_ECode", c.end);
        w<QCheckBox>("checkBox_SetItalic")->setChecked(c.styled);
        w<QCheckBox>("checkBox_SetBold")->setChecked(c.styled);
        MainWindowTestAccess::currentFont(*window).setUnderline(c.styled);
        MainWindowTestAccess::currentFont(*window).setFamily(c.family);
        w<QScrollBar>("horizontalScrollBar")->setValue(c.hScroll);
        QVERIFY(WriteAll(path("h.bin"), "0123456789"));
        run(c.command, path("h.bin"));
        QCOMPARE(answerer->messages(), QStringList({"Font bin ok"}));
        const QByteArray file = ReadAll(path("h.bin")), fields = Hex(c.fields);
        const QByteArray text = Hex(c.command == kChip ? "005A51374D525045344B484300FFFFFFFFFF"
                                                       : "004B56373130342054544620466F6E7400FF");
        QCOMPARE(file.size(), 118);
        QCOMPARE(file.left(42), "0123456789" + Hex(c.command == kChip ? "5A512020" : "54462020") +
                                    fields.left(4) + text + fields.mid(4) + Hex("FFFF"));
        const int stored = c.stored.size();
        QCOMPARE(file.mid(42, stored + 1), c.stored + '\0');
        QVERIFY(Filled(file, 43 + stored, 75 - stored, char(0xFF)));
        QVERIFY2(log().endsWith(c.logTail), qPrintable(log()));
        QCOMPARE(progress(), 0);
    }

    // A View at a size that cannot be drawn is refused, and the next run at a
    // good size still draws every glyph: the file equals one made beforehand.
    void undrawableViewThenRun_data() {
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<QString>("message");
        const QString small = "W and H must be at least 1.";
        QTest::newRow("empty W") << "" << "16" << small;
        QTest::newRow("H 0") << "16" << "0" << small;
        QTest::newRow("beyond int") << "99999999999" << "16" << small;
        QTest::newRow("too large to draw") << "99999" << "99999"
                                           << "A cell of 99999 x 99999 pixels is too large to draw; "
                                              "choose a smaller W or H.";
    }
    void undrawableViewThenRun() {
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(QString, message);
        setCell(16, 16);
        run(kAscii, path("before.bin"));
        set("lineEdit_W", width);
        set("lineEdit_H", height);
        w<QPushButton>("pushButton_3")->click();
        w<QScrollBar>("verticalScrollBar")->setValue(27);  // silent: W or H is being edited
        w<QScrollBar>("verticalScrollBar")->setValue(26);
        setCell(16, 16);
        run(kAscii, path("after.bin"));
        QCOMPARE(answerer->messages(), QStringList({"UniCode Font Lib ok", message, "UniCode Font Lib ok"}));
        QVERIFY(Inked(ReadAll(path("after.bin")), 104 + 33 * 32));  // 'A'
        QCOMPARE(ReadAll(path("after.bin")), ReadAll(path("before.bin")));
    }

    // The same View pressed in the middle of a run: the run keeps drawing at its own size.
    void undrawableViewDuringRun() {
        setCell(16, 16);
        run(kAscii, path("before.bin"));
        onSample = [this] {
            onSample = nullptr;
            set("lineEdit_W", "");
            w<QPushButton>("pushButton_3")->click();
        };
        run(kAscii, path("after.bin"));
        QCOMPARE(answerer->messages(),
                 QStringList({"UniCode Font Lib ok", "W and H must be at least 1.", "UniCode Font Lib ok"}));
        QCOMPARE(ReadAll(path("after.bin")), ReadAll(path("before.bin")));
    }

    // Closing the window while a run draws stops it: no completion message, the
    // old file as it was, and the window closes once the run has unwound.
    void closeDuringRun() {
        setCell(16, 16);
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

    // Nothing written (a refusal, a cancelled dialog, no text) or the writer
    // failed: old.bin is left as it was and the buttons are back. Both header
    // buttons share one command, so their refusals are split between them.
    void refusalsAndFailures_data() {
        QTest::addColumn<Failure>("c");
        const QString ascii = "UniCode Font Lib ok", cancelled = "Can't save to this file.";
        const QString reversed = "Error for start code > end code. And stop.";
        const QString full = "Only 0 of 3144 bytes could be written to /dev/full (No space left "
                             "on device); the file was left as it was.";
        const QString tooBig = "A cell of 2147483647 x 16 pixels is too large to draw; choose a "
                               "smaller W or H.";
        const QString gbk = "%1 is not UTF-8: the byte at offset 0 starts no UTF-8 character. Save the "
                            "text as UTF-8 (a GBK or BIG5 text gives wrong characters).\n\nConvert it anyway?";
        const Failure rows[] = {
            {"ASCII, no directory", kAscii, "missing/a.bin", {kOpenFailed, ascii}},
            {"ASCII, disk full", kAscii, "/dev/full", {full, ascii}},
            {"ASCII, file cannot grow: old kept", kAscii, "old.bin",
             {"Only 100 of 3144 bytes could be written to %1 (File too large); the file was left as it was.",
              ascii}, "", "A1A0", "F7FE", "16", 100},
            {"string, cell too large", kString, "old.bin", {tooBig}, "abc", "A1A0", "F7FE", "2147483647"},
            {"string, GBK text declined", kString, "old.bin", {gbk}, "\xbb\xb6\xd3\xad"},
            {"chip, file cannot grow: cut back", kChip, "old.bin",
             {"Only 97 of 108 bytes could be written to %1 (File too large); the file was left as it was.",
              "Font bin ok"}, "", "A1A0", "F7FE", "16", 100},
            {"ASCII cancelled", kAscii, "", {cancelled}},
            {"string, no directory", kString, "missing/s.bin", {kOpenFailed, "String Font bin ok"}},
            {"string, no text file chosen", kString, "old.bin", {}, nullptr},
            {"string, blank lines only", kString, "old.bin", {}, " \n\t\n\n"},
            {"chip, no directory", kChip, "missing/h.bin", {kOpenFailed, "Font bin ok"}},
            {"chip cancelled", kChip, "", {cancelled}},
            {"chip short end", kChip, "old.bin", {"End code number is less 4."}, "", "A1A0", "F7F"},
            {"ttf short start", kTtf, "old.bin", {"Start code number is less 4."}, "", "A1A"},
            {"ttf end below start", kTtf, "old.bin", {reversed}, "", "B0A1", "B0A0"},
        };
        for (const Failure& row : rows) QTest::newRow(row.name) << row;
    }
    void refusalsAndFailures() {
        QFETCH(Failure, c);
        setCell(QString(c.width).toInt(), 16);
        set("lineEdit_SCode", c.start);
        set("lineEdit_ECode", c.end);
        setLeft(true);
        QVERIFY(WriteAll(path("old.bin"), "old"));
        const QString before = log(), dirBefore = lastDir();
        const QString target =
            c.target.isEmpty() || c.target.startsWith('/') ? c.target : path(c.target);
        const QString text = c.text ? textFile(c.text) : QString();
        const rlimit noLimit{RLIM_INFINITY, RLIM_INFINITY}, limit{rlim_t(c.fileLimit), RLIM_INFINITY};
        std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of ending the test
        if (c.fileLimit) setrlimit(RLIMIT_FSIZE, &limit);
        run(c.command, target, text);
        if (c.fileLimit) setrlimit(RLIMIT_FSIZE, &noLimit);
        QStringList expected;
        for (const QString& m : c.messages) expected << (m.contains("%1") ? m.arg(m.startsWith("Only") ? target : text) : m);
        QCOMPARE(answerer->messages(), expected);
        QCOMPARE(ReadAll(path("old.bin")), QByteArray("old"));
        QCOMPARE(enabledButtons(), 3);
        if (c.messages.size() < 2) QCOMPARE(log(), before);
        if (c.target.isEmpty()) QVERIFY(lastDir() == dirBefore && left());
    }
};

QTEST_MAIN(WindowCommandsTest)
#include "test_window_commands.moc"
