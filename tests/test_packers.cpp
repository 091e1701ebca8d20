// The packed glyph byte by byte, on GlyphImages filled by hand. Every
// expected byte below was worked out on paper from the pixel values.
#include <QRandomGenerator>
#include <QtTest>

#include "render/packers.h"

using namespace runemill;

namespace {

constexpr QRgb kBlack = 0xFF000000u;
constexpr QRgb kWhite = 0xFFFFFFFFu;

QRgb Gray(int g) { return qRgb(g, g, g); }

// A W x H ARGB32 image whose pixels are given row after row.
QImage ImageOf(int width, int height, const QVector<QRgb>& pixels) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(kBlack);
    for (int i = 0; i < pixels.size(); ++i) image.setPixel(i % width, i / width, pixels.at(i));
    return image;
}

QImage Filled(int width, int height, QRgb colour) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

QByteArray Repeat(const QByteArray& row, int times) {
    QByteArray all;
    for (int i = 0; i < times; ++i) all += row;
    return all;
}

// Packs with two different pre-fills and a guard area behind the glyph: a
// byte the packer forgets shows up as 0xAA or 0x55, a byte it writes too far
// shows up in the guard.
QByteArray Pack(const QImage& image, int format, int width, int height, int limit) {
    const int guard = 16;
    const int bytes = int(BytesPerGlyph(format, width, height));
    PackSettings settings;
    settings.width = width;
    settings.height = height;
    settings.pixFormat = format;
    settings.grayLimit = limit;
    QByteArray results[2];
    const char fills[2] = {char(0xAA), char(0x55)};
    for (int pass = 0; pass < 2; ++pass) {
        QByteArray buffer(bytes + guard, fills[pass]);
        PackGlyph(image, settings, reinterpret_cast<uchar*>(buffer.data()));
        if (buffer.mid(bytes) != QByteArray(guard, fills[pass])) {
            qWarning("packer wrote past %d bytes", bytes);
            return QByteArray("overrun");
        }
        results[pass] = buffer.left(bytes);
    }
    if (results[0] != results[1]) {
        qWarning("bytes left unwritten: %s / %s", results[0].toHex(' ').constData(),
                 results[1].toHex(' ').constData());
        return QByteArray("unwritten");
    }
    return results[0];
}

// The packing rule pixel by pixel, the slow way: value of (x, y), placed at
// its bit position in its row. Positions outside the image count as black.
QByteArray PackedByRule(const QImage& image, int format, int width, int height, int limit) {
    const int bitsPerPixel[5] = {1, 2, 4, 8, 16};
    const int bits = bitsPerPixel[format];
    const int rowBytes = (width * bits + 7) / 8;
    QByteArray packed(rowBytes * height, '\0');
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool inside = x < image.width() && y < image.height();
            const QRgb p = inside ? image.pixel(x, y) : 0u;
            const int g = (11 * qRed(p) + 16 * qGreen(p) + 5 * qBlue(p)) >> 5;
            int value = 0;
            switch (format) {
                case 0:
                    value = g > limit ? 1 : 0;
                    break;
                case 1:
                    value = g >> 6;
                    break;
                case 2:
                    value = g >> 4;
                    break;
                case 3:
                    value = g;
                    break;
                default:
                    value = ((g >> 4) * 0x1111) & 0xFFFF;
                    break;
            }
            if (bits == 16) {
                packed[y * rowBytes + 2 * x] = char(value & 0xFF);
                packed[y * rowBytes + 2 * x + 1] = char(value >> 8);
                continue;
            }
            const int bit = x * bits;  // from the row's first (most significant) bit
            const int shift = 8 - bits - bit % 8;
            packed[y * rowBytes + bit / 8] =
                char(uchar(packed[y * rowBytes + bit / 8]) | (value << shift));
        }
    }
    return packed;
}

// Gray-edged noise: mostly ground and ink, some edge levels, now and then a
// coloured or transparent pixel.
QImage Noise(int width, int height, QImage::Format format, quint32 seed) {
    QRandomGenerator random(seed);
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const quint32 r = random.generate();
            QRgb p;
            switch (r % 8) {
                case 0:
                case 1:
                case 2:
                    p = kBlack;
                    break;
                case 3:
                case 4:
                    p = kWhite;
                    break;
                case 5:
                    p = qRgba(int(r >> 8) & 0xFF, int(r >> 16) & 0xFF, int(r >> 24),
                              int(r >> 4) & 0xFF);
                    break;
                default:
                    p = Gray(int(r >> 8) & 0xFF);
                    break;
            }
            image.setPixel(x, y, p);
        }
    }
    return image.convertToFormat(format);
}

}  // namespace

