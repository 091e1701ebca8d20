// "Convert all" through the real window: the GB2312, BIG5, GBK and Unicode
// libraries, their checks, messages, log lines and the state a run
// leaves. All runs use 16 x 16 cells in "1bits" (S = 32, 2 bytes a row), so
// the ASCII block ends and the encoding's glyphs start at 104 + 95 x 32 = 3144.
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
    int length;
    const char* header;  // the first 9 bytes, in hex
    int inked;           // the glyph of a real character
    int aligned;         // a narrow mark moved to column 0 (0: none checked)
    int centred;         // a narrow mark left where the font draws it (0: none checked)
    const char* logTail;
    bool leftAfter;  // the check box, set the other way before the run
};
struct Refusal {
    int library;
    const char *start, *end, *message, *width, *height;
    int pixFormat, dialogs;
};
void AddRefusal(const char* name, int library, const char* start, const char* end,
                const char* message, const char* width = "16", const char* height = "16",
                int pixFormat = 0, int dialogs = 0) {
    QTest::newRow(name) << Refusal{library, start, end, message, width, height, pixFormat, dialogs};
}

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
    QByteArray convertToFile(int library, const QString& start, const QString& end) {
        const QString target = path(QString("%1-%2-%3.bin").arg(library).arg(start, end));
        convert(library, start, end, target);
        return ReadAll(target);
    }

  private slots:
    void init() {
        open();
        set("lineEdit_W", "16");
        set("lineEdit_H", "16");
    }
    void cleanup() { close(); }

    // What every library shares, on a target that held a longer file. Row A3
    // (full-width symbols) is left-aligned in GB2312 and GBK whatever the
    // check box says, BIG5 and the other rows never are, Unicode always is.
    void libraryContract_data() {
        QTest::addColumn<Contract>("c");
        const Contract rows[] = {
            // GB2312: 104 + (95 + rows x 94) x 32; (r, c) at 3144 + (r x 94 + c - 0xA1) x 32:
            // A1A4 (middle dot) at 3240, A3A1 (full-width '!') at 9160, A3C1 at 10184.
            {"GB2312 lowest start, to row A3", kGb2312, "A1A0", "A3FE", 12168, "47421010A0A1FEA300",
             10184, 9160, 3240, "page:A1,endpage:A3", true},
            {"GB2312 highest end, lower case, extra characters", kGb2312, "f7a1FF", "F7FEzz", 6152,
             "47421010A1F7FEF700", 6120, 0, 0, "page:F7,endpage:F7", false},
            // BIG5: 160 slots a row; the mark A149 is slot 9.
            {"BIG5 lowest start", kBig5, "A140", "A1FE", 8264, "4247101040A1FEA100", 3432, 0, 3432,
             "\nmaxPage=A2,minPage=A1", false},
            {"BIG5 highest end", kBig5, "F940", "F9FF", 8264, "4247101040F9FFF900", 3144, 0, 0,
             "\nmaxPage=FA,minPage=F9", false},
            // GBK: 190 slots a row; A3A1 is slot 0xA1 - 0x41 = 96, A3C1 slot 128.
            {"GBK lowest start", kGbk, "8140", "81FE", 9224, "474B10104081FE8100", 3144, 0, 0,
             "{0,\n};", false},
            {"GBK highest end", kGbk, "FE40", "FEFE", 9224, "474B101040FEFEFE00", 3144, 0, 0,
             "{0,\n};", false},
            {"GBK row A3", kGbk, "A340", "A3FE", 9224, "474B101040A3FEA300", 7240, 6216, 0, "\n};",
             true},
            // Unicode: 3144 + N x 33, each glyph after its width byte; '!' at 3145 + 33 x 33.
            {"Unicode low codes", kUnicode, "0000", "0021", 4266, "756E10100000210000", 4234, 4234,
             0, "\nUnicode start:0000\nUnicode end:0021\nUnicode nmuber:34", false},
        };
        for (const Contract& row : rows) QTest::newRow(row.name) << row;
    }
    void libraryContract() {
        QFETCH(Contract, c);
        setLeft(!c.leftAfter);
        QVector<int> atMessage;
        answerer->SetOnMessage(
            [&](const QString&) { atMessage << progress() << enabledButtons(); });
        QVERIFY(WriteAll(path("lib.bin"), QByteArray(20000, 'x')));
        convert(c.library, c.start, c.end, path("lib.bin"));
        const QByteArray file = ReadAll(path("lib.bin"));

        QCOMPARE(answerer->messages(), QStringList({kDone[c.library]}));
        QCOMPARE(file.size(), c.length);
        QCOMPARE(file.left(10), Hex(c.header) + char(5));  // then W / 3 for the space
        QVERIFY2(Filled(file, 104, 32) && LeftAligned(file, 136), "ASCII space and '!'");
        QVERIFY2(Inked(file, c.inked), "a real character has ink");
        QVERIFY(!c.aligned || LeftAligned(file, c.aligned));
        QVERIFY(!c.centred || (Inked(file, c.centred) && !LeftAligned(file, c.centred)));
        QVERIFY2(log().endsWith(c.logTail), qPrintable(log()));
        if (c.library == kGb2312) QCOMPARE(log(), QString(c.logTail));  // the log was cleared
        if (c.library == kUnicode) {
            // Code 0 (the empty string) and the space drawn again: blank, width 1.
            QVERIFY(file.at(3144) == 1 && Filled(file, 3145, 32));
            QVERIFY(file.at(4200) == 1 && Filled(file, 4201, 32));
            QCOMPARE(int(file.at(4233)), int(file.at(10)));  // '!' as wide as in ASCII
        }
        // The bar shows 100 and the buttons stay off until the closing message
        // is closed; then the buttons are back and the bar is 0.
        QCOMPARE(atMessage, QVector<int>({100, 0}));
        QVERIFY(samples > 0 && mostButtonsDuring == 0);
        QCOMPARE(enabledButtons(), 3);
        QCOMPARE(progress(), 0);
        QCOMPARE(left(), c.leftAfter);
    }

    // The same character drawn by two libraries gives the same bytes, so a
    // record at its hand-computed slot in one file equals the other's.
    void slotsAtRowSeams() {
        const QByteArray gb2312 = convertToFile(kGb2312, "A1A0", "F7FE");  // 95 + 87 x 94 glyphs
        const QByteArray gbk = convertToFile(kGbk, "B040", "B3FE");
        const QByteArray big5A4 = convertToFile(kBig5, "A440", "A4FE");
        const QByteArray big5E6 = convertToFile(kBig5, "E640", "E6FE");
        auto same = [](const QByteArray& a, int inA, const QByteArray& b, int inB) {
            return Inked(a, inA) && a.mid(inA, 32) == b.mid(inB, 32);
        };
        QCOMPARE(gb2312.size(), 264840);
        // B0A1 is row 15, cell 0 of the default range: 104 + (95 + 15 x 94) x 32;
        // in GBK it is slot 96 of row B0. B0A2 follows with another glyph.
        QVERIFY(same(gb2312, 48264, gbk, 3144 + 96 * 32));
        QVERIFY(gb2312.mid(48264, 32) != gb2312.mid(48296, 32));
        // GBK B080 is slot 63, right after B07E (no cell for 0x7F); it is
        // BIG5 E6B8 (U+769C), slot 88.
        QVERIFY(same(gbk, 3144 + 63 * 32, big5E6, 3144 + 88 * 32));
        // BIG5 A4A1 is slot 65, past the cells of 0x7F and 0xA0; it is GBK B3F3
        // (row 3, slot 178).
        QVERIFY(same(big5A4, 3144 + 65 * 32, gbk, 3144 + (570 + 178) * 32));
    }

    void gbkWidthListReplacesTheLog() {
        const QByteArray unicode = convertToFile(kUnicode, "FF01", "FF21");
        QString logDuring;
        onSample = [&] { logDuring = log(); };
        convertToFile(kGbk, "A340", "A3FE");
        QVERIFY(logDuring.endsWith("maxPage=A4,minPage=A3"));
        const QStringList lines = log().remove('\r').split('\n');
        QVector<int> entries;  // each line of numbers ends with a comma
        for (const QString& line : lines) entries << line.count(',');
        QCOMPARE(entries, QVector<int>({17, 16, 16, 16, 16, 15, 0}));
        QCOMPARE(lines.last(), QStringLiteral("};"));
        const QStringList numbers = lines.mid(0, 6).join("").split(',');
        QCOMPARE(numbers.first(), QStringLiteral("{0"));
        // Entry 1 + (cell - 0xA0): A3A1 is '!' and A3C1 'A' in full width,
        // measured as the Unicode library measures FF01 and FF21.
        QCOMPARE(numbers.at(2).toInt(), int(uchar(unicode.at(3144))));
        QCOMPARE(numbers.at(34).toInt(), int(uchar(unicode.at(3144 + 32 * 33))));
        QVERIFY(numbers.at(34).toInt() > numbers.at(2).toInt());
    }

    // Refused: the file, the check box and (refused before the dialog or
    // cancelled) the log and lastDir are left as they were.
    void refusals_data() {
        QTest::addColumn<Refusal>("r");
        AddRefusal("GB2312 start", kGb2312, "A19F", "A1FE", "Font Start Code is less 0xA1A0");
        AddRefusal("GB2312 end", kGb2312, "A1A0", "F7FF", "Font End Code is over 0xF7FE");
        AddRefusal("BIG5 start", kBig5, "A13F", "A1FE", "Font Start Code is less 0xA140");
        AddRefusal("BIG5 end", kBig5, "A140", "FA00", "Font End Code is over 0xF9FF");
        AddRefusal("GBK start", kGbk, "813F", "81FE", "Font Start Code is less 0x8140");
        AddRefusal("GBK end", kGbk, "8140", "FEFF", "Font End Code is over 0xFEFE");
        AddRefusal("short start", kGb2312, "A1A", "F7FE", "Start code number is less 4.");
        AddRefusal("short end", kGbk, "8140", "FEB", "End code number is less 4.");
        AddRefusal("end below start", kUnicode, "B0A1", "B0A0",
                   "Error for start code > end code. And stop.");
        AddRefusal("empty W", kGb2312, "B0A1", "B0FE", kNoCell, "");
        AddRefusal("H of 0, Unicode, after the dialog", kUnicode, "4E00", "4E0F", kNoCell, "16",
                   "0", 0, 1);
        // GBK's default range at 212 x 212 aRGB4444: 24035 x 89888 bytes, past 2^31.
        AddRefusal("2 GB, GBK", kGbk, "8140", "FEBF",
                   "The file would be 2 GB or larger; choose a smaller cell, pixel format or code "
                   "range.",
                   "212", "212", 4);
        AddRefusal("GB2312 cancelled", kGb2312, "B0A1", "B0FE", kCancelled, "16", "16", 0, 1);
        AddRefusal("Unicode cancelled", kUnicode, "4E00", "4E0F", kCancelled, "16", "16", 0, 1);
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
        if (r.dialogs == 0 || cancel) {
            QCOMPARE(log(), before);
            QCOMPARE(lastDir(), dirBefore);
        }
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

    // A preview action in the middle of the run reads new settings into the
    // window; the run still writes the 16 x 16 "1bits" file.
    void runKeepsTheCellItStartedWith() {
        onSample = [this] {
            set("lineEdit_W", "24");
            pick("comboBox_PixFormat", 3);
            w<QScrollBar>("horizontalScrollBar")->setValue(26);
        };
        const QByteArray file = convertToFile(kGb2312, "B0A1", "B0FE");
        QCOMPARE(MainWindowTestAccess::glyphW(*window), 24);  // the preview did read it
        QCOMPARE(file.size(), 6152);
        QCOMPARE(file.left(9), Hex("47421010A1B0FEB000"));
        QVERIFY(Inked(file, 3144));
    }
};

QTEST_MAIN(WindowLibrariesTest)
#include "test_window_libraries.moc"
