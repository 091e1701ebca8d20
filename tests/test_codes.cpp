// Codes of the four encodings: hex fields, decoding through the code tables, and
// the texts numbers are printed as.
#include <QTextCodec>
#include <QtTest>

#include "render/codes.h"

using namespace runemill;

class CodesTest : public QObject {
    Q_OBJECT

  private slots:
    void parseHexCode_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("code");
        QTest::newRow("A1A0") << "A1A0" << 0xA1A0;
        QTest::newRow("lower case, rest ignored") << "a1a0zz" << 0xA1A0;
        QTest::newRow("bad high digit") << "G1A0" << 0x01A0;
        QTest::newRow("0x prefix") << "0x41" << 0x0041;
        QTest::newRow("outside Latin-1") << QString::fromUtf8("乐乐乐乐") << 0;
        QTest::newRow("short text") << "B0" << 0xB000;
    }
    void parseHexCode() {
        QFETCH(QString, text);
        QFETCH(int, code);
        QCOMPARE(ParseHexCode(text), code);
    }

    // The install step must give a Qt with these codecs.
    void codeToChar_data() {
        QTest::addColumn<int>("encoding");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("GB2312 B0A1") << 0 << 0xB0A1 << QString(QChar(0x554A));
        QTest::newRow("BIG5 A440") << 1 << 0xA440 << QString(QChar(0x4E00));
        QTest::newRow("GBK 8140") << 2 << 0x8140 << QString(QChar(0x4E02));
        QTest::newRow("UniCode BBAA") << 3 << 0xBBAA << QString(QChar(0xBBAA));
        QTest::newRow("no selection is GB2312") << -1 << 0xB0A1 << QString(QChar(0x554A));
        QTest::newRow("zero lead byte") << 0 << 0x00A1 << QString();
        QTest::newRow("zero trail byte") << 0 << 0x4100 << "A";
        QTest::newRow("UniCode 0000") << 3 << 0 << QString();
    }
    void codeToChar() {
        QFETCH(int, encoding);
        QFETCH(int, code);
        QFETCH(QString, text);
        QCOMPARE(CodeToChar(encoding, code), text);
    }

    void missingCodecGivesEmptyText() { QCOMPARE(CodeToChar(nullptr, 0xB0A1), QString()); }

    // The tables were taken from Debian's Qt, which decodes through ICU (its
    // "GB2312" is GBK): there, every code of 0000-FFFF must decode as before.
    void tablesDecodeAsIcu_data() {
        QTest::addColumn<int>("encoding");
        QTest::addColumn<QByteArray>("systemName");
        QTest::newRow("GB2312") << 0 << QByteArray("GB2312");
        QTest::newRow("BIG5") << 1 << QByteArray("BIG5");
        QTest::newRow("GBK") << 2 << QByteArray("GBK");
    }
    void tablesDecodeAsIcu() {
        QFETCH(int, encoding);
        QFETCH(QByteArray, systemName);
        QTextCodec* system = QTextCodec::codecForName(systemName);
        QTextCodec* gb2312 = QTextCodec::codecForName("GB2312");
        if (system == nullptr || gb2312 == nullptr || gb2312->name() != "GBK")
            QSKIP("this Qt does not decode through ICU");
        QTextCodec* table = CodecFor(encoding);
        QVERIFY(table != nullptr);
        QVERIFY(table != system);
        int differing = 0;
        QString first;
        for (int code = 0; code <= 0xFFFF; ++code) {
            const char bytes[3] = {char(code >> 8), char(code & 0xFF), 0};
            if (CodeToChar(table, code) == system->toUnicode(bytes)) continue;
            if (differing++ == 0) first = HexCodeText(code, 4);
        }
        QVERIFY2(
            differing == 0,
            qPrintable(QStringLiteral("%1 codes differ, the first %2").arg(differing).arg(first)));
    }

    void hexCodeText() {
        QCOMPARE(HexCodeText(0x41, 4), QStringLiteral("0041"));
        QCOMPARE(HexCodeText(0x12345, 4), QStringLiteral("12345"));  // never cut
        QCOMPARE(HexCodeText(-7, 8), QStringLiteral("FFFFFFF9"));
    }
};

QTEST_GUILESS_MAIN(CodesTest)
#include "test_codes.moc"