class TestPackers : public QObject {
    Q_OBJECT
  private slots:
    void rows_data();
    void rows();
    void uniformCells_data();
    void uniformCells();
    void bytesPerGlyph_data();
    void bytesPerGlyph();
    void formatAboveFourIsOneBit();
    void outsideTheImageIsBlack_data();
    void outsideTheImageIsBlack();
    void randomGlyphsFollowThePixelRule_data();
    void randomGlyphsFollowThePixelRule();
};

void TestPackers::rows_data() {
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QVector<QRgb>>("pixels");
    QTest::addColumn<QByteArray>("expected");

    const QRgb B = kBlack;
    const QRgb W = kWhite;
    QTest::newRow("1bits W=10 ink at 0 and 9")
        << 0 << 10 << 1 << 50 << QVector<QRgb>{W, B, B, B, B, B, B, B, B, W}
        << QByteArray::fromHex("8040");
    QTest::newRow("1bits g=50 is not above 50")
        << 0 << 1 << 1 << 50 << QVector<QRgb>{Gray(50)} << QByteArray::fromHex("00");
    QTest::newRow("1bits g=51 is above 50")
        << 0 << 1 << 1 << 50 << QVector<QRgb>{Gray(51)} << QByteArray::fromHex("80");
    QTest::newRow("1bits limit 100")
        << 0 << 3 << 1 << 100 << QVector<QRgb>{Gray(100), Gray(101), Gray(255)}
        << QByteArray::fromHex("60");
    QTest::newRow("1bits W=8 no padding byte")
        << 0 << 8 << 1 << 50 << QVector<QRgb>{W, B, W, B, B, B, B, W} << QByteArray::fromHex("a1");
    QTest::newRow("1bits W=9 two bytes per row")
        << 0 << 9 << 2 << 50 << QVector<QRgb>{B, B, B, B, B, B, B, B, W, W, B, B, B, B, B, B, B, B}
        << QByteArray::fromHex("00808000");
    QTest::newRow("1bits gray of pure green")
        << 0 << 2 << 1 << 126 << QVector<QRgb>{qRgb(0, 255, 0), qRgb(0, 0, 255)}
        << QByteArray::fromHex("80");
    QTest::newRow("2bits 255 170 85 0")
        << 1 << 4 << 1 << 50 << QVector<QRgb>{Gray(255), Gray(170), Gray(85), Gray(0)}
        << QByteArray::fromHex("e4");
    QTest::newRow("2bits ignores the limit")
        << 1 << 4 << 1 << 255 << QVector<QRgb>{Gray(255), Gray(170), Gray(85), B}
        << QByteArray::fromHex("e4");
    QTest::newRow("2bits level edges 63 64 191 192")
        << 1 << 4 << 1 << 50 << QVector<QRgb>{Gray(63), Gray(64), Gray(191), Gray(192)}
        << QByteArray::fromHex("1b");
    QTest::newRow("2bits W=10 three bytes per row")
        << 1 << 10 << 1 << 50 << QVector<QRgb>{Gray(255), Gray(170), Gray(85),  B,         B,
                                               Gray(85),  Gray(170), Gray(255), Gray(255), Gray(85)}
        << QByteArray::fromHex("e41bd0");
    QTest::newRow("4bits W=3 255 0 128")
        << 2 << 3 << 1 << 50 << QVector<QRgb>{Gray(255), Gray(0), Gray(128)}
        << QByteArray::fromHex("f080");
    QTest::newRow("4bits two rows W=3")
        << 2 << 3 << 2 << 50
        << QVector<QRgb>{Gray(16), Gray(31), Gray(32), Gray(15), Gray(240), Gray(239)}
        << QByteArray::fromHex(
               "1120"
               "0fe0");
    QTest::newRow("8bits gray and pure colours")
        << 3 << 4 << 1 << 50
        << QVector<QRgb>{Gray(128), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)}
        << QByteArray::fromHex("80577f27");
    QTest::newRow("8bits alpha is ignored")
        << 3 << 2 << 1 << 50 << QVector<QRgb>{0x00FFFFFFu, 0x80404040u}
        << QByteArray::fromHex("ff40");
    QTest::newRow("8bits two rows")
        << 3 << 2 << 2 << 50 << QVector<QRgb>{Gray(1), Gray(2), Gray(3), Gray(4)}
        << QByteArray::fromHex("01020304");
    QTest::newRow("aRGB4444 255 128 0")
        << 4 << 3 << 1 << 50 << QVector<QRgb>{Gray(255), Gray(128), Gray(0)}
        << QByteArray::fromHex("ffff88880000");
    QTest::newRow("aRGB4444 15 and 16") << 4 << 2 << 1 << 50 << QVector<QRgb>{Gray(15), Gray(16)}
                                        << QByteArray::fromHex("00001111");
}

