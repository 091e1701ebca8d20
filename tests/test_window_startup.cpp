// The window as a user first sees it.
#include <QtTest>

#include "app/form/main_window_ui.h"
#include "app/main_window.h"
#include "window_access.h"

namespace {

QStringList capturedWarnings;

void CaptureMessages(QtMsgType, const QMessageLogContext&, const QString& message) {
    capturedWarnings << message;
}

}  // namespace

class WindowStartupTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QtMessageHandler previous = qInstallMessageHandler(CaptureMessages);
        window = new MainWindow;
        qInstallMessageHandler(previous);
        window->show();
    }
    void cleanupTestCase() { delete window; }

    // A slot whose name matches no widget's signal is silently never called; Qt only says so here.
    void everySlotIsWired() {
        for (const QString& warning : capturedWarnings)
            QVERIFY2(!warning.contains("No matching signal"), qPrintable(warning));
    }

    void titleAndFlags() {
        QCOMPARE(window->windowTitle(), QStringLiteral("Runemill V3.10"));
        // Qt adds the title and system-menu hints that the button hints need.
        QCOMPARE(int(window->windowFlags() & 0x0800C003), 0x0800C003);
    }

    // The items and the one selected, of each list.
    void comboBoxes() {
        QStringList lists;
        for (const char* name : {"comboBox_FCode", "comboBox_PixFormat", "comboBox_Rotation",
                                 "comboBox_Space", "comboBox_ShowBy"}) {
            auto* box = window->findChild<QComboBox*>(name);
            QStringList texts;
            for (int i = 0; i < box->count(); ++i) texts << box->itemText(i);
            lists << texts.join('|') + " @" + QString::number(box->currentIndex());
        }
        QCOMPARE(
            lists,
            QStringList({"GB2312|BIG5|GBK|UniCode @0", "1bits|2bits|4bits|8bits|aRGB4444 @0",
                         "0 Degree|R 90 Degree|L 90 Degree @0", "1/2|1/3|1/4 @1", "Code|Char @1"}));
    }

    // The code field, the chip and TTF commands, the rotation and the mirrors start hidden.
    void fieldsAndVisibility() {
        QStringList texts;
        for (const char* name :
             {"lineEdit_SCode", "lineEdit_ECode", "lineEdit_W", "lineEdit_H", "lineEdit_Limit",
              "lineEdit_CharCode", "lineEdit_TextCode", "lineEdit_FontInformation"})
            texts << window->findChild<QLineEdit*>(name)->text();
        QCOMPARE(texts.join(' '), QString::fromUtf8("A1A0 F7FE 32 32 50 乐 BBAA 宋体-20-常规"));
        for (const char* name : {"lineEdit_TextCode", "pushButton", "pushButton_2", "label",
                                 "label_10", "checkBox_revX", "checkBox_revY", "comboBox_Rotation"})
            QVERIFY2(!window->findChild<QWidget*>(name)->isVisible(), name);
        QVERIFY(window->findChild<QWidget*>("lineEdit_CharCode")->isVisible());
    }

    void stateAfterStart() {
        QCOMPARE(window->findChild<QTextEdit*>("textEdit")->toPlainText(), QString("y0=-7,pos=26"));
        QCOMPARE(QPoint(MainWindowTestAccess::x0(*window), MainWindowTestAccess::y0(*window)),
                 QPoint(0, -7));
        QCOMPARE(MainWindowTestAccess::spaceDivisor(*window), 3);
        QCOMPARE(window->findChild<QProgressBar*>("progressBar")->value(), 0);
        QCOMPARE(MainWindowTestAccess::lastDir(*window),
                 QCoreApplication::applicationDirPath() + "/");
        QCOMPARE(MainWindowTestAccess::currentFont(*window).pointSize(), 20);
    }

    // Both views show "乐": the start-up family must resolve to a face with CJK glyphs.
    void startGlyphInBothViews() {
        const QImage& glyph = MainWindowTestAccess::glyphImage(*window);
        int inked = 0;
        for (int y = 0; y < glyph.height(); ++y)
            for (int x = 0; x < glyph.width(); ++x) inked += (glyph.pixel(x, y) & 0xFFFFFF) != 0;
        QVERIFY2(inked > 40, "the start glyph is (nearly) blank: no CJK face resolved");
        for (const char* name : {"label_ImgSystem", "label_ImgUser"})
            QCOMPARE(window->findChild<QLabel*>(name)->pixmap(Qt::ReturnByValue).size(),
                     QSize(129, 129));
    }

  private:
    MainWindow* window = nullptr;
};

QTEST_MAIN(WindowStartupTest)
#include "test_window_startup.moc"
