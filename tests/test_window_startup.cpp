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

    // The lists start at the core's default request; the hidden controls stay hidden.
    void startState() {
        QCOMPARE(window->windowTitle(), QStringLiteral("Runemill V3.10"));
        QStringList current;
        for (const char* name : {"comboBox_FCode", "comboBox_PixFormat", "comboBox_Space", "comboBox_ShowBy"})
            current << window->findChild<QComboBox*>(name)->currentText();
        QCOMPARE(current, QStringList({"GB2312", "1bits", "1/3", "Char"}));
        QStringList texts;
        for (const char* name : {"lineEdit_SCode", "lineEdit_ECode", "lineEdit_W", "lineEdit_H", "lineEdit_Limit",
                                 "lineEdit_FontInformation"})
            texts << window->findChild<QLineEdit*>(name)->text();
        QCOMPARE(texts.join(' '), QString::fromUtf8("A1A0 F7FE 32 32 50 宋体-20-常规"));
        for (const char* name : {"lineEdit_TextCode", "pushButton", "pushButton_2", "checkBox_revX", "comboBox_Rotation"})
            QVERIFY2(!window->findChild<QWidget*>(name)->isVisible(), name);
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
