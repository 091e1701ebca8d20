// The window as a user first sees it.
#include <QtTest>

#include "app/form/main_window_ui.h"
#include "app/main_window.h"
#include "app/start_style_sheets.h"
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
        QCOMPARE(window->windowFlags() & Qt::WindowType_Mask, Qt::Dialog);
    }

    void comboBoxes_data() {
        QTest::addColumn<QString>("items");
        QTest::addColumn<int>("current");
        const struct {
            const char *name, *items;
            int current;
        } rows[] = {{"comboBox_FCode", "GB2312|BIG5|GBK|UniCode", 0},
                    {"comboBox_PixFormat", "1bits|2bits|4bits|8bits|aRGB4444", 0},
                    {"comboBox_Rotation", "0 Degree|R 90 Degree|L 90 Degree", 0},
                    {"comboBox_Space", "1/2|1/3|1/4", 1},
                    {"comboBox_ShowBy", "Code|Char", 1}};
        for (const auto& r : rows) QTest::newRow(r.name) << QString(r.items) << r.current;
    }
    void comboBoxes() {
        QFETCH(QString, items);
        QFETCH(int, current);
        auto* box = window->findChild<QComboBox*>(QTest::currentDataTag());
        QStringList texts;
        for (int i = 0; i < box->count(); ++i) texts << box->itemText(i);
        QCOMPARE(texts.join('|'), items);
        QCOMPARE(box->currentIndex(), current);
    }

    // The code field, the chip and TTF commands, the rotation and the mirrors start hidden.
    void fieldsAndVisibility() {
        const char* const texts[][2] = {
            {"lineEdit_SCode", "A1A0"},    {"lineEdit_ECode", "F7FE"},
            {"lineEdit_W", "32"},          {"lineEdit_H", "32"},
            {"lineEdit_Limit", "50"},      {"lineEdit_CharCode", "乐"},
            {"lineEdit_TextCode", "BBAA"}, {"lineEdit_FontInformation", "宋体-20-常规"}};
        for (const auto& t : texts) {
            const QString text = window->findChild<QLineEdit*>(t[0])->text();
            QVERIFY2(text == QString::fromUtf8(t[1]), qPrintable(t[0] + (": " + text)));
        }
        for (const char* name : {"lineEdit_TextCode", "pushButton", "pushButton_2", "label",
                                 "label_10", "checkBox_revX", "checkBox_revY", "comboBox_Rotation"})
            QVERIFY2(!window->findChild<QWidget*>(name)->isVisible(), name);
        QVERIFY(window->findChild<QWidget*>("lineEdit_CharCode")->isVisible());
    }

    void stateAfterStart() {
        QCOMPARE(window->findChild<QTextEdit*>("textEdit")->toPlainText(), QString("y0=-7,pos=26"));
        QCOMPARE(MainWindowTestAccess::x0(*window), 0);
        QCOMPARE(MainWindowTestAccess::y0(*window), -7);
        QCOMPARE(MainWindowTestAccess::spaceDivisor(*window), 3);
        QCOMPARE(window->findChild<QProgressBar*>("progressBar")->value(), 0);
        QCOMPARE(MainWindowTestAccess::lastDir(*window),
                 QCoreApplication::applicationDirPath() + "/");
        QCOMPARE(MainWindowTestAccess::currentFont(*window).pointSize(), 20);
        QCOMPARE(MainWindowTestAccess::currentFont(*window).weight(), int(QFont::Normal));
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

    void startStyleSheets() {
        const auto style = [&](const char* name) {
            return window->findChild<QWidget*>(name)->styleSheet();
        };
        for (const char* name : {"frame_3", "frame_6", "frame_7"})
            QCOMPARE(style(name), QString(kControlPanelStyleSheet));
        for (const char* name : {"frame_4", "frame_5", "frame_9"})
            QCOMPARE(style(name), QString("QFrame{background: #d9dfe7;border-radius: 4px;}"));
        QCOMPARE(style("frame_User"), style("frame_System"));
        QVERIFY(style("progressBar").startsWith("QProgressBar{color:black;"));
    }

  private:
    MainWindow* window = nullptr;
};

QTEST_MAIN(WindowStartupTest)
#include "test_window_startup.moc"
