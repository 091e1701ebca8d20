// How the form's settings are read and kept consistent.
#include <QtTest>

#include "app/form/main_window_ui.h"
#include "app/main_window.h"
#include "window_access.h"

class WindowSettingsTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { window = new MainWindow; }
    void cleanup() { delete window; }

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
        const auto shown = [&] {
            return field("lineEdit_SCode")->text() + '-' + field("lineEdit_ECode")->text();
        };
        combo("comboBox_FCode")->setCurrentIndex(index);
        QCOMPARE(shown(), range);
        field("lineEdit_SCode")->setText("4E10");  // an edited range is not remembered
        combo("comboBox_FCode")->setCurrentIndex(0);
        QCOMPARE(shown(), QStringLiteral("A1A0-F7FE"));
        combo("comboBox_FCode")->setCurrentIndex(index);
        QCOMPARE(shown(), range);
    }

    void showBySwitchesTheTwoFields() {
        window->show();
        for (int showBy : {0, 1, 0}) {
            combo("comboBox_ShowBy")->setCurrentIndex(showBy);
            QCOMPARE(field("lineEdit_TextCode")->isVisible(), showBy == 0);
            QCOMPARE(field("lineEdit_CharCode")->isVisible(), showBy == 1);
        }
    }

    // A single 8 stays as intermediate input; letters and a leading 0 cannot be typed.
    void validatorKeepsWhatCanBeTyped() {
        window->show();
        const char* const cases[][3] = {
            {"lineEdit_W", "8", "8"}, {"lineEdit_H", "a1b2", "12"}, {"lineEdit_Limit", "05", "5"}};
        for (const auto& c : cases) {
            QLineEdit* edit = field(c[0]);
            edit->clear();
            edit->setFocus();
            QTest::keyClicks(edit, c[1]);
            QVERIFY2(edit->text() == c[2], qPrintable(c[0] + (": " + edit->text())));
        }
    }

    void readSettingsTakesTheFieldsAsTheyStand() {
        field("lineEdit_W")->setText("8");
        field("lineEdit_H")->clear();
        combo("comboBox_PixFormat")->setCurrentIndex(4);
        window->ReadSettings();
        QCOMPARE(MainWindowTestAccess::glyphW(*window), 8);
        QCOMPARE(MainWindowTestAccess::glyphH(*window), 0);
        QCOMPARE(MainWindowTestAccess::pixFormat(*window), 4);
    }

    // The list alone does not change the divisor a run uses; UpdateSpaceDivisor reads it.
    void spaceDivisorFollowsOnlyWhenAsked() {
        combo("comboBox_Space")->setCurrentIndex(0);
        QCOMPARE(MainWindowTestAccess::spaceDivisor(*window), 3);
        window->UpdateSpaceDivisor();
        QCOMPARE(MainWindowTestAccess::spaceDivisor(*window), 2);
    }

    void textCodeToChar_data() {
        QTest::addColumn<int>("encoding");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("character");
        QTest::newRow("GB2312 BBAA") << 0 << "BBAA" << QString::fromUtf8("华");
        QTest::newRow("UniCode BBAA") << 3 << "BBAA" << QString(QChar(0xBBAA));
        QTest::newRow("short field") << 3 << "41" << QString(QChar(0x4100));
        QTest::newRow("empty field") << 3 << QString() << QString();
    }
    void textCodeToChar() {
        QFETCH(int, encoding);
        QFETCH(QString, code);
        QFETCH(QString, character);
        combo("comboBox_FCode")->setCurrentIndex(encoding);
        field("lineEdit_TextCode")->setText(code);
        QCOMPARE(window->TextCodeToChar(), character);
    }

  private:
    QLineEdit* field(const QString& name) { return window->findChild<QLineEdit*>(name); }
    QComboBox* combo(const QString& name) { return window->findChild<QComboBox*>(name); }
    MainWindow* window = nullptr;
};

QTEST_MAIN(WindowSettingsTest)
#include "test_window_settings.moc"