void TestPackers::rows() {
    QFETCH(int, format);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, limit);
    QFETCH(QVector<QRgb>, pixels);
    QFETCH(QByteArray, expected);
    QCOMPARE(Pack(ImageOf(width, height, pixels), format, width, height, limit).toHex(' '),
             expected.toHex(' '));
}

void TestPackers::uniformCells_data() {
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QRgb>("colour");
    QTest::addColumn<QByteArray>("row");  // one packed row of an 11-pixel cell

    const char* names[5] = {"1bits", "2bits", "4bits", "8bits", "aRGB4444"};
    const int zeroBytes[5] = {2, 3, 6, 11, 22};
    for (int format = 0; format < 5; ++format) {
        for (int limit : {0, 50, 255}) {
            QTest::addRow("%s black limit %d", names[format], limit)
                << format << limit << kBlack << QByteArray(zeroBytes[format], '\0');
        }
    }
    // White: 1bits depends on the limit alone; the others are full with
    // their padding bits at 0.
    QTest::newRow("1bits white limit 255") << 0 << 255 << kWhite << QByteArray::fromHex("0000");
    QTest::newRow("1bits white limit 254") << 0 << 254 << kWhite << QByteArray::fromHex("ffe0");
    QTest::newRow("1bits white limit 0") << 0 << 0 << kWhite << QByteArray::fromHex("ffe0");
    for (int limit : {0, 255}) {
        QTest::addRow("2bits white limit %d", limit)
            << 1 << limit << kWhite << QByteArray::fromHex("fffffc");
        QTest::addRow("4bits white limit %d", limit)
            << 2 << limit << kWhite << QByteArray::fromHex("fffffffffff0");
        QTest::addRow("8bits white limit %d", limit)
            << 3 << limit << kWhite << QByteArray(11, '\xff');
        QTest::addRow("aRGB4444 white limit %d", limit)
            << 4 << limit << kWhite << QByteArray(22, '\xff');
    }
}

void TestPackers::uniformCells() {
    QFETCH(int, format);
    QFETCH(int, limit);
    QFETCH(QRgb, colour);
    QFETCH(QByteArray, row);
    const int height = 5;
    QCOMPARE(Pack(Filled(11, height, colour), format, 11, height, limit).toHex(' '),
             Repeat(row, height).toHex(' '));
}

void TestPackers::bytesPerGlyph_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QVector<qint64>>("bytes");  // formats 0..4

    QTest::newRow("32x32") << 32 << 32 << QVector<qint64>{128, 256, 512, 1024, 2048};
    QTest::newRow("16x16") << 16 << 16 << QVector<qint64>{32, 64, 128, 256, 512};
    QTest::newRow("12x24") << 12 << 24 << QVector<qint64>{48, 72, 144, 288, 576};
    QTest::newRow("9x1") << 9 << 1 << QVector<qint64>{2, 3, 5, 9, 18};
    QTest::newRow("1x1") << 1 << 1 << QVector<qint64>{1, 1, 1, 1, 2};
    QTest::newRow("0x16") << 0 << 16 << QVector<qint64>{0, 0, 0, 0, 0};
    QTest::newRow("16x0") << 16 << 0 << QVector<qint64>{0, 0, 0, 0, 0};
    QTest::newRow("255x255 fits 64 bits")
        << 255 << 255 << QVector<qint64>{8160, 16320, 32640, 65025, 130050};
}

void TestPackers::bytesPerGlyph() {
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QVector<qint64>, bytes);
    for (int format = 0; format < 5; ++format)
        QCOMPARE(BytesPerGlyph(format, width, height), bytes.at(format));
    QCOMPARE(BytesPerGlyph(7, width, height), bytes.at(0));
}

void TestPackers::formatAboveFourIsOneBit() {
    QCOMPARE(NormalizePixelFormat(7), 0);
    QCOMPARE(NormalizePixelFormat(5), 0);
    QCOMPARE(NormalizePixelFormat(-1), 0);
    for (int format = 0; format < 5; ++format) QCOMPARE(NormalizePixelFormat(format), format);

    const QImage image = ImageOf(
        10, 1, {kWhite, Gray(100), kBlack, kBlack, kBlack, kBlack, kBlack, kBlack, kBlack, kWhite});
    QCOMPARE(Pack(image, 7, 10, 1, 50).toHex(' '), QByteArray("c0 40"));
}

