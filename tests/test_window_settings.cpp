// The window as a user first sees it, its form alone, and how the form's settings are read and kept
// consistent.
#include <QImage>
#include <QtTest>

#include "window_fixture.h"

static QStringList capturedWarnings;  // what Qt printed while the window was made

class WindowSettingsTest : public QObject, private WindowFixture {
    Q_OBJECT

    QString range() {
        return w<QLineEdit>("lineEdit_SCode")->text() + '-' +
               w<QLineEdit>("lineEdit_ECode")->text();
    }

  private slots:
    void init() {
        QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext&, const QString& m) { capturedWarnings << m; });
        open();
        qInstallMessageHandler(previous);
    }
    void cleanup() { close(); }

    // A slot whose name matches no widget's signal is silently never called; Qt only says so here.
    void everySlotIsWired() {
        for (const QString& warning : capturedWarnings)
            QVERIFY2(!warning.contains("No matching signal"), qPrintable(warning));
    }

    // The lists and fields start at the core's default request (a default the window dropped is
    // seen by no other test: test_cli's window = CLI rows set most options); the hidden controls
    // stay hidden. (The start offsets and log are test_preview's, lastDir test_window_commands'.)
    void startState() {
        window->show();
        QStringList shown;
        for (const char* name :
             {"comboBox_FCode", "comboBox_PixFormat", "comboBox_Space", "comboBox_ShowBy"})
            shown << w<QComboBox>(name)->currentText();
        for (const char* name : {"lineEdit_SCode", "lineEdit_ECode", "lineEdit_W", "lineEdit_H",
                                 "lineEdit_Limit", "lineEdit_FontInformation"})
            shown << w<QLineEdit>(name)->text();
        QCOMPARE(shown.join(' '),
                 QString::fromUtf8("GB2312 1bits 1/3 Char A1A0 F7FE 32 32 50 宋体-20-常规"));
        for (const char* name : {"lineEdit_TextCode", "pushButton", "pushButton_2", "checkBox_revX",
                                 "comboBox_Rotation"})
            QVERIFY2(!w<QWidget>(name)->isVisible(), name);
        // Both views show "乐": the start-up family must resolve to a face with CJK glyphs.
        const QImage& glyph = MainWindowTestAccess::glyphImage(*window);
        int inked = 0;
        for (int y = 0; y < glyph.height(); ++y)
            for (int x = 0; x < glyph.width(); ++x) inked += (glyph.pixel(x, y) & 0xFFFFFF) != 0;
        QVERIFY2(inked > 40, "the start glyph is (nearly) blank: no CJK face resolved");
        for (const char* name : {"label_ImgSystem", "label_ImgUser"})
            QCOMPARE(w<QLabel>(name)->pixmap(Qt::ReturnByValue).size(), QSize(129, 129));
        // "Show by" switches the two fields.
        for (int showBy : {0, 1}) {
            pick("comboBox_ShowBy", showBy);
            QCOMPARE(w<QLineEdit>("lineEdit_TextCode")->isVisible(), showBy == 0);
            QCOMPARE(w<QLineEdit>("lineEdit_CharCode")->isVisible(), showBy == 1);
        }
        // A single 8 stays as intermediate input; letters and a leading 0 cannot be typed.
        const char* const cases[][3] = {
            {"lineEdit_W", "8", "8"}, {"lineEdit_H", "a1b2", "12"}, {"lineEdit_Limit", "05", "5"}};
        for (const auto& c : cases) {
            QLineEdit* edit = w<QLineEdit>(c[0]);
            edit->clear();
            edit->setFocus();
            QTest::keyClicks(edit, c[1]);
            QVERIFY2(edit->text() == c[2], qPrintable(c[0] + (": " + edit->text())));
        }
    }

    // The form on a bare QMainWindow keeps the window's name; its scroll bars set x0 = value - 25
    // and y0 = value - 33 in the window. "Crisp" and "Fit" were put in empty space: inside their
    // panel, covering no other control.
    void formAlone() {
        QMainWindow bare;
        bare.setObjectName("Named");
        MainWindowUi ui;
        ui.SetupUi(&bare);
        QCOMPARE(bare.objectName(), QStringLiteral("Named"));
        for (QScrollBar* bar : {ui.verticalScrollBar, ui.horizontalScrollBar})
            QCOMPARE((QVector<int>{bar->orientation(), bar->minimum(), bar->maximum(),
                                   bar->pageStep(), bar->value()}),
                     (QVector<int>{bar == ui.verticalScrollBar ? 2 : 1, 0, 50, 1, 25}));
        const QList<QWidget*> added{ui.checkBox_Crisp, ui.pushButton_Fit};
        for (QWidget* other :
             ui.frame_7->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            for (QWidget* control : added)
                QVERIFY2(added.contains(other) ? ui.frame_7->rect().contains(control->geometry())
                                               : !other->geometry().intersects(control->geometry()),
                         qPrintable(other->objectName()));
    }

    // The images come from a static library: they are there only if it is linked in.
    void images() {
        const QStringList names = QDir(":/Image").entryList();
        QCOMPARE(names.size(), 10);
        for (const QString& name : names)
            QVERIFY2(!QImage(":/Image/" + name).isNull(), qPrintable(name));
    }

    // An edited range is not remembered: every change of encoding brings its default back.
    void encodingBringsItsDefaultRange_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("range");
        QTest::newRow("BIG5") << 1 << "A140-F9FF";
        QTest::newRow("GBK") << 2 << "8140-FEBF";
        QTest::newRow("UniCode") << 3 << "4E00-9FA5";
    }
    void encodingBringsItsDefaultRange() {
        QFETCH(int, index);
        QFETCH(QString, range);
        pick("comboBox_FCode", index);
        set("lineEdit_SCode", "4E10");
        pick("comboBox_FCode", 0);
        QCOMPARE(this->range(), QStringLiteral("A1A0-F7FE"));
        pick("comboBox_FCode", index);
        QCOMPARE(this->range(), range);
    }

    // The list alone does not change the divisor a run uses; UpdateSpaceDivisor reads it. The code
    // field is read in the chosen encoding (the decoding itself is test_codes').
    void formReadWhenAsked() {
        pick("comboBox_Space", 0);
        QCOMPARE(MainWindowTestAccess::spaceDivisor(*window), 3);
        window->UpdateSpaceDivisor();
        QCOMPARE(MainWindowTestAccess::spaceDivisor(*window), 2);
        set("lineEdit_TextCode", "BBAA");
        QCOMPARE(window->TextCodeToChar(), QString::fromUtf8("华"));
        pick("comboBox_FCode", 3);
        set("lineEdit_TextCode", "41");
        QCOMPARE(window->TextCodeToChar(), QString(QChar(0x4100)));
    }
};

QTEST_MAIN(WindowSettingsTest)
#include "test_window_settings.moc"
