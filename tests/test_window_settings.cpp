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
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::newRow("BIG5") << 1 << "A140" << "F9FF";
        QTest::newRow("GBK") << 2 << "8140" << "FEBF";
        QTest::newRow("UniCode") << 3 << "4E00" << "9FA5";
    }
    void encodingBringsItsDefaultRange() {
        QFETCH(int, index);
        QFETCH(QString, start);
        QFETCH(QString, end);
        combo("comboBox_FCode")->setCurrentIndex(index);
        QCOMPARE(field("lineEdit_SCode")->text(), start);
        QCOMPARE(field("lineEdit_ECode")->text(), end);
        combo("comboBox_FCode")->setCurrentIndex(0);
        QCOMPARE(field("lineEdit_SCode")->text(), QStringLiteral("A1A0"));
        QCOMPARE(field("lineEdit_ECode")->text(), QStringLiteral("F7FE"));
    }

    void editedRangeIsNotRemembered() {
        combo("comboBox_FCode")->setCurrentIndex(3);
        field("lineEdit_SCode")->setText("4E10");
        combo("comboBox_FCode")->setCurrentIndex(2);
        combo("comboBox_FCode")->setCurrentIndex(3);
        QCOMPARE(field("lineEdit_SCode")->text(), QStringLiteral("4E00"));
    }

    void showBySwitchesTheTwoFields() {
        window->show();
        combo("comboBox_ShowBy")->setCurrentIndex(0);
        QVERIFY(field("lineEdit_TextCode")->isVisible());
        QVERIFY(!field("lineEdit_CharCode")->isVisible());
        combo("comboBox_ShowBy")->setCurrentIndex(1);
        QVERIFY(!field("lineEdit_TextCode")->isVisible());
        QVERIFY(field("lineEdit_CharCode")->isVisible());
    }

    void validatorKeepsWhatCanBeTyped_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("single digit stays") << "lineEdit_W" << "8" << "8";
        QTest::newRow("letters refused") << "lineEdit_W" << "a1b2" << "12";
        QTest::newRow("leading zero refused") << "lineEdit_Limit" << "05" << "5";
        QTest::newRow("minus refused") << "lineEdit_W" << "-3" << "3";
    }
    void validatorKeepsWhatCanBeTyped() {
        QFETCH(QString, name);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        window->show();
        QLineEdit* edit = field(name);
        edit->clear();
        edit->setFocus();
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), kept);
    }

    void readSettingsTakesTheFieldsAsTheyStand() {
        QLineEdit* w = field("lineEdit_W");
        int pos = 0;
        QString eight = "8";
        QCOMPARE(w->validator()->validate(eight, pos), QValidator::Intermediate);
        w->setText("8");
        field("lineEdit_H")->clear();
        combo("comboBox_PixFormat")->setCurrentIndex(4);
        window->ReadSettings();
        QCOMPARE(MainWindowTestAccess::glyphW(*window), 8);
        QCOMPARE(MainWindowTestAccess::glyphH(*window), 0);
        QCOMPARE(MainWindowTestAccess::pixFormat(*window), 4);
    }

    void spaceDivisorFollowsOnlyWhenAsked() {
        combo("comboBox_Space")->setCurrentIndex(0);
        QCOMPARE(MainWindowTestAccess::spaceDivisor(*window), 3);
        window->UpdateSpaceDivisor();
        QCOMPARE(MainWindowTestAccess::spaceDivisor(*window), 2);
        combo("comboBox_Space")->setCurrentIndex(2);
        window->UpdateSpaceDivisor();
        QCOMPARE(MainWindowTestAccess::spaceDivisor(*window), 4);
    }

    void textCodeToChar_data() {
        QTest::addColumn<int>("encoding");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("character");
        QTest::newRow("GB2312 BBAA") << 0 << "BBAA" << QString::fromUtf8("华");
        QTest::newRow("lower case") << 0 << "bbaa" << QString::fromUtf8("华");
        QTest::newRow("UniCode BBAA") << 3 << "BBAA" << QString(QChar(0xBBAA));
        QTest::newRow("UniCode 0041") << 3 << "0041" << "A";
        QTest::newRow("zero lead byte") << 0 << "00A1" << "";
        QTest::newRow("short field") << 3 << "41" << QString(QChar(0x4100));
        QTest::newRow("empty field") << 3 << "" << "";
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