void TestPackers::outsideTheImageIsBlack_data() {
    QTest::addColumn<QImage>("image");
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QByteArray>("expected");

    // A 32 x 16 cell turned by 90 degrees leaves a 16 x 32 image behind:
    // the packer walks 32 columns, the right half of which is outside.
    QTest::newRow("turned 32x16, 1bits")
        << Filled(16, 32, kWhite) << 0 << 32 << 16 << Repeat(QByteArray::fromHex("ffff0000"), 16);
    // The turned image comes out as BGR888: it must read the same.
    QTest::newRow("turned 32x16 in BGR888, 1bits")
        << Filled(16, 32, kWhite).convertToFormat(QImage::Format_BGR888) << 0 << 32 << 16
        << Repeat(QByteArray::fromHex("ffff0000"), 16);
    QTest::newRow("turned 16x32, 8bits, rows past the image")
        << Filled(32, 16, Gray(128)).convertToFormat(QImage::Format_BGR888) << 3 << 16 << 32
        << (Repeat(QByteArray(16, '\x80'), 16) + QByteArray(16 * 16, '\0'));
    QTest::newRow("turned 10x4, aRGB4444")
        << Filled(4, 10, Gray(0x77)) << 4 << 10 << 4
        << Repeat(QByteArray::fromHex("7777777777777777") + QByteArray(12, '\0'), 4);
    QImage bgr(3, 1, QImage::Format_BGR888);
    bgr.setPixel(0, 0, qRgb(255, 0, 0));
    bgr.setPixel(1, 0, qRgb(0, 255, 0));
    bgr.setPixel(2, 0, qRgb(0, 0, 255));
    QTest::newRow("BGR888 channels in their places")
        << bgr << 3 << 4 << 1 << QByteArray::fromHex("577f2700");
    QTest::newRow("null image") << QImage() << 2 << 5 << 2 << QByteArray(6, '\0');
}

void TestPackers::outsideTheImageIsBlack() {
    QFETCH(QImage, image);
    QFETCH(int, format);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QByteArray, expected);
    QCOMPARE(Pack(image, format, width, height, 50).toHex(' '), expected.toHex(' '));
}

void TestPackers::randomGlyphsFollowThePixelRule_data() {
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("limit");
    QTest::addColumn<int>("imageFormat");
    QTest::addColumn<bool>("turned");
    const char* names[5] = {"1bits", "2bits", "4bits", "8bits", "aRGB4444"};
    for (int format = 0; format < 5; ++format) {
        QTest::addRow("%s ARGB32", names[format])
            << format << 50 << int(QImage::Format_ARGB32) << false;
        QTest::addRow("%s RGB32", names[format])
            << format << 50 << int(QImage::Format_RGB32) << false;
        QTest::addRow("%s BGR888 turned", names[format])
            << format << 50 << int(QImage::Format_BGR888) << true;
    }
    for (int limit : {-1, 0, 127, 254, 255, 300})
        QTest::addRow("1bits limit %d", limit) << 0 << limit << int(QImage::Format_ARGB32) << false;
}

// Every cell width from 1 to 40 and a few heights, so each remainder of
// every format meets every alignment; a turned cell reads an H x W image.
void TestPackers::randomGlyphsFollowThePixelRule() {
    QFETCH(int, format);
    QFETCH(int, limit);
    QFETCH(int, imageFormat);
    QFETCH(bool, turned);
    quint32 seed = 1;
    for (int height : {1, 7, 16, 33}) {
        for (int width = 1; width <= 40; ++width) {
            const QImage image = turned ? Noise(height, width, QImage::Format(imageFormat), seed)
                                        : Noise(width, height, QImage::Format(imageFormat), seed);
            ++seed;
            const QByteArray expected = PackedByRule(image, format, width, height, limit);
            const QByteArray packed = Pack(image, format, width, height, limit);
            if (packed != expected)
                QFAIL(qPrintable(QStringLiteral("%1x%2: %3 instead of %4")
                                     .arg(width)
                                     .arg(height)
                                     .arg(QString::fromLatin1(packed.toHex(' ')))
                                     .arg(QString::fromLatin1(expected.toHex(' ')))));
        }
    }
}

QTEST_APPLESS_MAIN(TestPackers)
#include "test_packers.moc"
