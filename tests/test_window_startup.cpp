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

QStringList Items(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
    return items;
}

}  // namespace

class WindowStartupTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        capturedWarnings.clear();
        QtMessageHandler previous = qInstallMessageHandler(CaptureMessages);
        window = new MainWindow;
        qInstallMessageHandler(previous);
    }
    void cleanup() { delete window; }

    // A slot named after a widget that does not exist (or a wrong signal) is
    // silently never called; Qt only says so in this warning.
    void everySlotIsWired() {
        for (const QString& warning : capturedWarnings)
            QVERIFY2(!warning.contains("No matching signal"), qPrintable(warning));
        const QMetaObject* meta = window->metaObject();
        QCOMPARE(meta->methodCount() - meta->methodOffset(), 11);
        QCOMPARE(QByteArray(meta->method(meta->methodOffset()).name()),
                 QByteArray("on_pushButton_SelectFont_clicked"));
        QCOMPARE(QByteArray(meta->method(meta->methodOffset() + 10).name()), QByteArray("OnSelectChanged"));
    }

    void titleAndFlags() {
        QCOMPARE(window->windowTitle(), QStringLiteral("Runemill V3.10"));
        // Qt adds the title and system-menu hints that the button hints need.
        const Qt::WindowFlags flags = window->windowFlags();
        QCOMPARE(int(flags & 0x0800C003), 0x0800C003);
        QCOMPARE(flags & Qt::WindowType_Mask, Qt::Dialog);
        QCOMPARE(window->objectName(), QStringLiteral("MainWindow"));
    }

    void comboBoxItems_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<int>("current");
        QTest::newRow("encoding") << "comboBox_FCode" << QStringList{"GB2312", "BIG5", "GBK", "UniCode"} << 0;
        QTest::newRow("format") << "comboBox_PixFormat"
                                << QStringList{"1bits", "2bits", "4bits", "8bits", "aRGB4444"} << 0;
        QTest::newRow("rotation") << "comboBox_Rotation"
                                  << QStringList{"0 Degree", "R 90 Degree", "L 90 Degree"} << 0;
        QTest::newRow("space") << "comboBox_Space" << QStringList{"1/2", "1/3", "1/4"} << 1;
        QTest::newRow("show by") << "comboBox_ShowBy" << QStringList{"Code", "Char"} << 1;
    }
    void comboBoxItems() {
        QFETCH(QString, name);
        QFETCH(QStringList, items);
        QFETCH(int, current);
        auto* box = window->findChild<QComboBox*>(name);
        QVERIFY(box != nullptr);
        QCOMPARE(Items(box), items);
        QCOMPARE(box->currentIndex(), current);
    }

    void fields_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::newRow("start code") << "lineEdit_SCode" << "A1A0";
        QTest::newRow("end code") << "lineEdit_ECode" << "F7FE";
        QTest::newRow("W") << "lineEdit_W" << "32";
        QTest::newRow("H") << "lineEdit_H" << "32";
        QTest::newRow("limit") << "lineEdit_Limit" << "50";
        QTest::newRow("character") << "lineEdit_CharCode" << QString::fromUtf8("乐");
        QTest::newRow("code") << "lineEdit_TextCode" << "BBAA";
    }
    void fields() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        auto* field = window->findChild<QLineEdit*>(name);
        QVERIFY(field != nullptr);
        QCOMPARE(field->text(), text);
    }

    void fontInformationShowsTheStartFont() {
        const QFont& font = MainWindowTestAccess::currentFont(*window);
        QCOMPARE(font.family(), QString::fromUtf8("宋体"));
        QCOMPARE(font.pointSize(), 20);
        QCOMPARE(font.weight(), int(QFont::Normal));
        QVERIFY(!font.italic());
        QCOMPARE(window->findChild<QLineEdit*>("lineEdit_FontInformation")->text(),
                 QString::fromUtf8("宋体-20-常规"));
    }

    void visibility_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("visible");
        QTest::newRow("ZQ IC Bin") << "pushButton" << false;
        QTest::newRow("TTF File Bin") << "pushButton_2" << false;
        QTest::newRow("Rotate label") << "label" << false;
        QTest::newRow("Rotate colon") << "label_10" << false;
        QTest::newRow("Reverse X") << "checkBox_revX" << false;
        QTest::newRow("Reverse Y") << "checkBox_revY" << false;
        QTest::newRow("rotation") << "comboBox_Rotation" << false;
        QTest::newRow("character field") << "lineEdit_CharCode" << true;
        QTest::newRow("code field") << "lineEdit_TextCode" << false;
        QTest::newRow("Convert all") << "pushButton_MakeFont" << true;
        QTest::newRow("View") << "pushButton_3" << true;
    }
    void visibility() {
        QFETCH(QString, name);
        QFETCH(bool, visible);
        window->show();
        auto* widget = window->findChild<QWidget*>(name);
        QVERIFY(widget != nullptr);
        QCOMPARE(widget->isVisible(), visible);
    }

    void logHoldsTheOneScrollBarLine() {
        auto* log = window->findChild<QTextEdit*>("textEdit");
        QCOMPARE(log->toPlainText(), QStringLiteral("y0=-7,pos=26"));
        QCOMPARE(log->document()->blockCount(), 1);
        QCOMPARE(MainWindowTestAccess::x0(*window), 0);
        QCOMPARE(MainWindowTestAccess::y0(*window), -7);
        QCOMPARE(window->findChild<QScrollBar*>("verticalScrollBar")->value(), 26);
        QCOMPARE(window->findChild<QScrollBar*>("horizontalScrollBar")->value(), 25);
    }

    void settingsMembers() {
        QCOMPARE(MainWindowTestAccess::spaceDivisor(*window), 3);
        QCOMPARE(MainWindowTestAccess::pixFormat(*window), 0);
        QCOMPARE(MainWindowTestAccess::glyphW(*window), 32);
        QCOMPARE(MainWindowTestAccess::glyphH(*window), 32);
        QCOMPARE(MainWindowTestAccess::grayLimit(*window), 50);
        QCOMPARE(window->findChild<QProgressBar*>("progressBar")->value(), 0);
        QCOMPARE(MainWindowTestAccess::lastDir(*window), QCoreApplication::applicationDirPath() + "/");
        QVERIFY(!MainWindowTestAccess::runActive(*window));
    }

    void startGlyphIsDrawnInBothViews() {
        const QImage& glyph = MainWindowTestAccess::glyphImage(*window);
        QCOMPARE(glyph.size(), QSize(32, 32));
        bool inked = false;
        for (int y = 0; y < 32 && !inked; ++y)
            for (int x = 0; x < 32 && !inked; ++x) inked = (glyph.pixel(x, y) & 0xFFFFFF) != 0;
        QVERIFY2(inked, "the start glyph has no ink: no CJK font resolved");
        for (const char* name : {"label_ImgSystem", "label_ImgUser"}) {
            auto* label = window->findChild<QLabel*>(name);
            QCOMPARE(label->pixmap(Qt::ReturnByValue).size(), QSize(129, 129));
        }
    }

    void validatorsAreInstalled() {
        for (const char* name : {"lineEdit_W", "lineEdit_H", "lineEdit_Limit"})
            QVERIFY2(window->findChild<QLineEdit*>(name)->validator() != nullptr, name);
        QVERIFY(window->findChild<QLineEdit*>("lineEdit_SCode")->validator() == nullptr);
    }

    void startStyleSheets_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("prefix");
        QTest::newRow("progressBar") << "progressBar" << "QProgressBar{color:black;";
        QTest::newRow("frame_Right") << "frame_Right"
                                     << "QFrame{border-radius: 4px;border:1px solid rgb(223, 223,223);}";
        QTest::newRow("frame_System") << "frame_System" << "QFrame{border-radius: 4px;border:1px solid rgb(223, 223,223);background:#ffffff}QLabel{border:0px solid;}";
        QTest::newRow("frame_User") << "frame_User" << "QFrame{border-radius: 4px;border:1px solid rgb(223, 223,223);background:#ffffff}QLabel{border:0px solid;}";
        QTest::newRow("frame_10") << "frame_10" << "QFrame{border-radius: 4px;border:0px solid rgb(223, 223,223);}";
        QTest::newRow("frame_4") << "frame_4" << "QFrame{background: #d9dfe7;border-radius: 4px;}";
        QTest::newRow("frame_9") << "frame_9" << "QFrame{background: #d9dfe7;border-radius: 4px;}";
        QTest::newRow("frame_7") << "frame_7" << "QPushButton{background: #ffffff;";
    }
    void startStyleSheets() {
        QFETCH(QString, name);
        QFETCH(QString, prefix);
        QVERIFY(window->findChild<QWidget*>(name)->styleSheet().startsWith(prefix));
    }

    void controlPanelSheet() {
        const QString sheet = QString::fromLatin1(kControlPanelStyleSheet);
        QCOMPARE(sheet.size(), 1031);
        for (const char* name : {"frame_3", "frame_6", "frame_7"})
            QCOMPARE(window->findChild<QWidget*>(name)->styleSheet(), sheet);
        QVERIFY(sheet.endsWith("QFrame{background: #d9dfe7;border-radius: 4px;}"));
        QVERIFY(sheet.contains("url(:/Image/ComboBox-downArrow.png)"));
    }

private:
    MainWindow* window = nullptr;
};

QTEST_MAIN(WindowStartupTest)
#include "test_window_startup.moc"
