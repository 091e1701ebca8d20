// The window's commands that write one file each: Convert ASCII, Convert
// string, the two hidden 108-byte headers, and the save dialog, writer and
// message box they share. Offsets below are worked out by hand for 16 x 16
// cells in "1bits": 2 bytes a row, S = 32 bytes a glyph.
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

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

QByteArray Hex(const char* hex) { return QByteArray::fromHex(hex); }

bool AllBytes(const QByteArray& bytes, int from, int count, char value) {
    if (from + count > bytes.size()) return false;
    for (int i = from; i < from + count; ++i)
        if (bytes.at(i) != value) return false;
    return true;
}

// A 16 x 16 1bits glyph drawn left-aligned starts in column 0, or in column 1
// when the faint edge pixel of column 0 falls below the threshold.
bool LeftAligned(const QByteArray& bytes, int glyphOffset) {
    for (int row = 0; row < 16; ++row)
        if (uchar(bytes.at(glyphOffset + 2 * row)) & 0xC0) return true;
    return false;
}

// What the save dialog showed when it opened.
class FileDialogSpy : public QObject {
  public:
    QStringList titles, directories, fileNames, filters;

  protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* dialog = qobject_cast<QFileDialog*>(object);
        if (dialog && event->type() == QEvent::Show) {
            titles << dialog->windowTitle();
            directories << QDir::cleanPath(dialog->directory().absolutePath());
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            fileNames << (name ? name->text() : QString());
            filters << dialog->nameFilters().join(";");
        }
        return false;
    }
};

// The state of the window while a conversion is running (sampled between glyphs).
struct RunState {
    bool makeFont, ascii, string, left;
    int progress;
};

}  // namespace

class WindowCommandsTest : public QObject {
    Q_OBJECT

  private:
    MainWindow* window = nullptr;
    ModalAnswerer* answerer = nullptr;
    QTemporaryDir* dir = nullptr;
    QVector<RunState> during;  // sampled by a zero timer while a run is active
    QTimer sampler;

    template <typename T>
    T* w(const char* name) {
        T* found = window->findChild<T*>(name);
        if (!found) qFatal("no widget %s", name);
        return found;
    }
    QString path(const QString& name) const { return dir->filePath(name); }
    QStringList logLines() { return w<QTextEdit>("textEdit")->toPlainText().split('\n'); }
    void setCell(int width, int height, int pixFormat = 0) {
        w<QLineEdit>("lineEdit_W")->setText(QString::number(width));
        w<QLineEdit>("lineEdit_H")->setText(QString::number(height));
        w<QComboBox>("comboBox_PixFormat")->setCurrentIndex(pixFormat);
    }
    void clickAscii(const QString& target) {
        answerer->QueueFile(target);
        w<QPushButton>("pushButton_Ascii")->click();
    }
    void clickString(const QString& text, const QString& target) {
        answerer->QueueFile(text);
        answerer->QueueFile(target);
        w<QPushButton>("pushButton_String")->click();
    }
    QString textFile(const QByteArray& utf8) {
        const QString name = path("command.txt");
        WriteAll(name, utf8);
        return name;
    }
    // Clicks one of the two hidden header buttons (hidden, but still wired).
    void clickHeader(bool ttf, const QString& target) {
        answerer->QueueFile(target);
        w<QPushButton>(ttf ? "pushButton_2" : "pushButton")->click();
    }
    bool buttonsEnabled() {
        return w<QPushButton>("pushButton_MakeFont")->isEnabled() &&
               w<QPushButton>("pushButton_Ascii")->isEnabled() &&
               w<QPushButton>("pushButton_String")->isEnabled();
    }

