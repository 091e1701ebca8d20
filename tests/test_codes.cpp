// Codes of the four encodings: hex fields, decoding through Qt's codecs, and
// the texts numbers are printed as.
#include <QTextCodec>
#include <QtTest>

#include "render/codes.h"

using namespace runemill;

class CodesTest : public QObject {
    Q_OBJECT

private slots:
    void hexPairValue_data() {
        QTest::addColumn<char>("high");
        QTest::addColumn<char>("low");
        QTest::addColumn<int>("value");
        QTest::newRow("digits") << '4' << '1' << 0x41;
        QTest::newRow("upper") << 'F' << 'E' << 0xFE;
        QTest::newRow("lower") << 'a' << 'f' << 0xAF;
        QTest::newRow("bad high") << 'G' << '1' << 0x01;
        QTest::newRow("bad low") << 'A' << 'x' << 0xA0;
        QTest::newRow("both bad") << '?' << '\0' << 0;
    }
    void hexPairValue() {
        QFETCH(char, high);
        QFETCH(char, low);
        QFETCH(int, value);
        QCOMPARE(HexPairValue(high, low), value);
    }

    void parseHexCode_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("code");
        QTest::newRow("A1A0") << "A1A0" << 0xA1A0;
        QTest::newRow("lower case") << "a1a0" << 0xA1A0;
        QTest::newRow("rest ignored") << "a1a0zz" << 0xA1A0;
        QTest::newRow("six digits") << "A1A0FF" << 0xA1A0;
        QTest::newRow("bad high digit") << "G1A0" << 0x01A0;
        QTest::newRow("bad third digit") << "A1G0" << 0xA100;
        QTest::newRow("12G4") << "12G4" << 0x1204;
        QTest::newRow("0x prefix") << "0x41" << 0x0041;
        QTest::newRow("outside Latin-1") << QString::fromUtf8("乐乐乐乐") << 0;
        QTest::newRow("short text") << "B0" << 0xB000;
    }
    void parseHexCode() {
        QFETCH(QString, text);
        QFETCH(int, code);
        QCOMPARE(ParseHexCode(text), code);
    }

    // The install step must give a Qt with these three codecs.
    void codecsDecodeKnownCharacters_data() {
        QTest::addColumn<int>("encoding");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("unicode");
        QTest::newRow("GB2312 B0A1") << int(kEncodingGb2312) << 0xB0A1 << 0x554A;
        QTest::newRow("GB2312 BBAA") << int(kEncodingGb2312) << 0xBBAA << 0x534E;
        QTest::newRow("BIG5 A440") << int(kEncodingBig5) << 0xA440 << 0x4E00;
        QTest::newRow("GBK 8140") << int(kEncodingGbk) << 0x8140 << 0x4E02;
        QTest::newRow("GBK BBAA") << int(kEncodingGbk) << 0xBBAA << 0x534E;
        QTest::newRow("UniCode BBAA") << int(kEncodingUnicode) << 0xBBAA << 0xBBAA;
        QTest::newRow("UniCode 0041") << int(kEncodingUnicode) << 0x0041 << 0x41;
        QTest::newRow("no selection means GB2312") << -1 << 0xB0A1 << 0x554A;
    }
    void codecsDecodeKnownCharacters() {
        QFETCH(int, encoding);
        QFETCH(int, code);
        QFETCH(int, unicode);
        const QString text = CodeToChar(encoding, code);
        QCOMPARE(text.size(), 1);
        QCOMPARE(int(text.at(0).unicode()), unicode);
    }

    void zeroBytesEndTheCode() {
        QCOMPARE(CodeToChar(kEncodingGb2312, 0x00A1), QString());
        QCOMPARE(CodeToChar(kEncodingUnicode, 0x0000), QString());
        // A zero trail byte leaves the lead byte alone, decoded as the codec does.
        QTextCodec* codec = QTextCodec::codecForName("GB2312");
        QVERIFY(codec != nullptr);
        QCOMPARE(CodeToChar(kEncodingGb2312, 0xB000), codec->toUnicode("\xB0"));
        QCOMPARE(CodeToChar(kEncodingGb2312, 0x4100), QStringLiteral("A"));
    }

    void missingCodecGivesEmptyText() { QCOMPARE(CodeToChar(nullptr, 0xB0A1), QString()); }

    void codecNames() {
        QCOMPARE(QByteArray(CodecName(kEncodingGb2312)), QByteArray("GB2312"));
        QCOMPARE(QByteArray(CodecName(kEncodingBig5)), QByteArray("BIG5"));
        QCOMPARE(QByteArray(CodecName(kEncodingGbk)), QByteArray("GBK"));
        QCOMPARE(QByteArray(CodecName(7)), QByteArray("GB2312"));
        QVERIFY(QTextCodec::codecForName("gbk") != nullptr);
        QVERIFY(QTextCodec::codecForName("utf-8") != nullptr);
    }

    void hexCodeText_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("text");
        QTest::newRow("A1A0") << 0xA1A0 << 4 << "A1A0";
        QTest::newRow("padded") << 0x41 << 4 << "0041";
        QTest::newRow("row") << 0xA1 << 2 << "A1";
        QTest::newRow("never cut") << 0x12345 << 4 << "12345";
        QTest::newRow("negative") << -7 << 8 << "FFFFFFF9";
        QTest::newRow("zero") << 0 << 2 << "00";
    }
    void hexCodeText() {
        QFETCH(int, code);
        QFETCH(int, width);
        QFETCH(QString, text);
        QCOMPARE(HexCodeText(code, width), text);
    }

    void decimalText() {
        QCOMPARE(DecimalText(-7), QStringLiteral("-7"));
        QCOMPARE(DecimalText(0), QStringLiteral("0"));
        QCOMPARE(DecimalText(20902), QStringLiteral("20902"));
    }
};

QTEST_GUILESS_MAIN(CodesTest)
#include "test_codes.moc"
