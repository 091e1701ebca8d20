// "Convert all" through the real window: the GB2312, BIG5, GBK and Unicode
// libraries, their checks, messages, log lines and the state a run
// leaves. All runs use 16 x 16 cells in "1bits" (S = 32, 2 bytes a row), so
// the ASCII block ends and the encoding's glyphs start at 104 + 95 x 32 = 3144.
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <memory>

#include "app/form/main_window_ui.h"
#include "app/main_window.h"
#include "modal_answerer.h"
#include "window_access.h"

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
bool WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
bool Blank(const QByteArray& bytes, int from) { return bytes.mid(from, 32) == QByteArray(32, 0); }
bool Inked(const QByteArray& bytes, int from) {
    return from + 32 <= bytes.size() && !Blank(bytes, from);
}
// Left alignment moves the first inked pixel to column 0 (column 1 for a faint edge).
bool LeftAligned(const QByteArray& bytes, int glyph) {
    for (int row = 0; row < 16; ++row)
        if (uchar(bytes.at(glyph + 2 * row)) & 0xC0) return true;
    return false;
}

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
    int inked;           // offset of the glyph of a real character
    const char* logTail;
    bool leftAfter;
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

class WindowLibrariesTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<ModalAnswerer> answerer;  // answers the file dialogs and message boxes
    QTemporaryDir dir;
    QTimer sampler;  // samples the window between glyphs while a run is active
    int samples = 0;
    QString logDuring;
    int mostButtonsDuring = 0;
    std::function<void()> onFirstSample;

    template <typename T>
    T* w(const char* name) {
        return window->findChild<T*>(name);
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    QString log() { return w<QTextEdit>("textEdit")->toPlainText(); }
    int progress() { return w<QProgressBar>("progressBar")->value(); }
    int enabledButtons() {  // of "Convert all", "Convert ASCII" and "Convert string"
        return w<QPushButton>("pushButton_MakeFont")->isEnabled() +
               w<QPushButton>("pushButton_Ascii")->isEnabled() +
               w<QPushButton>("pushButton_String")->isEnabled();
    }
    void convert(int library, const QString& start, const QString& end, const QString& target) {
        w<QComboBox>("comboBox_FCode")->setCurrentIndex(library);
        w<QLineEdit>("lineEdit_SCode")->setText(start);
        w<QLineEdit>("lineEdit_ECode")->setText(end);
        answerer->QueueFile(target);
        w<QPushButton>("pushButton_MakeFont")->click();
    }
    QByteArray convertToFile(int library, const QString& start, const QString& end) {
        const QString target = path(QString("%1-%2-%3.bin").arg(library).arg(start, end));
        convert(library, start, end, target);
        return ReadAll(target);
    }
    void sample() {
        if (!MainWindowTestAccess::runActive(*window) || QApplication::activeModalWidget()) return;
        if (onFirstSample) std::exchange(onFirstSample, nullptr)();
        ++samples;
        logDuring = log();
        mostButtonsDuring = qMax(mostButtonsDuring, enabledButtons());
    }

  private slots:
    void initTestCase() {
        connect(&sampler, &QTimer::timeout, this, &WindowLibrariesTest::sample);
        sampler.setInterval(0);
    }
    void init() {
        window = std::make_unique<MainWindow>();
        answerer = std::make_unique<ModalAnswerer>();
        w<QLineEdit>("lineEdit_W")->setText("16");
        w<QLineEdit>("lineEdit_H")->setText("16");
        samples = mostButtonsDuring = 0;
        sampler.start();
    }
    void cleanup() {
        sampler.stop();
        answerer.reset();
        window.reset();
    }

    // What every library shares, on a target that held a longer file.
    void libraryContract_data() {
        QTest::addColumn<Contract>("c");
        const Contract rows[] = {
            // GB2312: 104 + (95 + rows x 94) x 32; (r, c) at 3144 + (r x 94 + c - 0xA1) x 32.
            {"GB2312 one row", kGb2312, "B0C5", "B0D0", 6152, "47421010C5B0D0B000", 3144,
             "page:B0,endpage:B0", false},
            // A3C1 (full-width A): 3144 + (2 x 94 + 0x20) x 32.
            {"GB2312 lowest start, to row A3", kGb2312, "A1A0", "A3FE", 12168, "47421010A0A1FEA300",
             10184, "page:A1,endpage:A3", true},
            {"GB2312 highest end, lower case, extra characters", kGb2312, "f7a1FF", "F7FEzz", 6152,
             "47421010A1F7FEF700", 6120, "page:F7,endpage:F7", false},
            // BIG5: 160 slots a row; A149 is slot 9.
            {"BIG5 lowest start", kBig5, "A140", "A1FE", 8264, "4247101040A1FEA100", 3432,
             "\nmaxPage=A2,minPage=A1", false},
            {"BIG5 highest end", kBig5, "F940", "F9FF", 8264, "4247101040F9FFF900", 3144,
             "\nmaxPage=FA,minPage=F9", false},
            // GBK: 190 slots a row; A3C1 is slot 0xC1 - 0x41 = 128.
            {"GBK lowest start", kGbk, "8140", "81FE", 9224, "474B10104081FE8100", 3144, "{0,\n};",
             false},
            {"GBK highest end", kGbk, "FE40", "FEFE", 9224, "474B101040FEFEFE00", 3144, "{0,\n};",
             false},
            {"GBK row A3", kGbk, "A340", "A3FE", 9224, "474B101040A3FEA300", 7240, "\n};", true},
            // Unicode: 3144 + N x 33, each glyph after its width byte; '!' at 3145 + 33 x 33.
            {"Unicode low codes", kUnicode, "0000", "0021", 4266, "756E10100000210000", 4234,
             "\nUnicode start:0000\nUnicode end:0021\nUnicode nmuber:34", false},
        };
        for (const Contract& row : rows) QTest::newRow(row.name) << row;
    }
    void libraryContract() {
        QFETCH(Contract, c);
        w<QCheckBox>("checkBox_Left")->setChecked(!c.leftAfter);
        QVector<int> atMessage;
        answerer->SetOnMessage(
            [&](const QString&) { atMessage << progress() << enabledButtons(); });
        QVERIFY(WriteAll(path("lib.bin"), QByteArray(20000, 'x')));
        convert(c.library, c.start, c.end, path("lib.bin"));
        const QByteArray file = ReadAll(path("lib.bin"));

        QCOMPARE(answerer->messages(), QStringList({kDone[c.library]}));
        QCOMPARE(file.size(), c.length);
        QCOMPARE(file.left(9), QByteArray::fromHex(c.header));
        QCOMPARE(int(file.at(9)), 5);  // W / 3 for the space
        QVERIFY2(Blank(file, 104), "the space glyph is blank");
        QVERIFY2(LeftAligned(file, 136), "'!' of the ASCII block is left-aligned");
        QVERIFY2(Inked(file, c.inked), "a real character has ink");
        QVERIFY2(log().endsWith(c.logTail), qPrintable(log()));
        if (c.library == kGb2312) QCOMPARE(log(), QString(c.logTail));  // the log was cleared
        if (c.library == kUnicode) {
            // Code 0 (the empty string) and the space drawn again: blank, width 1.
            QVERIFY(file.at(3144) == 1 && Blank(file, 3145));
            QVERIFY(file.at(3144 + 32 * 33) == 1 && Blank(file, 3145 + 32 * 33));
            QVERIFY(LeftAligned(file, c.inked));
            QCOMPARE(int(file.at(c.inked - 1)), int(file.at(10)));  // as wide as ASCII '!'
        }
        // The bar shows 100 and the buttons stay off until the closing message
        // is closed; then the buttons are back and the bar is 0.
        QCOMPARE(atMessage, QVector<int>({100, 0}));
        QVERIFY(samples > 0 && mostButtonsDuring == 0);
        QCOMPARE(enabledButtons(), 3);
        QCOMPARE(progress(), 0);
        QCOMPARE(w<QCheckBox>("checkBox_Left")->isChecked(), c.leftAfter);
    }

    // The same character drawn by two libraries gives the same bytes, so a
    // record at its hand-computed slot in one file equals the other's.
    void slotsAtRowSeams() {
        const QByteArray gb2312 = convertToFile(kGb2312, "A1A0", "F7FE");  // 95 + 87 x 94 glyphs
        const QByteArray gb2312B0 = convertToFile(kGb2312, "B0A1", "B0FE");
        const QByteArray big5A4 = convertToFile(kBig5, "A440", "A4FE");
        const QByteArray big5E6 = convertToFile(kBig5, "E640", "E6FE");
        const QByteArray gbk = convertToFile(kGbk, "B040", "B3FE");
        QCOMPARE(gb2312.size(), 264840);
        QVERIFY2(Blank(gb2312, 3144), "the first glyph is A1A1, the ideographic space");
        QVERIFY2(Inked(gb2312, 3176), "A1A2 is the ideographic comma");
        auto same = [](const QByteArray& a, int inA, const QByteArray& b, int inB) {
            return Inked(a, inA) && a.mid(inA, 32) == b.mid(inB, 32);
        };
        // B0A1 is row 15, cell 0 of the default range: 104 + (95 + 15 x 94) x 32.
        QVERIFY(same(gb2312, 48264, gb2312B0, 3144));
        // GBK B07E (slot 62) and B080 (slot 63, no gap for 0x7F) against
        // BIG5 E6BB (slot 91) and E6B8 (slot 88): U+769B and U+769C.
        QVERIFY(same(gbk, 3144 + 62 * 32, big5E6, 3144 + 91 * 32));
        QVERIFY(same(gbk, 3144 + 63 * 32, big5E6, 3144 + 88 * 32));
        QVERIFY(gbk.mid(3144 + 62 * 32, 32) != gbk.mid(3144 + 63 * 32, 32));
        // BIG5 A47E (slot 62) = GBK B2C5 (row 2, slot 132); BIG5 A4A1 (slot 65,
        // past the 0x7F and 0xA0 cells) = GBK B3F3 (row 3, slot 178).
        QVERIFY(same(big5A4, 3144 + 62 * 32, gbk, 3144 + (380 + 132) * 32));
        QVERIFY(same(big5A4, 3144 + 65 * 32, gbk, 3144 + (570 + 178) * 32));
    }

    // Row A3 (full-width symbols) is left-aligned in GB2312 and GBK; BIG5
    // and the other rows never are; Unicode always is. Full-width '!' is a
    // narrow mark in the middle of its box: only left alignment inks column 0.
    void alignmentOfEachLibrary() {
        w<QCheckBox>("checkBox_Left")->setChecked(false);
        const QByteArray gb2312 = convertToFile(kGb2312, "A3A1", "A3FE");
        const QByteArray gbk = convertToFile(kGbk, "A340", "A3FE");
        const QByteArray unicode = convertToFile(kUnicode, "FF01", "FF01");
        w<QCheckBox>("checkBox_Left")->setChecked(true);
        const QByteArray big5 = convertToFile(kBig5, "A140", "A1FE");
        w<QCheckBox>("checkBox_Left")->setChecked(true);
        const QByteArray gb2312A1 = convertToFile(kGb2312, "A1A1", "A1FE");
        QVERIFY(LeftAligned(unicode, 3145));
        QCOMPARE(gb2312.mid(3144, 32), unicode.mid(3145, 32));          // A3A1, cell 0
        QCOMPARE(gbk.mid(3144 + 96 * 32, 32), unicode.mid(3145, 32));   // A3A1, slot 96
        const int big5Mark = 3144 + 9 * 32, middleDot = 3144 + 3 * 32;  // A149, GB2312 A1A4
        QVERIFY(Inked(big5, big5Mark) && !LeftAligned(big5, big5Mark));
        QVERIFY(Inked(gb2312A1, middleDot) && !LeftAligned(gb2312A1, middleDot));
    }

    void gbkWidthListReplacesTheLog() {
        const QByteArray unicode = convertToFile(kUnicode, "FF01", "FF21");
        convertToFile(kGbk, "A340", "A3FE");
        QVERIFY(logDuring.endsWith("maxPage=A4,minPage=A3"));
        const QStringList lines = log().remove('\r').split('\n');
        QCOMPARE(lines.size(), 7);
        QCOMPARE(lines.last(), QStringLiteral("};"));
        QVector<int> entries;  // each line ends with a comma
        for (int i = 0; i < 6; ++i) entries << lines.at(i).count(',');
        QCOMPARE(entries, QVector<int>({17, 16, 16, 16, 16, 15}));
        const QStringList numbers = lines.mid(0, 6).join("").split(',');
        QCOMPARE(numbers.size(), 97);
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
        AddRefusal("W of 0, BIG5", kBig5, "A440", "A4FE", kNoCell, "0");
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
        w<QLineEdit>("lineEdit_W")->setText(r.width);
        w<QLineEdit>("lineEdit_H")->setText(r.height);
        w<QComboBox>("comboBox_PixFormat")->setCurrentIndex(r.pixFormat);
        w<QCheckBox>("checkBox_Left")->setChecked(true);
        QVERIFY(WriteAll(path("old.bin"), "old"));
        const QString before = log(), lastDir = MainWindowTestAccess::lastDir(*window);
        const bool cancel = r.message == QString(kCancelled);
        convert(r.library, r.start, r.end, cancel ? QString() : path("old.bin"));
        QCOMPARE(answerer->messages(), QStringList({r.message}));
        QCOMPARE(answerer->fileDialogsSeen(), r.dialogs);
        QCOMPARE(ReadAll(path("old.bin")), QByteArray("old"));
        if (r.dialogs == 0 || cancel) {
            QCOMPARE(log(), before);
            QCOMPARE(MainWindowTestAccess::lastDir(*window), lastDir);
        }
        QVERIFY(w<QCheckBox>("checkBox_Left")->isChecked());
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
        QCOMPARE(progress(), 0);
    }

    void runKeepsTheCellItStartedWith() {
        // A preview action in the middle of the run reads new settings into
        // the window; the run still writes the 16 x 16 "1bits" file.
        onFirstSample = [this] {
            w<QLineEdit>("lineEdit_W")->setText("24");
            w<QComboBox>("comboBox_PixFormat")->setCurrentIndex(3);
            w<QScrollBar>("horizontalScrollBar")->setValue(26);
        };
        const QByteArray file = convertToFile(kGb2312, "B0A1", "B0FE");
        QCOMPARE(MainWindowTestAccess::glyphW(*window), 24);  // the preview did read it
        QCOMPARE(file.size(), 6152);
        QCOMPARE(file.left(9), QByteArray::fromHex("47421010A1B0FEB000"));
        QVERIFY(Inked(file, 3144));
    }
};

QTEST_MAIN(WindowLibrariesTest)
#include "test_window_libraries.moc"