// "Convert all" through the real window: the GB2312, BIG5, GBK and Unicode
// libraries, their checks, messages, log lines, progress and the state a run
// leaves. All runs use 16 x 16 cells in "1bits" (S = 32, 2 bytes a row), so
// the ASCII block ends and the encoding's glyphs start at 104 + 95 x 32 = 3144.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>
#include <functional>

#include "app/main_window.h"
#include "modal_answerer.h"
#include "window_access.h"

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
}

bool Blank(const QByteArray& bytes, int from, int count = 32) {
    if (from + count > bytes.size()) return false;
    for (int i = from; i < from + count; ++i)
        if (bytes.at(i) != 0) return false;
    return true;
}

bool Inked(const QByteArray& bytes, int from, int count = 32) {
    return from + count <= bytes.size() && !Blank(bytes, from, count);
}

// The first column of a 16 x 16 1bits record that holds a set bit (16 when
// blank). Left alignment moves the first inked pixel to column 0; after the
// threshold the first set bit is in column 0 or, for a faint edge, column 1.
int FirstInkColumn(const QByteArray& bytes, int glyphOffset) {
    int first = 16;
    for (int row = 0; row < 16; ++row)
        for (int x = 0; x < first; ++x)
            if (uchar(bytes.at(glyphOffset + 2 * row + x / 8)) & (0x80 >> (x % 8))) first = x;
    return first;
}
bool LeftAligned(const QByteArray& bytes, int glyphOffset) {
    return FirstInkColumn(bytes, glyphOffset) <= 1;
}

enum Library { kGb2312 = 0, kBig5 = 1, kGbk = 2, kUnicode = 3 };

}  // namespace

class WindowLibrariesTest : public QObject {
    Q_OBJECT

  private:
    MainWindow* window = nullptr;
    ModalAnswerer* answerer = nullptr;
    QTemporaryDir* dir = nullptr;
    QTimer sampler;
    QVector<int> progressDuring;  // the bar, sampled between glyphs
    QStringList logDuring;
    bool buttonsEverEnabledDuring = false;
    std::function<void()> onFirstSample;

