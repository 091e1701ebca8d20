// "Convert all" through the real window: the messages, log lines, progress, buttons and check box
// of the GB2312, BIG5, GBK and Unicode libraries, and their refusals. The files' bytes are the
// core's (test_font_plan, test_reader_roundtrip, test_golden, test_cli's window = CLI check).
// All runs use 16 x 16 cells in "1bits": 104 + 95 x 32 = 3144 bytes before the encoding's glyphs.
#include <QtTest>

#include "window_fixture.h"

namespace {

enum Library { kGb2312 = 0, kBig5 = 1, kGbk = 2, kUnicode = 3 };
const char* const kDone[] = {"GB2312 Font Lib ok", "BIG5 Font Lib ok", "GBK Font Lib ok",
                             "UniCode Font Lib ok"};
const char kCancelled[] = "Can't save to this file.", kNoCell[] = "W and H must be at least 1.";

struct Contract {
    const char* name;
    int library;
    const char *start, *end;
    int length;  // the range as the window read it
    const char* logTail;
    bool leftAfter;      // the check box, set the other way before the run (row A3 turns it on)
    const char* during;  // how the log ends while the glyphs are drawn ("": not checked)
};
struct Refusal {
    const char* name;
    int library;
    const char *start, *end, *message, *width, *height;
    int pixFormat, dialogs;
};

}  // namespace

Q_DECLARE_METATYPE(Contract)
Q_DECLARE_METATYPE(Refusal)

class WindowLibrariesTest : public QObject, private WindowFixture {
    Q_OBJECT

    void convert(int library, const QString& start, const QString& end, const QString& target) {
        pick("comboBox_FCode", library);
        set("lineEdit_SCode", start);
        set("lineEdit_ECode", end);
        answerer->QueueFile(target);
        w<QPushButton>("pushButton_MakeFont")->click();
    }

  private slots:
    void init() {
        open();
        set("lineEdit_W", "16");
        set("lineEdit_H", "16");
    }
    void cleanup() { close(); }

    void libraryContract_data() {
        QTest::addColumn<Contract>("c");
        // clang-format off
        const Contract rows[] = {
            {"GB2312 lowest start, to row A3", kGb2312, "A1A0", "A3FE", 3144 + 3 * 94 * 32, "page:A1,endpage:A3", true, ""},
            {"GB2312 highest end, lower case, extra characters", kGb2312, "f7a1FF", "F7FEzz", 3144 + 94 * 32,
             "page:F7,endpage:F7", false, ""},
            {"BIG5 lowest start", kBig5, "A140", "A1FE", 3144 + 160 * 32, "\nmaxPage=A2,minPage=A1", false, ""},
            {"BIG5 highest end", kBig5, "F940", "F9FF", 3144 + 160 * 32, "\nmaxPage=FA,minPage=F9", false, ""},
            {"GBK lowest start", kGbk, "8140", "81FE", 3144 + 190 * 32, "{0,\n};", false, ""},
            {"GBK highest end", kGbk, "FE40", "FEFE", 3144 + 190 * 32, "{0,\n};", false, ""},
            {"GBK row A3", kGbk, "A340", "A3FE", 3144 + 190 * 32, "\n};", true, "maxPage=A4,minPage=A3"},
            {"Unicode low codes", kUnicode, "0000", "0021", 3144 + 34 * 33,
             "\nUnicode start:0000\nUnicode end:0021\nUnicode nmuber:34", false, ""},
        };
        // clang-format on
        for (const Contract& row : rows) QTest::newRow(row.name) << row;
    }
    // On a target that held a longer file. The bar shows 100 and the buttons stay off until the
    // closing message is closed; then the buttons are back and the bar is 0.
    void libraryContract() {
        QFETCH(Contract, c);
        setLeft(!c.leftAfter);
        QVector<int> atMessage;
        answerer->SetOnMessage(
            [&](const QString&) { atMessage << progress() << enabledButtons(); });
        QString logDuring;
        onSample = [&] { logDuring = log(); };
        QVERIFY(WriteAll(path("lib.bin"), QByteArray(20000, 'x')));
        convert(c.library, c.start, c.end, path("lib.bin"));
        QCOMPARE(answerer->messages(), QStringList({kDone[c.library]}));
        QCOMPARE(ReadAll(path("lib.bin")).size(), c.length);
        QVERIFY2(log().endsWith(c.logTail), qPrintable(log()));
        if (c.library == kGb2312) QCOMPARE(log(), QString(c.logTail));  // the log was cleared
        QVERIFY2(logDuring.endsWith(c.during), qPrintable(logDuring));  // GBK: its list replaces it
        QCOMPARE(atMessage, QVector<int>({100, 0}));
        QVERIFY(samples > 0 && mostButtonsDuring == 0);
        QCOMPARE(enabledButtons(), 3);
        QCOMPARE(progress(), 0);
        QCOMPARE(left(), c.leftAfter);
    }

