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

    // A slot whose name matches no widget's signal is silently never called;
    // Qt only says so in this warning.
    void everySlotIsWired() {
        for (const QString& warning : capturedWarnings)
            QVERIFY2(!warning.contains("No matching signal"), qPrintable(warning));
        const QMetaObject* meta = window->metaObject();
        QCOMPARE(meta->methodCount() - meta->methodOffset(), 11);
    }

    void titleAndFlags() {
        QCOMPARE(window->windowTitle(), QStringLiteral("Runemill V3.10"));
        // Qt adds the title and system-menu hints that the button hints need.
        QCOMPARE(int(window->windowFlags() & 0x0800C003), 0x0800C003);
        QCOMPARE(window->windowFlags() & Qt::WindowType_Mask, Qt::Dialog);
    }

    void comboBoxes_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("items");
        QTest::addColumn<int>("current");
        QTest::newRow("encoding") << "comboBox_FCode" << "GB2312|BIG5|GBK|UniCode" << 0;
        QTest::newRow("format") << "comboBox_PixFormat" << "1bits|2bits|4bits|8bits|aRGB4444" << 0;
        QTest::newRow("rotation") << "comboBox_Rotation" << "0 Degree|R 90 Degree|L 90 Degree" << 0;
        QTest::newRow("space") << "comboBox_Space" << "1/2|1/3|1/4" << 1;
        QTest::newRow("show by") << "comboBox_ShowBy" << "Code|Char" << 1;
    }
    void comboBoxes() {
        QFETCH(QString, name);
        QFETCH(QString, items);
        QFETCH(int, current);
        auto* box = window->findChild<QComboBox*>(name);
        QStringList texts;
        for (int i = 0; i < box->count(); ++i) texts << box->itemText(i);
        QCOMPARE(texts.join('|'), items);
        QCOMPARE(box->currentIndex(), current);
    }

    void widgets_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");  // "" for widgets without one checked here
        QTest::addColumn<bool>("visible");
        QTest::newRow("start code") << "lineEdit_SCode" << "A1A0" << true;
        QTest::newRow("end code") << "lineEdit_ECode" << "F7FE" << true;
        QTest::newRow("W") << "lineEdit_W" << "32" << true;
        QTest::newRow("H") << "lineEdit_H" << "32" << true;
        QTest::newRow("limit") << "lineEdit_Limit" << "50" << true;
        QTest::newRow("character") << "lineEdit_CharCode" << QString::fromUtf8("乐") << true;
        QTest::newRow("code") << "lineEdit_TextCode" << "BBAA" << false;
        QTest::newRow("font") << "lineEdit_FontInformation" << QString::fromUtf8("宋体-20-常规") << true;
        QTest::newRow("ZQ IC Bin") << "pushButton" << "" << false;
        QTest::newRow("TTF File Bin") << "pushButton_2" << "" << false;
        QTest::newRow("Rotate") << "label" << "" << false;
        QTest::newRow("Rotate colon") << "label_10" << "" << false;
        QTest::newRow("Reverse X") << "checkBox_revX" << "" << false;
        QTest::newRow("Reverse Y") << "checkBox_revY" << "" << false;
        QTest::newRow("rotation") << "comboBox_Rotation" << "" << false;
    }
    void widgets() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(bool, visible);
        auto* widget = window->findChild<QWidget*>(name);
        QVERIFY(widget != nullptr);
        QCOMPARE(widget->isVisible(), visible);
        if (auto* field = qobject_cast<QLineEdit*>(widget)) QCOMPARE(field->text(), text);
    }

    void stateAfterStart() {
        auto* log = window->findChild<QTextEdit*>("textEdit");
        QCOMPARE(log->toPlainText(), QStringLiteral("y0=-7,pos=26"));
        QCOMPARE(MainWindowTestAccess::x0(*window), 0);
        QCOMPARE(MainWindowTestAccess::y0(*window), -7);
        QCOMPARE(MainWindowTestAccess::spaceDivisor(*window), 3);
        QCOMPARE(window->findChild<QProgressBar*>("progressBar")->value(), 0);
        QCOMPARE(MainWindowTestAccess::lastDir(*window), QCoreApplication::applicationDirPath() + "/");
        const QFont& font = MainWindowTestAccess::currentFont(*window);
        QCOMPARE(font.pointSize(), 20);
        QCOMPARE(font.weight(), int(QFont::Normal));
        for (const char* name : {"lineEdit_W", "lineEdit_H", "lineEdit_Limit"})
            QVERIFY2(window->findChild<QLineEdit*>(name)->validator() != nullptr, name);
    }

    // Both views show "乐": the start-up family must resolve to a face with CJK glyphs.
    void startGlyphInBothViews() {
        const QImage& glyph = MainWindowTestAccess::glyphImage(*window);
        int inked = 0;
        for (int y = 0; y < glyph.height(); ++y)
            for (int x = 0; x < glyph.width(); ++x) inked += (glyph.pixel(x, y) & 0xFFFFFF) != 0;
        QVERIFY2(inked > 40, "the start glyph is (nearly) blank: no CJK face resolved");
        for (const char* name : {"label_ImgSystem", "label_ImgUser"})
            QCOMPARE(window->findChild<QLabel*>(name)->pixmap(Qt::ReturnByValue).size(), QSize(129, 129));
    }

    void startStyleSheets() {
        const QString panel = QString::fromLatin1(kControlPanelStyleSheet);
        QCOMPARE(panel.size(), 1031);
        for (const char* name : {"frame_3", "frame_6", "frame_7"})
            QCOMPARE(window->findChild<QWidget*>(name)->styleSheet(), panel);
        const QString header = "QFrame{background: #d9dfe7;border-radius: 4px;}";
        for (const char* name : {"frame_4", "frame_5", "frame_9"})
            QCOMPARE(window->findChild<QWidget*>(name)->styleSheet(), header);
        QCOMPARE(window->findChild<QWidget*>("frame_User")->styleSheet(),
                 window->findChild<QWidget*>("frame_System")->styleSheet());
        QVERIFY(window->findChild<QWidget*>("progressBar")->styleSheet().startsWith("QProgressBar{color:black;"));
    }

private:
    MainWindow* window = nullptr;
};

QTEST_MAIN(WindowStartupTest)
#include "test_window_startup.moc"