  private slots:
    void init() {
        dir = new QTemporaryDir;
        window = new MainWindow;
        answerer = new ModalAnswerer;
        during.clear();
        sampler.setInterval(0);
        sampler.disconnect();
        connect(&sampler, &QTimer::timeout, this, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            // The save dialog asks before replacing a file; the answerer is
            // busy inside that dialog's accept(), so the question is answered here.
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                if (QAbstractButton* yes = box->button(QMessageBox::Yes)) yes->click();
            }
            if (!MainWindowTestAccess::runActive(*window) || modal) return;
            during << RunState{w<QPushButton>("pushButton_MakeFont")->isEnabled(),
                               w<QPushButton>("pushButton_Ascii")->isEnabled(),
                               w<QPushButton>("pushButton_String")->isEnabled(),
                               w<QCheckBox>("checkBox_Left")->isChecked(),
                               w<QProgressBar>("progressBar")->value()};
        });
        sampler.start();
    }
    void cleanup() {
        sampler.stop();
        delete answerer;
        delete window;
        delete dir;
    }

    // --- Output services -------------------------------------------------

    void directoryOf_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("directory");
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("file") << "C:/out/a.bin"
                              << "C:/out/";
        QTest::newRow("ends with slash") << "/tmp/fonts/"
                                         << "/tmp/fonts/";
        QTest::newRow("no slash") << "a.bin"
                                  << "";
        QTest::newRow("root") << "/a.bin"
                              << "/";
        QTest::newRow("1024 characters kept") << "/" + QString(1022, 'd') + "/x.bin"
                                              << "/" + QString(1022, 'd') + "/";
        QTest::newRow("1025 characters dropped") << "/" + QString(1023, 'd') + "/x.bin"
                                                 << "";
    }
    void directoryOf() {
        QFETCH(QString, path);
        QFETCH(QString, directory);
        QCOMPARE(window->DirectoryOf(path), directory);
    }

    void saveDialogProposesFontBinInLastDirectory() {
        FileDialogSpy spy;
        qApp->installEventFilter(&spy);
        QDir().mkpath(path("sub"));
        setCell(16, 16);
        clickAscii(path("sub/a.bin"));
        QCOMPARE(MainWindowTestAccess::lastDir(*window), path("sub") + "/");
        // The next command, whichever it is, starts in the directory just used.
        clickHeader(false, path("chip.bin"));
        QCOMPARE(MainWindowTestAccess::lastDir(*window), dir->path() + "/");
        qApp->removeEventFilter(&spy);

        QCOMPARE(spy.titles, QStringList({"Save bin files", "Save bin files"}));
        QCOMPARE(spy.filters, QStringList({"file(*.bin)", "file(*.bin)"}));
        QCOMPARE(spy.directories,
                 QStringList({QDir::cleanPath(QCoreApplication::applicationDirPath()),
                              QDir::cleanPath(path("sub"))}));
        QCOMPARE(spy.fileNames, QStringList({"_Font_.bin", "_Font_.bin"}));
    }

    void cancelledDialogChangesNothing() {
        const QString before = MainWindowTestAccess::lastDir(*window);
        const QString log = w<QTextEdit>("textEdit")->toPlainText();
        w<QCheckBox>("checkBox_Left")->setChecked(true);
        clickAscii("");
        QCOMPARE(answerer->messages(), QStringList({"Can't save to this file."}));
        QCOMPARE(MainWindowTestAccess::lastDir(*window), before);
        QCOMPARE(w<QTextEdit>("textEdit")->toPlainText(), log);
        QVERIFY(buttonsEnabled());
        QVERIFY(w<QCheckBox>("checkBox_Left")->isChecked());
        QCOMPARE(w<QProgressBar>("progressBar")->value(), 0);
    }

    void writerRefusals_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("result");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("empty name") << "" << 10 << -1 << QStringList{"The file does not exist."};
        QTest::newRow("negative length") << "kept.bin" << -1 << 0 << QStringList{};
        QTest::newRow("cannot open")
            << "missing/x.bin" << 10 << -2 << QStringList{QString::fromUtf8("打开文件失败")};
    }
    void writerRefusals() {
        QFETCH(QString, name);
        QFETCH(int, length);
        QFETCH(int, result);
        QFETCH(QStringList, messages);
        WriteAll(path("kept.bin"), "keep");
        const QString target = name.isEmpty() ? QString() : path(name);
        QCOMPARE(window->WriteBinFile(target, length), result);
        QCOMPARE(answerer->messages(), messages);
        QCOMPARE(ReadAll(path("kept.bin")), QByteArray("keep"));
        QVERIFY(!QFile::exists(path("missing")));
    }

    // --- Convert ASCII -----------------------------------------------------

    void asciiFontLayout_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("pixFormat");
        QTest::addColumn<int>("spaceIndex");
        QTest::addColumn<int>("length");  // 104 + 95 x S
        QTest::addColumn<int>("glyphBytes");
        QTest::addColumn<int>("spaceWidth");
        QTest::newRow("32x32 1bits 1/2") << 32 << 32 << 0 << 0 << 12264 << 128 << 16;
        QTest::newRow("32x32 1bits 1/3") << 32 << 32 << 0 << 1 << 12264 << 128 << 10;
        QTest::newRow("32x32 1bits 1/4") << 32 << 32 << 0 << 2 << 12264 << 128 << 8;
        QTest::newRow("16x16 1bits 1/4") << 16 << 16 << 0 << 2 << 3144 << 32 << 4;
        QTest::newRow("12x10 1bits") << 12 << 10 << 0 << 1 << 2004 << 20 << 4;
        QTest::newRow("16x16 2bits") << 16 << 16 << 1 << 0 << 6184 << 64 << 8;
        QTest::newRow("15x16 4bits") << 15 << 16 << 2 << 0 << 12264 << 128 << 7;
        QTest::newRow("16x16 8bits") << 16 << 16 << 3 << 1 << 24424 << 256 << 5;
        QTest::newRow("16x16 aRGB4444") << 16 << 16 << 4 << 1 << 48744 << 512 << 5;
        QTest::newRow("20x16 1/4") << 20 << 16 << 0 << 2 << 4664 << 48 << 5;
        QTest::newRow("20x16 1/2") << 20 << 16 << 0 << 0 << 4664 << 48 << 10;
    }
    void asciiFontLayout() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, pixFormat);
        QFETCH(int, spaceIndex);
        QFETCH(int, length);
        QFETCH(int, glyphBytes);
        QFETCH(int, spaceWidth);
        setCell(width, height, pixFormat);
        w<QComboBox>("comboBox_Space")->setCurrentIndex(spaceIndex);
        // A longer file in the way is emptied first.
        WriteAll(path("ascii.bin"), QByteArray(60000, char(0xAB)));
        clickAscii(path("ascii.bin"));
        QCOMPARE(answerer->messages(), QStringList({"UniCode Font Lib ok"}));

        const QByteArray file = ReadAll(path("ascii.bin"));
        QCOMPARE(file.size(), length);
        QCOMPARE(file.left(9),
                 QByteArray("AS") + char(width) + char(height) + Hex("FFFFFFFF") + char(pixFormat));
        QCOMPARE(int(uchar(file.at(9))), spaceWidth);
        QVERIFY2(AllBytes(file, 104, glyphBytes, 0), "the space glyph is blank");
        // 'A' (0x41) is character 33: width byte 42, glyph at 104 + 33 x S.
        const int a = 104 + 33 * glyphBytes;
        QVERIFY(!AllBytes(file, a, glyphBytes, 0));
        QVERIFY(uchar(file.at(42)) > 1 && uchar(file.at(42)) <= width);
        // Every width is measured: even a glyph cut off by the cell measures 1.
        for (int i = 1; i < 95; ++i)
            QVERIFY2(uchar(file.at(9 + i)) >= 1, qPrintable(QString::number(i)));
    }

    void asciiRunState() {
        setCell(16, 16);
        w<QCheckBox>("checkBox_Left")->setChecked(false);
        QVector<int> atMessage;
        answerer->SetOnMessage([&](const QString&) {
            atMessage << w<QProgressBar>("progressBar")->value() << int(buttonsEnabled());
        });
        clickAscii(path("a.bin"));
        QCOMPARE(answerer->messages(), QStringList({"UniCode Font Lib ok"}));
        // The buttons come back before the closing message; the bar shows 100 until it closes.
        QCOMPARE(atMessage, QVector<int>({100, 1}));
        QVERIFY(!during.isEmpty());
        for (const RunState& s : during) {
            QVERIFY(!s.makeFont && !s.ascii && !s.string);
            QVERIFY(s.left);
        }
        QCOMPARE(during.last().progress, 98);  // 94 x 100 / 95 after glyph 93
        QVERIFY(buttonsEnabled());
        QVERIFY(!w<QCheckBox>("checkBox_Left")->isChecked());
        QCOMPARE(w<QProgressBar>("progressBar")->value(), 0);
        // Every ASCII glyph was drawn left-aligned: '!' (character 1) starts in column 0.
        QVERIFY(LeftAligned(ReadAll(path("a.bin")), 104 + 32));
    }

    void asciiOutputFailures_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("firstMessage");
        QTest::newRow("directory missing") << "missing/a.bin" << QString::fromUtf8("打开文件失败");
        QTest::newRow("disk full") << "/dev/full"
                                   << "Only 0 of 3144 bytes could be written to /dev/full; the "
                                      "disk may be full.";
    }
    void asciiOutputFailures() {
        QFETCH(QString, target);
        QFETCH(QString, firstMessage);
        setCell(16, 16);
        clickAscii(target.startsWith('/') ? target : path(target));
        QCOMPARE(answerer->messages(), QStringList({firstMessage, "UniCode Font Lib ok"}));
        QVERIFY(buttonsEnabled());
    }

    void zeroCellWritesNothing() {
        setCell(0, 16);
        WriteAll(path("old.bin"), "old");
        clickAscii(path("old.bin"));
        QCOMPARE(answerer->messages(), QStringList({"W and H must be at least 1."}));
        QCOMPARE(ReadAll(path("old.bin")), QByteArray("old"));
        QVERIFY(buttonsEnabled());
    }

    // --- Convert string --------------------------------------------------

    void stringFontFromText_data() {
        QTest::addColumn<QByteArray>("utf8");
        QTest::addColumn<QByteArray>("codes");  // the code table, low byte first
        QTest::newRow("lines simplified and joined") << QByteArray("abca\n  b  c  d  \n")
                                                     << Hex("6100620063002000"
                                                            "6400");
        QTest::newRow("case kept apart") << QByteArray("aA") << Hex("61004100");
        QTest::newRow("CRLF lines") << QByteArray("x\r\ny x\r\n") << Hex("780079002000");
        QTest::newRow("CJK and repeats") << QByteArray("乐乐啊") << Hex("504E4A55");
        QTest::newRow("outside the BMP") << QByteArray("\xF0\x9F\x98\x80") << Hex("3DD800DE");
    }
    void stringFontFromText() {
        QFETCH(QByteArray, utf8);
        QFETCH(QByteArray, codes);
        setCell(16, 16);
        const int count = codes.size() / 2;
        WriteAll(path("s.bin"), QByteArray(5000, 'x'));
        clickString(textFile(utf8), path("s.bin"));
        QCOMPARE(answerer->messages(), QStringList({"String Font bin ok"}));

        const QByteArray file = ReadAll(path("s.bin"));
        QCOMPARE(file.size(), 9 + count * 35);
        QCOMPARE(file.left(9), Hex("53531010") + char(count) + Hex("00554E00"));
        QCOMPARE(file.mid(9, 2 * count), codes);
        const int records = 9 + 2 * count;
        for (int k = 0; k < count; ++k) {
            const int record = records + k * 33;
            const bool space = codes.mid(2 * k, 2) == Hex("2000");
            // A space is drawn like any other unit: no ink, width 1.
            QCOMPARE(AllBytes(file, record + 1, 32, 0), space);
            if (space)
                QCOMPARE(int(file.at(record)), 1);
            else
                QVERIFY(uchar(file.at(record)) >= 1);
        }
    }

    void stringFontExample() {
        // The worked example: count 5, first record at byte 19, 184 bytes.
        setCell(16, 16);
        clickString(textFile("abca\n  b  c  d  \n"), path("s.bin"));
        const QByteArray file = ReadAll(path("s.bin"));
        QCOMPARE(file.size(), 184);
        QVERIFY(uchar(file.at(19)) > 1);         // width of 'a'
        QVERIFY(!AllBytes(file, 20, 32, 0));     // glyph of 'a'
        QVERIFY(LeftAligned(file, 20));          // drawn left-aligned
        QCOMPARE(int(file.at(19 + 3 * 33)), 1);  // the space, record 3
        QVERIFY(AllBytes(file, 20 + 3 * 33, 32, 0));
    }

    void stringRunState() {
        setCell(16, 16);
        w<QCheckBox>("checkBox_Left")->setChecked(false);
        QVector<int> atMessage;
        answerer->SetOnMessage([&](const QString&) {
            atMessage << w<QProgressBar>("progressBar")->value()
                      << int(w<QPushButton>("pushButton_String")->isEnabled())
                      << int(w<QCheckBox>("checkBox_Left")->isChecked());
        });
        clickString(textFile("abcdefgh"), path("s.bin"));
        QCOMPARE(answerer->messages(), QStringList({"String Font bin ok"}));
        QCOMPARE(atMessage, QVector<int>({100, 0, 1}));
        for (const RunState& s : during) QVERIFY(!s.makeFont && !s.ascii && !s.string && s.left);
        // p x 98 / L after each record but the last: L = 9 + 8 x 35 = 289,
        // the first record ends at 9 + 16 + 33 = 58, so the bar first shows 19.
        QVERIFY(!during.isEmpty());
        QCOMPARE(during.first().progress, 19);
        QCOMPARE(w<QComboBox>("comboBox_FCode")->currentText(), QStringLiteral("UniCode"));
        QCOMPARE(w<QLineEdit>("lineEdit_SCode")->text(), QStringLiteral("4E00"));
        QCOMPARE(w<QLineEdit>("lineEdit_ECode")->text(), QStringLiteral("9FA5"));
        QVERIFY(!w<QCheckBox>("checkBox_Left")->isChecked());
        QVERIFY(buttonsEnabled());
        QCOMPARE(w<QProgressBar>("progressBar")->value(), 100);
    }

    void stringWithoutTextTouchesNothing_data() {
        QTest::addColumn<bool>("chooseText");
        QTest::addColumn<QByteArray>("utf8");
        QTest::newRow("no text file chosen") << false << QByteArray();
        QTest::newRow("blank lines only") << true << QByteArray(" \n\t\n\n");
    }
    void stringWithoutTextTouchesNothing() {
        QFETCH(bool, chooseText);
        QFETCH(QByteArray, utf8);
        setCell(16, 16);
        WriteAll(path("s.bin"), "old");
        clickString(chooseText ? textFile(utf8) : QString(), path("s.bin"));
        QCOMPARE(answerer->fileDialogsSeen(), 2);
        QCOMPARE(answerer->messages(), QStringList());
        QCOMPARE(ReadAll(path("s.bin")), QByteArray("old"));
        QVERIFY(!w<QCheckBox>("checkBox_Left")->isChecked());
        QVERIFY(buttonsEnabled());
    }

    void stringCancelledSave() {
        clickString(textFile("abc"), "");
        QCOMPARE(answerer->messages(), QStringList({"Can't save to this file."}));
        QVERIFY(w<QCheckBox>("checkBox_Left")->isChecked());
        QCOMPARE(w<QComboBox>("comboBox_FCode")->currentIndex(), 3);
        QVERIFY(buttonsEnabled());
    }

    void stringUnwritableTarget() {
        setCell(16, 16);
        clickString(textFile("abc"), path("missing/s.bin"));
        QCOMPARE(answerer->messages(),
                 QStringList({QString::fromUtf8("打开文件失败"), "String Font bin ok"}));
    }

    // --- The two 108-byte headers ------------------------------------------

    void headerWithDefaults_data() {
        QTest::addColumn<bool>("ttf");
        QTest::addColumn<QByteArray>("first32");
        QTest::addColumn<QStringList>("log");
        QTest::newRow("chip") << false
                              << Hex("5A512020A0A1FEF700"
                                     "5A51374D52504534"
                                     "4B484300FFFFFFFF"
                                     "FF801400F9FFFF")
                              << QStringList({"Size:20", "Font_x0,y0:0,-7",
                                              "fontText[28]:00,FFFFFFF9",
                                              QString::fromUtf8("family:宋体")});
        QTest::newRow("ttf") << true
                             << Hex("54462020A0A1FEF700"
                                    "4B56373130342054"
                                    "544620466F6E7400"
                                    "FF801400F9FFFF")
                             << QStringList({"Size:20", QString::fromUtf8("family:宋体")});
    }
    void headerWithDefaults() {
        QFETCH(bool, ttf);
        QFETCH(QByteArray, first32);
        QFETCH(QStringList, log);
        const int linesBefore = logLines().size();
        clickHeader(ttf, path("h.bin"));
        QCOMPARE(answerer->messages(), QStringList({"Font bin ok"}));
        const QByteArray file = ReadAll(path("h.bin"));
        QCOMPARE(file.size(), 108);
        QCOMPARE(file.left(32), first32);
        QCOMPARE(file.mid(32, 5), Hex("CBCECCE500"));  // "宋体" in GBK, then 0x00
        QVERIFY(AllBytes(file, 37, 71, char(0xFF)));
        QCOMPARE(logLines().mid(linesBefore), log);
        QCOMPARE(w<QProgressBar>("progressBar")->value(), 0);
    }

    void headersDifferOnlyInMagicAndText() {
        clickHeader(false, path("chip.bin"));
        clickHeader(true, path("ttf.bin"));
        const QByteArray chip = ReadAll(path("chip.bin"));
        const QByteArray ttf = ReadAll(path("ttf.bin"));
        QCOMPARE(chip.size(), 108);
        QCOMPARE(ttf.size(), 108);
        for (int i = 0; i < 108; ++i) {
            const bool mayDiffer = i < 2 || (i >= 9 && i <= 25);
            if (!mayDiffer) QVERIFY2(chip.at(i) == ttf.at(i), qPrintable(QString::number(i)));
        }
    }

    void headerFields_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<bool>("styled");  // italic, bold and an underlined font
        QTest::addColumn<int>("hScroll");  // x0 = value - 25
        QTest::addColumn<QByteArray>("codes");
        QTest::addColumn<QByteArray>("bytes26to29");
        QTest::newRow("styled") << "A1A0"
                                << "F7FE" << true << 25 << Hex("A0A1FEF7") << Hex("871400F9");
        QTest::newRow("non-hex digit counts 0")
            << "12G4"
            << "12G4" << false << 25 << Hex("04120412") << Hex("801400F9");
        QTest::newRow("extra characters ignored")
            << "4e00FF"
            << "9fa5xyz" << false << 25 << Hex("004EA59F") << Hex("801400F9");
        QTest::newRow("negative x0") << "B0A1"
                                     << "B0A1" << false << 22 << Hex("A1B0A1B0") << Hex("8014FDF9");
    }
    void headerFields() {
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(bool, styled);
        QFETCH(int, hScroll);
        QFETCH(QByteArray, codes);
        QFETCH(QByteArray, bytes26to29);
        w<QLineEdit>("lineEdit_SCode")->setText(start);
        w<QLineEdit>("lineEdit_ECode")->setText(end);
        w<QCheckBox>("checkBox_SetItalic")->setChecked(styled);
        w<QCheckBox>("checkBox_SetBold")->setChecked(styled);
        MainWindowTestAccess::currentFont(*window).setUnderline(styled);
        w<QScrollBar>("horizontalScrollBar")->setValue(hScroll);
        for (bool ttf : {false, true}) {
            const QString target = path(ttf ? "ttf.bin" : "chip.bin");
            clickHeader(ttf, target);
            const QByteArray file = ReadAll(target);
            QCOMPARE(file.size(), 108);
            QCOMPARE(file.mid(4, 4), codes);
            QCOMPARE(file.mid(26, 4), bytes26to29);
        }
        QCOMPARE(answerer->messages(), QStringList({"Font bin ok", "Font bin ok"}));
    }

    void headerFamilyLength_data() {
        QTest::addColumn<int>("familyBytes");
        QTest::addColumn<int>("stored");
        QTest::newRow("75 bytes stored whole") << 75 << 75;
        QTest::newRow("76 bytes cut to 55") << 76 << 55;
        QTest::newRow("100 bytes cut to 55") << 100 << 55;
    }
    void headerFamilyLength() {
        QFETCH(int, familyBytes);
        QFETCH(int, stored);
        const QString family(familyBytes, 'f');
        MainWindowTestAccess::currentFont(*window).setFamily(family);
        clickHeader(false, path("h.bin"));
        const QByteArray file = ReadAll(path("h.bin"));
        QCOMPARE(file.size(), 108);
        QCOMPARE(file.mid(32, stored), QByteArray(stored, 'f'));
        QCOMPARE(int(file.at(32 + stored)), 0);
        QVERIFY(AllBytes(file, 33 + stored, 108 - 33 - stored, char(0xFF)));
        QCOMPARE(logLines().last(), "family:" + family);
    }

    void headersAppendToExistingFile() {
        WriteAll(path("h.bin"), "0123456789");
        clickHeader(false, path("h.bin"));
        clickHeader(true, path("h.bin"));
        const QByteArray file = ReadAll(path("h.bin"));
        QCOMPARE(file.size(), 10 + 108 + 108);
        QCOMPARE(file.left(12), QByteArray("0123456789ZQ"));
        QCOMPARE(file.mid(118, 2), QByteArray("TF"));
    }

    void headerRefusals_data() {
        QTest::addColumn<bool>("ttf");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("message");
        for (bool ttf : {false, true}) {
            const char* kind = ttf ? "ttf: " : "chip: ";
            QTest::newRow(qPrintable(kind + QString("cancelled"))) << ttf << ""
                                                                   << "A1A0"
                                                                   << "F7FE"
                                                                   << "Can't save to this file.";
            QTest::newRow(qPrintable(kind + QString("short start")))
                << ttf << "h.bin"
                << "A1A"
                << "F7FE"
                << "Start code number is less 4.";
            QTest::newRow(qPrintable(kind + QString("short end"))) << ttf << "h.bin"
                                                                   << "A1A0"
                                                                   << "F7F"
                                                                   << "End code number is less 4.";
            QTest::newRow(qPrintable(kind + QString("end below start")))
                << ttf << "h.bin"
                << "B0A1"
                << "B0A0"
                << "Error for start code > end code. And stop.";
        }
    }
    void headerRefusals() {
        QFETCH(bool, ttf);
        QFETCH(QString, target);
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(QString, message);
        w<QLineEdit>("lineEdit_SCode")->setText(start);
        w<QLineEdit>("lineEdit_ECode")->setText(end);
        const QString log = w<QTextEdit>("textEdit")->toPlainText();
        clickHeader(ttf, target.isEmpty() ? QString() : path(target));
        QCOMPARE(answerer->fileDialogsSeen(), 1);  // the dialog comes before the checks
        QCOMPARE(answerer->messages(), QStringList({message}));
        QVERIFY(!QFile::exists(path("h.bin")));
        QCOMPARE(w<QTextEdit>("textEdit")->toPlainText(), log);
    }

    void headerUnwritableTarget() {
        clickHeader(false, path("missing/h.bin"));
        QCOMPARE(answerer->messages(),
                 QStringList({QString::fromUtf8("打开文件失败"), "Font bin ok"}));
    }
};

QTEST_MAIN(WindowCommandsTest)
#include "test_window_commands.moc"