    // Refused: the file, the check box and (refused before the dialog or cancelled) the log and
    // lastDir are left as they were. The core's range checks are test_font_plan's; the short
    // and reversed code fields, read by the same function, test_window_commands'.
    void refusals_data() {
        QTest::addColumn<Refusal>("r");
        // clang-format off
        const Refusal rows[] = {
            {"GB2312 start", kGb2312, "A19F", "A1FE", "Font Start Code is less 0xA1A0", "16", "16", 0, 0},
            {"empty W", kGb2312, "B0A1", "B0FE", kNoCell, "", "16", 0, 0},
            {"H of 0, Unicode, after the dialog", kUnicode, "4E00", "4E0F", kNoCell, "16", "0", 0, 1},
            // GBK's default range at 212 x 212 aRGB4444: 24035 x 89888 bytes, past 2^31.
            {"2 GB, GBK", kGbk, "8140", "FEBF", "The file would be 2 GB or larger; choose a smaller cell, pixel "
             "format or code range.", "212", "212", 4, 0},
            {"GB2312 cancelled", kGb2312, "B0A1", "B0FE", kCancelled, "16", "16", 0, 1},
            {"Unicode cancelled", kUnicode, "4E00", "4E0F", kCancelled, "16", "16", 0, 1},
        };
        // clang-format on
        for (const Refusal& row : rows) QTest::newRow(row.name) << row;
    }
    void refusals() {
        QFETCH(Refusal, r);
        set("lineEdit_W", r.width);
        set("lineEdit_H", r.height);
        pick("comboBox_PixFormat", r.pixFormat);
        setLeft(true);
        QVERIFY(WriteAll(path("old.bin"), "old"));
        const QString before = log(), dirBefore = lastDir();
        const bool cancel = r.message == QString(kCancelled);
        convert(r.library, r.start, r.end, cancel ? QString() : path("old.bin"));
        QCOMPARE(answerer->messages(), QStringList({r.message}));
        QCOMPARE(answerer->fileDialogsSeen(), r.dialogs);
        QCOMPARE(ReadAll(path("old.bin")), QByteArray("old"));
        if (r.dialogs == 0 || cancel) QVERIFY(log() == before && lastDir() == dirBefore);
        QVERIFY(left());
        QCOMPARE(enabledButtons(), 3);
        QCOMPARE(progress(), 0);
    }

    // The writer's failure is shown, then the run ends as usual (GBK: with its list).
    void unwritableTargetStillCompletes() {
        convert(kGbk, "B040", "B0FE", path("missing/lib.bin"));
        QCOMPARE(answerer->messages(),
                 QStringList({QString::fromUtf8("打开文件失败"), "GBK Font Lib ok"}));
        QCOMPARE(log(), QStringLiteral("{0,\n};"));
        QCOMPARE(enabledButtons(), 3);
    }

    // A preview action in the middle of the run reads new settings into the window; the run
    // still writes the 16 x 16 "1bits" file.
    void runKeepsTheCellItStartedWith() {
        onSample = [this] {
            set("lineEdit_W", "24");
            pick("comboBox_PixFormat", 3);
            w<QScrollBar>("horizontalScrollBar")->setValue(26);
        };
        convert(kGb2312, "B0A1", "B0FE", path("lib.bin"));
        QCOMPARE(MainWindowTestAccess::glyphW(*window), 24);  // the preview did read it
        const QByteArray file = ReadAll(path("lib.bin"));
        QCOMPARE(file.left(9), Hex("47421010A1B0FEB000"));
        QCOMPARE(file.size(), 3144 + 94 * 32);
        QVERIFY(Inked(file, 3144));
    }
};

QTEST_MAIN(WindowLibrariesTest)
#include "test_window_libraries.moc"
