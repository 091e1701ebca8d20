// "Convert all" through the real window: the messages, log lines, progress, buttons and check box
// of the GB2312, BIG5, GBK and Unicode libraries (their refusals are in test_window_commands). The
// files' bytes are the core's (test_font_plan, test_reader_roundtrip, test_golden, test_cli's
// window = CLI check). All runs use 16 x 16 cells in "1bits": 104 + 95 x 32 = 3144 bytes before the
// encoding's glyphs; the window's reading of the code fields is test_cli's. A run keeps its cell
// whatever the form reads meanwhile: test_window_commands.
#include <QtTest>

#include "window_fixture.h"

namespace {

enum Library { kGb2312 = 0, kBig5 = 1, kGbk = 2, kUnicode = 3 };
const char* const kDone[] = {"GB2312 Font Lib ok", "BIG5 Font Lib ok", "GBK Font Lib ok",
                             "UniCode Font Lib ok"};

struct Contract {
    const char* name;
    int library;
    const char *start, *end;
    const char* logTail;
    bool leftAfter;      // the check box, set the other way before the run (row A3 turns it on)
    const char* during;  // how the log ends while the glyphs are drawn ("": not checked)
};

}  // namespace

Q_DECLARE_METATYPE(Contract)

class WindowLibrariesTest : public QObject, private WindowFixture {
    Q_OBJECT

  private slots:
    void init() {
        open();
        setCell("16", "16");
    }
    void cleanup() { close(); }

    // Range edges and the code fields' parsing are test_font_plan's and test_codes'.
    void libraryContract_data() {
        QTest::addColumn<Contract>("c");
        // clang-format off
        const Contract rows[] = {
            {"GB2312 lowest start, to row A3", kGb2312, "A1A0", "A3FE", "page:A1,endpage:A3", true, ""},
            {"BIG5 highest end", kBig5, "F940", "F9FF", "\nmaxPage=FA,minPage=F9", false, ""},
            {"GBK highest end", kGbk, "FE40", "FEFE", "{0,\n};", false, ""},
            {"GBK row A3", kGbk, "A340", "A3FE", "\n};", true, "maxPage=A4,minPage=A3"},
            {"Unicode low codes", kUnicode, "0000", "0021", "\nUnicode start:0000\nUnicode end:0021\nUnicode nmuber:34",
             false, ""},
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
        pick("comboBox_FCode", c.library);
        set("lineEdit_SCode", c.start);
        set("lineEdit_ECode", c.end);
        answerer->QueueFile(path("lib.bin"));
        w<QPushButton>("pushButton_MakeFont")->click();
        QCOMPARE(answerer->messages(), QStringList({kDone[c.library]}));
        const int size = ReadAll(path("lib.bin")).size();
        QVERIFY2(size > 3144 && size < 20000, "glyphs written, the old bytes gone");
        QVERIFY2(log().endsWith(c.logTail), qPrintable(log()));
        if (c.library == kGb2312) QCOMPARE(log(), QString(c.logTail));  // the log was cleared
        QVERIFY2(logDuring.endsWith(c.during), qPrintable(logDuring));  // GBK: its list replaces it
        QVERIFY(samples > 0 && mostButtonsDuring == 0);
        // At the message: bar, buttons; after it: buttons, bar, check box.
        QCOMPARE(atMessage << enabledButtons() << progress() << left(),
                 QVector<int>({100, 0, 3, 0, c.leftAfter}));
    }
};

QTEST_MAIN(WindowLibrariesTest)
#include "test_window_libraries.moc"