    template <typename T>
    T* w(const char* name) {
        T* found = window->findChild<T*>(name);
        if (!found) qFatal("no widget %s", name);
        return found;
    }
    QString path(const QString& name) const { return dir->filePath(name); }
    QString log() { return w<QTextEdit>("textEdit")->toPlainText(); }
    bool buttonsEnabled() {
        return w<QPushButton>("pushButton_MakeFont")->isEnabled() &&
               w<QPushButton>("pushButton_Ascii")->isEnabled() &&
               w<QPushButton>("pushButton_String")->isEnabled();
    }
    // Chooses the library and the range, then clicks "Convert all".
    void convert(int library, const QString& start, const QString& end, const QString& target) {
        w<QComboBox>("comboBox_FCode")->setCurrentIndex(library);
        w<QLineEdit>("lineEdit_SCode")->setText(start);
        w<QLineEdit>("lineEdit_ECode")->setText(end);
        answerer->QueueFile(target);
        w<QPushButton>("pushButton_MakeFont")->click();
    }
    QByteArray convertToFile(int library, const QString& start, const QString& end) {
        const QString target = path(QString("lib%1-%2.bin").arg(library).arg(start));
        convert(library, start, end, target);
        return ReadAll(target);
    }
    void sample() {
        QWidget* modal = QApplication::activeModalWidget();
        // The save dialog asks before replacing a file; the answerer is busy
        // inside that dialog's accept(), so the question is answered here.
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            if (QAbstractButton* yes = box->button(QMessageBox::Yes)) yes->click();
        }
        if (!MainWindowTestAccess::runActive(*window) || modal) return;
        if (onFirstSample) {
            onFirstSample();
            onFirstSample = nullptr;
        }
        progressDuring << w<QProgressBar>("progressBar")->value();
        logDuring << log();
        if (w<QPushButton>("pushButton_MakeFont")->isEnabled() ||
            w<QPushButton>("pushButton_Ascii")->isEnabled() ||
            w<QPushButton>("pushButton_String")->isEnabled())
            buttonsEverEnabledDuring = true;
    }

  private slots:
    void init() {
        dir = new QTemporaryDir;
        window = new MainWindow;
        answerer = new ModalAnswerer;
        w<QLineEdit>("lineEdit_W")->setText("16");
        w<QLineEdit>("lineEdit_H")->setText("16");
        progressDuring.clear();
        logDuring.clear();
        buttonsEverEnabledDuring = false;
        onFirstSample = nullptr;
        sampler.setInterval(0);
        sampler.disconnect();
        connect(&sampler, &QTimer::timeout, this, &WindowLibrariesTest::sample);
        sampler.start();
    }
    void cleanup() {
        sampler.stop();
        delete answerer;
        delete window;
        delete dir;
    }

    // One table for the properties every library shares: exact length,
    // header, the record of a chosen code and its ink, the ASCII block, the
    // log, the closing message and the state the run leaves.
    void libraryContract_data() {
        QTest::addColumn<int>("library");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<int>("length");
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<int>("inkedRecord");  // offset of the glyph of a real character
        QTest::addColumn<QString>("logTail");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("leftAfter");
        const QString gbkNoList = "{0,\n};";
        // GB2312: 104 + (95 + rows x 94) x 32; glyph (r, c) at 3144 + ((r - start row) x 94 + c -
        // 0xA1) x 32.
        QTest::newRow("GB2312 one row")
            << int(kGb2312) << "B0C5"
            << "B0D0" << 6152 << QByteArray::fromHex("47421010C5B0D0B000") << 3144
            << "page:B0,endpage:B0"
            << "GB2312 Font Lib ok" << false;
        // A3C1 (full-width A): 3144 + (2 x 94 + 0x20) x 32.
        QTest::newRow("GB2312 lowest start, ends on row A3")
            << int(kGb2312) << "A1A0"
            << "A3FE" << 12168 << QByteArray::fromHex("47421010A0A1FEA300") << 10184
            << "page:A1,endpage:A3"
            << "GB2312 Font Lib ok" << true;
        QTest::newRow("GB2312 highest end, lower-case field")
            << int(kGb2312) << "f7a1"
            << "F7FE" << 6152 << QByteArray::fromHex("47421010A1F7FEF700") << 3144 + 93 * 32
            << "page:F7,endpage:F7"
            << "GB2312 Font Lib ok" << false;
        QTest::newRow("GB2312 extra characters ignored")
            << int(kGb2312) << "B0A1FF"
            << "B0A1zz" << 6152 << QByteArray::fromHex("47421010A1B0A1B000") << 3144
            << "page:B0,endpage:B0"
            << "GB2312 Font Lib ok" << false;
        // BIG5: 160 slots a row; cell 0xA1 is slot 65, so A4A1 sits at 3144 + 65 x 32.
        QTest::newRow("BIG5 one row") << int(kBig5) << "A4A0"
                                      << "A4A0" << 8264 << QByteArray::fromHex("42471010A0A4A0A400")
                                      << 5224 << "\nmaxPage=A5,minPage=A4"
                                      << "BIG5 Font Lib ok" << false;
        QTest::newRow("BIG5 lowest start")
            << int(kBig5) << "A140"
            << "A1FE" << 8264 << QByteArray::fromHex("4247101040A1FEA100") << 3432
            << "\nmaxPage=A2,minPage=A1"
            << "BIG5 Font Lib ok" << false;
        QTest::newRow("BIG5 highest end")
            << int(kBig5) << "F940"
            << "F9FF" << 8264 << QByteArray::fromHex("4247101040F9FFF900") << 3144
            << "\nmaxPage=FA,minPage=F9"
            << "BIG5 Font Lib ok" << false;
        // GBK: 190 slots a row, cell 0xA1 is slot 0xA1 - 0x41 = 96: B0A1 at 3144 + 96 x 32.
        QTest::newRow("GBK one row") << int(kGbk) << "B0A1"
                                     << "B0FE" << 9224 << QByteArray::fromHex("474B1010A1B0FEB000")
                                     << 6216 << gbkNoList << "GBK Font Lib ok" << false;
        QTest::newRow("GBK lowest start")
            << int(kGbk) << "8140"
            << "81FE" << 9224 << QByteArray::fromHex("474B10104081FE8100") << 3144 << gbkNoList
            << "GBK Font Lib ok" << false;
        QTest::newRow("GBK highest end")
            << int(kGbk) << "FE40"
            << "FEFE" << 9224 << QByteArray::fromHex("474B101040FEFEFE00") << 3144 << gbkNoList
            << "GBK Font Lib ok" << false;
        // A3C1 is slot 0xC1 - 0x41 = 128.
        QTest::newRow("GBK row A3")
            << int(kGbk) << "A340"
            << "A3FE" << 9224 << QByteArray::fromHex("474B101040A3FEA300") << 7240 << "\n};"
            << "GBK Font Lib ok" << true;
        // Unicode: 3144 + N x 33; the glyph follows its width byte.
        QTest::newRow("Unicode 16 codes")
            << int(kUnicode) << "4E00"
            << "4E0F" << 3672 << QByteArray::fromHex("756E1010004E0F4E00") << 3145
            << "\nUnicode start:4E00\nUnicode end:4E0F\nUnicode nmuber:16"
            << "UniCode Font Lib ok" << false;
        QTest::newRow("Unicode one code")
            << int(kUnicode) << "FF01"
            << "FF01" << 3177 << QByteArray::fromHex("756E101001FF01FF00") << 3145
            << "\nUnicode start:FF01\nUnicode end:FF01\nUnicode nmuber:1"
            << "UniCode Font Lib ok" << false;
    }
    void libraryContract() {
        QFETCH(int, library);
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(int, length);
        QFETCH(QByteArray, header);
        QFETCH(int, inkedRecord);
        QFETCH(QString, logTail);
        QFETCH(QString, message);
        QFETCH(bool, leftAfter);
        w<QCheckBox>("checkBox_Left")->setChecked(!leftAfter);
        QVector<int> atMessage;
        answerer->SetOnMessage([&](const QString&) {
            atMessage << w<QProgressBar>("progressBar")->value() << int(buttonsEnabled());
        });
        const QByteArray file = convertToFile(library, start, end);

        QCOMPARE(answerer->messages(), QStringList({message}));
        QCOMPARE(file.size(), length);
        QCOMPARE(file.left(9), header);
        QCOMPARE(int(file.at(9)), 5);  // W / 3 for the space
        QVERIFY2(Blank(file, 104), "the space glyph is blank");
        QVERIFY2(LeftAligned(file, 136), "'!' of the ASCII block is left-aligned");
        QVERIFY2(Inked(file, inkedRecord), "a real character has ink");
        QVERIFY2(log().endsWith(logTail), qPrintable(log()));
        if (library == kGb2312) QCOMPARE(log(), logTail);  // the log was cleared first

        // The bar shows 100 and all three buttons are off while the closing
        // message is open; afterwards the buttons are back and the bar is 0.
        QCOMPARE(atMessage, QVector<int>({100, 0}));
        QVERIFY(!progressDuring.isEmpty());
        QVERIFY(!buttonsEverEnabledDuring);
        QVERIFY(buttonsEnabled());
        QCOMPARE(w<QProgressBar>("progressBar")->value(), 0);
        QCOMPARE(w<QCheckBox>("checkBox_Left")->isChecked(), leftAfter);
    }

    void defaultGb2312Library() {
        // The whole default range: 95 + 87 x 94 = 8273 glyphs.
        const QByteArray file = convertToFile(kGb2312, "A1A0", "F7FE");
        QCOMPARE(file.size(), 264840);
        QCOMPARE(file.left(9), QByteArray::fromHex("47421010A0A1FEF700"));
        // B0A1 is row 15, cell 0: 104 + (95 + 15 x 94) x 32.
        QVERIFY(Inked(file, 48264));
        QCOMPARE(file.mid(48264, 32), convertToFile(kGb2312, "B0A1", "B0FE").mid(3144, 32));
    }

    void firstGb2312GlyphIsA1A1() {
        const QByteArray file = convertToFile(kGb2312, "A1A0", "A1FE");
        QCOMPARE(file.size(), 6152);
        QVERIFY2(Blank(file, 3144), "A1A1 is the ideographic space");
        QVERIFY2(Inked(file, 3176), "A1A2 is the ideographic comma");
        QVERIFY2(Inked(file, 6120), "A1FE closes the row");
    }

    // The same character drawn by two libraries (both without left alignment)
    // gives the same bytes, so a record found at its hand-computed slot in
    // one file must equal the record at its slot in the other.
    void slotsAgreeAcrossLibraries() {
        const QByteArray big5A4 = convertToFile(kBig5, "A440", "A4FE");
        const QByteArray big5E6 = convertToFile(kBig5, "E640", "E6FE");
        const QByteArray gbk = convertToFile(kGbk, "B040", "B3FE");
        const QByteArray gbkB1 = convertToFile(kGbk, "B140", "B1FE");
        const QByteArray gb2312B0 = convertToFile(kGb2312, "B0A1", "B0FE");
        const QByteArray gb2312D2 = convertToFile(kGb2312, "D2A1", "D2FE");
        QCOMPARE(big5A4.size(), 8264);
        QCOMPARE(big5E6.size(), 8264);
        QCOMPARE(gbk.size(), 104 + (95 + 4 * 190) * 32);
        const struct {
            const char* what;
            const QByteArray& a;
            int offsetA;
            const QByteArray& b;
            int offsetB;
        } pairs[] = {
            // GBK B07E (slot 62) and B080 (slot 63, no gap for 0x7F) against
            // BIG5 E6BB (slot 91) and E6B8 (slot 88): U+769B and U+769C.
            {"GBK B07E = BIG5 E6BB", gbk, 3144 + 62 * 32, big5E6, 3144 + 91 * 32},
            {"GBK B080 = BIG5 E6B8", gbk, 3144 + 63 * 32, big5E6, 3144 + 88 * 32},
            // BIG5 A47E (slot 62) = GBK B2C5 (row 2, slot 132).
            {"BIG5 A47E = GBK B2C5", big5A4, 3144 + 62 * 32, gbk, 3144 + (380 + 132) * 32},
            // BIG5 A4A1 (slot 65, past the 0x7F and 0xA0 cells) = GBK B3F3 (row 3, slot 178).
            {"BIG5 A4A1 = GBK B3F3", big5A4, 3144 + 65 * 32, gbk, 3144 + (570 + 178) * 32},
            // BIG5 A4FE (slot 158) = GBK B1FB (row 1, slot 186).
            {"BIG5 A4FE = GBK B1FB", big5A4, 3144 + 158 * 32, gbk, 3144 + (190 + 186) * 32},
            // BIG5 A440 (slot 0) = GB2312 D2BB (cell 26).
            {"BIG5 A440 = GB2312 D2BB", big5A4, 3144, gb2312D2, 3144 + 26 * 32},
            // GBK B0A1 (slot 96) = GB2312 B0A1 (cell 0).
            {"GBK B0A1 = GB2312 B0A1", gbk, 3144 + 96 * 32, gb2312B0, 3144},
            // Row B1 in a run from B0 and in a run that starts at B1.
            {"GBK row B1 stride", gbk, 3144 + (190 + 186) * 32, gbkB1, 3144 + 186 * 32},
        };
        for (const auto& pair : pairs) {
            QVERIFY2(Inked(pair.a, pair.offsetA), pair.what);
            QVERIFY2(pair.a.mid(pair.offsetA, 32) == pair.b.mid(pair.offsetB, 32), pair.what);
        }
        // Neighbours differ, so a slot off by one would not pass the pairs above.
        QVERIFY(gbk.mid(3144 + 62 * 32, 32) != gbk.mid(3144 + 63 * 32, 32));
        // The file ends with the last slot of the end row: BIG5 A4FF, GBK B3FE.
        QCOMPARE(big5A4.size(), 3144 + 160 * 32);
        QCOMPARE(gbk.size(), 3144 + (570 + 190) * 32);
    }

    // Row A3 (full-width symbols) is left-aligned in GB2312 and GBK; BIG5
    // and the other rows never are; Unicode always is. '!' full width is a
    // narrow mark in the middle of its box, so only left alignment puts ink
    // in column 0.
    void alignmentOfEachLibrary() {
        w<QCheckBox>("checkBox_Left")->setChecked(false);
        const QByteArray gb2312 = convertToFile(kGb2312, "A3A1", "A3FE");
        const QByteArray gbk = convertToFile(kGbk, "A340", "A3FE");
        w<QCheckBox>("checkBox_Left")->setChecked(true);
        const QByteArray big5 = convertToFile(kBig5, "A140", "A1FE");
        w<QCheckBox>("checkBox_Left")->setChecked(true);
        const QByteArray gb2312A1 = convertToFile(kGb2312, "A1A1", "A1FE");
        w<QCheckBox>("checkBox_Left")->setChecked(false);
        const QByteArray unicode = convertToFile(kUnicode, "FF01", "FF01");

        const int gb2312Mark = 3144;          // A3A1, cell 0
        const int gbkMark = 3144 + 96 * 32;   // A3A1, slot 96
        const int big5Mark = 3144 + 9 * 32;   // A149, slot 9
        const int unicodeMark = 3145;         // FF01, after its width byte
        const int middleDot = 3144 + 3 * 32;  // GB2312 A1A4
        QVERIFY(LeftAligned(gb2312, gb2312Mark));
        QVERIFY(LeftAligned(gbk, gbkMark));
        QVERIFY(LeftAligned(unicode, unicodeMark));
        QVERIFY(Inked(big5, big5Mark));
        QVERIFY(!LeftAligned(big5, big5Mark));
        QVERIFY(Inked(gb2312A1, middleDot));
        QVERIFY(!LeftAligned(gb2312A1, middleDot));
        QCOMPARE(gb2312.mid(gb2312Mark, 32), unicode.mid(unicodeMark, 32));
        QCOMPARE(gbk.mid(gbkMark, 32), unicode.mid(unicodeMark, 32));
    }

    void gbkWidthList() {
        const QByteArray unicode = convertToFile(kUnicode, "FF01", "FF21");
        convertToFile(kGbk, "A340", "A3FE");
        QStringList lines = log().remove('\r').split('\n');
        QCOMPARE(lines.size(), 7);
        QCOMPARE(lines.takeLast(), QStringLiteral("};"));
        QStringList numbers;
        const int perLine[] = {17, 16, 16, 16, 16, 15};
        for (int i = 0; i < 6; ++i) {
            QVERIFY2(lines.at(i).endsWith(','), qPrintable(lines.at(i)));
            const QStringList items = lines.at(i).chopped(1).split(',');
            QCOMPARE(items.size(), perLine[i]);
            numbers += items;
        }
        QCOMPARE(lines.first().left(3), QStringLiteral("{0,"));
        // Entry 1 + (cell - 0xA0): A3A1 is '!' and A3C1 'A' in full width,
        // measured as the Unicode library measures FF01 and FF21.
        QCOMPARE(numbers.at(2).toInt(), int(uchar(unicode.at(3144))));
        QCOMPARE(numbers.at(34).toInt(), int(uchar(unicode.at(3144 + 32 * 33))));
        QVERIFY(numbers.at(34).toInt() > numbers.at(2).toInt());
        // While the run lasts the log shows the maxPage line; the list replaces it.
        QVERIFY(!logDuring.isEmpty());
        QVERIFY(logDuring.last().endsWith("maxPage=A4,minPage=A3"));
        QVERIFY(!log().contains("maxPage"));
    }

    void unicodeLowCodes() {
        const QByteArray file = convertToFile(kUnicode, "0000", "0021");
        QCOMPARE(file.size(), 3144 + 34 * 33);
        // Code 0 draws the empty string: width 1, blank glyph.
        QCOMPARE(int(file.at(3144)), 1);
        QVERIFY(Blank(file, 3145));
        // The space is drawn again here, blank with width 1 (not W / 3).
        QCOMPARE(int(file.at(3144 + 32 * 33)), 1);
        QVERIFY(Blank(file, 3145 + 32 * 33));
        // '!' is inked, left-aligned, and narrow.
        const int mark = 3144 + 33 * 33;
        QVERIFY(Inked(file, mark + 1));
        QVERIFY(LeftAligned(file, mark + 1));
        QCOMPARE(int(file.at(mark)), int(file.at(10)));  // the width of '!' in the ASCII block
    }

    void progressDuringRuns_data() {
        QTest::addColumn<int>("library");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QVector<int>>("distinct");  // the values the bar showed, in order
        QVector<int> gb2312;
        // The ASCII pass counts i x 100 / (2 x 94): 0 to 50, then each row 50 and 100.
        for (int v = 0; v <= 50; ++v) gb2312 << v;
        gb2312 << 100;
        QTest::newRow("GB2312 two rows") << int(kGb2312) << "B0A1"
                                         << "B1FE" << gb2312;
        QTest::newRow("BIG5 two rows") << int(kBig5) << "A440"
                                       << "A5FE" << QVector<int>{0, 50, 100};
        QTest::newRow("GBK two rows") << int(kGbk) << "B040"
                                      << "B1FE" << QVector<int>{0, 50, 100};
        // N = 200: the ASCII pass goes to 95 x 100 / 200 = 47, then 0 to 100 again.
        QVector<int> unicode;
        for (int v = 0; v <= 47; ++v) unicode << v;
        for (int v = 0; v <= 100; ++v) unicode << v;
        QTest::newRow("Unicode 200 codes") << int(kUnicode) << "4E00"
                                           << "4EC7" << unicode;
    }
    void progressDuringRuns() {
        QFETCH(int, library);
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(QVector<int>, distinct);
        convertToFile(library, start, end);
        QVector<int> shown;
        for (int v : progressDuring)
            if (shown.isEmpty() || shown.last() != v) shown << v;
        QCOMPARE(shown, distinct);
    }

    void rangeAndFieldRefusals_data() {
        QTest::addColumn<int>("library");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("message");
        QTest::newRow("GB2312 start") << int(kGb2312) << "A19F"
                                      << "A1FE"
                                      << "16"
                                      << "Font Start Code is less 0xA1A0";
        QTest::newRow("GB2312 end") << int(kGb2312) << "A1A0"
                                    << "F7FF"
                                    << "16"
                                    << "Font End Code is over 0xF7FE";
        QTest::newRow("GB2312 both, start first") << int(kGb2312) << "8140"
                                                  << "F8FF"
                                                  << "16"
                                                  << "Font Start Code is less 0xA1A0";
        QTest::newRow("BIG5 start") << int(kBig5) << "A13F"
                                    << "A1FE"
                                    << "16"
                                    << "Font Start Code is less 0xA140";
        QTest::newRow("BIG5 end") << int(kBig5) << "A140"
                                  << "FA00"
                                  << "16"
                                  << "Font End Code is over 0xF9FF";
        QTest::newRow("GBK start") << int(kGbk) << "813F"
                                   << "81FE"
                                   << "16"
                                   << "Font Start Code is less 0x8140";
        QTest::newRow("GBK end") << int(kGbk) << "8140"
                                 << "FEFF"
                                 << "16"
                                 << "Font End Code is over 0xFEFE";
        QTest::newRow("short start") << int(kGb2312) << "A1A"
                                     << "F7FE"
                                     << "16"
                                     << "Start code number is less 4.";
        QTest::newRow("short end") << int(kGbk) << "8140"
                                   << "FEB"
                                   << "16"
                                   << "End code number is less 4.";
        QTest::newRow("end below start") << int(kUnicode) << "B0A1"
                                         << "B0A0"
                                         << "16"
                                         << "Error for start code > end code. And stop.";
        QTest::newRow("W of 0") << int(kGb2312) << "B0A1"
                                << "B0FE"
                                << ""
                                << "W and H must be at least 1.";
        QTest::newRow("W of 0, BIG5") << int(kBig5) << "A440"
                                      << "A4FE"
                                      << "0"
                                      << "W and H must be at least 1.";
    }
    void rangeAndFieldRefusals() {
        QFETCH(int, library);
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(QString, width);
        QFETCH(QString, message);
        w<QLineEdit>("lineEdit_W")->setText(width);
        const QString before = log();
        convert(library, start, end, path("never.bin"));
        QCOMPARE(answerer->messages(), QStringList({message}));
        QCOMPARE(answerer->fileDialogsSeen(), 0);
        QVERIFY(!QFile::exists(path("never.bin")));
        QCOMPARE(log(), before);
        QVERIFY(buttonsEnabled());
        QCOMPARE(w<QProgressBar>("progressBar")->value(), 0);
    }

    void oversizedFileIsRefusedBeforeTheDialog() {
        // GBK's default range at 212 x 212 aRGB4444: 24035 x 89888 bytes, past 2^31.
        w<QLineEdit>("lineEdit_W")->setText("212");
        w<QLineEdit>("lineEdit_H")->setText("212");
        w<QComboBox>("comboBox_PixFormat")->setCurrentIndex(4);
        convert(kGbk, "8140", "FEBF", path("never.bin"));
        QCOMPARE(answerer->messages(),
                 QStringList({"The file would be 2 GB or larger; choose a smaller cell, pixel "
                              "format or code range."}));
        QCOMPARE(answerer->fileDialogsSeen(), 0);
        QVERIFY(!QFile::exists(path("never.bin")));
        QVERIFY(buttonsEnabled());
    }

    void unicodeZeroCellTouchesNoFile() {
        w<QLineEdit>("lineEdit_H")->setText("0");
        WriteAll(path("old.bin"), "old");
        convert(kUnicode, "4E00", "4E0F", path("old.bin"));
        QCOMPARE(answerer->messages(), QStringList({"W and H must be at least 1."}));
        QCOMPARE(ReadAll(path("old.bin")), QByteArray("old"));
        QVERIFY(buttonsEnabled());
    }

    void cancelledSave_data() {
        QTest::addColumn<int>("library");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::newRow("GB2312") << int(kGb2312) << "B0A1"
                                << "B0FE";
        QTest::newRow("BIG5") << int(kBig5) << "A440"
                              << "A4FE";
        QTest::newRow("GBK") << int(kGbk) << "B040"
                             << "B0FE";
        QTest::newRow("Unicode") << int(kUnicode) << "4E00"
                                 << "4E0F";
    }
    void cancelledSave() {
        QFETCH(int, library);
        QFETCH(QString, start);
        QFETCH(QString, end);
        const QString lastDir = MainWindowTestAccess::lastDir(*window);
        const QString before = log();
        w<QCheckBox>("checkBox_Left")->setChecked(true);
        convert(library, start, end, "");
        QCOMPARE(answerer->messages(), QStringList({"Can't save to this file."}));
        QCOMPARE(log(), before);
        QCOMPARE(MainWindowTestAccess::lastDir(*window), lastDir);
        QVERIFY(w<QCheckBox>("checkBox_Left")->isChecked());
        QVERIFY(buttonsEnabled());
        QCOMPARE(w<QProgressBar>("progressBar")->value(), 0);
    }

    void unwritableTarget_data() {
        QTest::addColumn<int>("library");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("message");
        QTest::newRow("GB2312") << int(kGb2312) << "B0A1"
                                << "B0FE"
                                << "GB2312 Font Lib ok";
        QTest::newRow("BIG5") << int(kBig5) << "A440"
                              << "A4FE"
                              << "BIG5 Font Lib ok";
        QTest::newRow("GBK") << int(kGbk) << "B040"
                             << "B0FE"
                             << "GBK Font Lib ok";
        QTest::newRow("Unicode") << int(kUnicode) << "4E00"
                                 << "4E0F"
                                 << "UniCode Font Lib ok";
    }
    void unwritableTarget() {
        QFETCH(int, library);
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(QString, message);
        convert(library, start, end, path("missing/lib.bin"));
        QCOMPARE(answerer->messages(), QStringList({QString::fromUtf8("打开文件失败"), message}));
        if (library == kGbk) QCOMPARE(log(), QStringLiteral("{0,\n};"));
        QVERIFY(buttonsEnabled());
        QCOMPARE(w<QProgressBar>("progressBar")->value(), 0);
    }

    void longerFileIsEmptiedFirst() {
        WriteAll(path("lib.bin"), QByteArray(20000, char(0xAB)));
        convert(kGb2312, "B0A1", "B0FE", path("lib.bin"));
        QCOMPARE(ReadAll(path("lib.bin")).size(), 6152);
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
