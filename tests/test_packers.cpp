// The packed glyph byte by byte, on GlyphImages filled by hand. Every
// expected byte below was worked out on paper from the pixel values.
#include <QRandomGenerator>
#include <QtTest>

#include "render/packers.h"

using namespace runemill;

namespace {

constexpr QRgb B = 0xFF000000u;
constexpr QRgb W = 0xFFFFFFFFu;

QRgb Gray(int g) { return qRgb(g, g, g); }

QImage Filled(int width, int height, QRgb colour) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

// Pixels listed row after row in hex: two digits a gray level, eight an ARGB value.
QImage Pixels(int width, const char* hex) {
    const QList<QByteArray> tokens = QByteArray(hex).split(' ');
    QImage image = Filled(width, (tokens.size() + width - 1) / width, B);
    for (int i = 0; i < tokens.size(); ++i) {
        const uint v = tokens.at(i).toUInt(nullptr, 16);
        image.setPixel(i % width, i / width, tokens.at(i).size() == 2 ? Gray(int(v)) : v);
    }
    return image;
}

// Packs twice, into buffers pre-filled with 0xAA and with 0x55 and followed
// by a guard: a byte the packer forgets differs between the two passes, a
// byte written too far shows up in the guard.
QByteArray Pack(const QImage& image, int format, int width, int height, int limit) {
    const int bytes = int(BytesPerGlyph(format, width, height));
    QByteArray a(bytes + 16, char(0xAA));
    QByteArray b(bytes + 16, char(0x55));
    PackGlyph(image, {width, height, format, limit}, reinterpret_cast<uchar*>(a.data()));
    PackGlyph(image, {width, height, format, limit}, reinterpret_cast<uchar*>(b.data()));
    if (a.mid(bytes) != QByteArray(16, char(0xAA)) || b.mid(bytes) != QByteArray(16, char(0x55)))
        return "overrun";
    return a.left(bytes) == b.left(bytes) ? a.left(bytes) : "unwritten";
}

// The packing rule pixel by pixel, the slow way. Outside the image is black.
QByteArray PackedByRule(const QImage& image, int format, int width, int height, int limit) {
    const int bits = 1 << format;
    const int rowBytes = (width * bits + 7) / 8;
    QByteArray packed(rowBytes * height, '\0');
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const QRgb p = (x < image.width() && y < image.height()) ? image.pixel(x, y) : 0u;
            const int g = (11 * qRed(p) + 16 * qGreen(p) + 5 * qBlue(p)) >> 5;
            // aRGB4444 holds g >> 4 in all four nibbles, so its byte order
            // does not show.
            const int value = QVector<int>{g > limit, g >> 6, g >> 4, g, (g >> 4) * 0x1111}[format];
            for (int b = 0; b < bits; ++b)  // leftmost pixel, highest bit first
                if ((value >> (bits - 1 - b)) & 1)
                    packed.data()[y * rowBytes + (x * bits + b) / 8] |=
                        char(0x80 >> ((x * bits + b) % 8));
        }
    }
    return packed;
}

// Mostly ground and ink, some gray edges, now and then a coloured,
// translucent pixel. A turned one is H x W in BGR888, as a turn leaves it.
QImage Noise(int width, int height, bool turned, QRandomGenerator& random) {
    if (turned) return Noise(height, width, false, random).convertToFormat(QImage::Format_BGR888);
    QImage image(width, height, QImage::Format_ARGB32);
    for (int i = 0; i < width * height; ++i) {
        const quint32 r = random.generate();
        const QRgb kinds[8] = {B, B, B, W, W, r, Gray(r >> 24), Gray(r >> 24)};
        image.setPixel(i % width, i / width, kinds[r % 8]);
    }
    return image;
}

const char* const kNames[5] = {"1bits", "2bits", "4bits", "8bits", "aRGB4444"};

}  // namespace

class TestPackers : public QObject {
    Q_OBJECT
  private slots:
    void packs_data() {
        QTest::addColumn<QImage>("image");
        QTest::addColumn<int>("format");
        QTest::addColumn<QSize>("cell");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QByteArray>("expected");
        const auto row = [](const QByteArray& name, const QImage& image, int format,
                            const QByteArray& hex, int limit = 50, QSize cell = QSize()) {
            QTest::newRow(name.constData())
                << image << format << (cell.isValid() ? cell : image.size()) << limit
                << QByteArray::fromHex(hex);
        };
        row("1bits W=10, ink at 0 and 9", Pixels(10, "ff 00 00 00 00 00 00 00 00 ff"), 0, "8040");
        row("1bits 50 is not above limit 50, 51 is", Pixels(2, "32 33"), 0, "40");
        row("1bits W=9, 2 bytes a row", Pixels(9, "00 00 00 00 00 00 00 00 ff ff"), 0, "00808000");
        row("format 7 packs as 1bits", Pixels(10, "ff 64 00 00 00 00 00 00 00 ff"), 7, "c040");
        row("2bits level edges 63 64 191 192", Pixels(4, "3f 40 bf c0"), 1, "1b");
        row("2bits W=10, 3 bytes a row", Pixels(10, "ff aa 55 00 00 55 aa ff ff 55"), 1, "e41bd0");
        row("4bits W=3, two rows, level edges", Pixels(3, "10 1f 20 0f f0 ef"), 2, "11200fe0");
        row("aRGB4444 255 128 15 16", Pixels(4, "ff 80 0f 10"), 4, "ffff888800001111");
        row("8bits pure colours, alpha ignored", Pixels(4, "ffff0000 ff00ff00 ff0000ff 00ffffff"),
            3, "577f27ff");

        // Uniform 11-pixel rows: padding bits stay 0; 1bits white depends on
        // the limit alone, the other formats ignore it.
        const QByteArray white[5] = {"ffe0", "fffffc", "fffffffffff0",
                                     QByteArray("ff").repeated(11), QByteArray("ff").repeated(22)};
        for (int format = 0; format < 5; ++format) {
            for (int limit : {0, 255}) {
                const QByteArray name =
                    kNames[format] + QByteArray(" limit ") + QByteArray::number(limit);
                const QByteArray zeros = QByteArray("00").repeated(white[format].size() / 2);
                row(name + ", black", Filled(11, 1, B), format, zeros, limit);
                row(name + ", white", Filled(11, 1, W), format,
                    format == 0 && limit == 255 ? zeros : white[format], limit);
            }
        }

        // A 32 x 16 cell turned by 90 degrees leaves a 16 x 32 image (BGR888):
        // the packer walks columns or rows past it, which read black.
        row("turned 32x16, 1bits, columns past the image", Filled(16, 32, W), 0,
            QByteArray("ffff0000").repeated(16), 50, QSize(32, 16));
        row("turned 16x32 BGR888, 8bits, rows past the image",
            Filled(32, 16, Gray(128)).convertToFormat(QImage::Format_BGR888), 3,
            QByteArray("80").repeated(256) + QByteArray("00").repeated(256), 50, QSize(16, 32));
        row("null image", QImage(), 2, "000000000000", 50, QSize(5, 2));
    }
    void packs() {
        QFETCH(QImage, image);
        QFETCH(int, format);
        QFETCH(QSize, cell);
        QFETCH(int, limit);
        QFETCH(QByteArray, expected);
        QCOMPARE(Pack(image, format, cell.width(), cell.height(), limit).toHex(' '),
                 expected.toHex(' '));
    }

    void bytesPerGlyph_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<QVector<qint64>>("bytes");  // formats 0..4
        QTest::newRow("32x32") << 32 << 32 << QVector<qint64>{128, 256, 512, 1024, 2048};
        QTest::newRow("12x24") << 12 << 24 << QVector<qint64>{48, 72, 144, 288, 576};
        QTest::newRow("9x1") << 9 << 1 << QVector<qint64>{2, 3, 5, 9, 18};
        QTest::newRow("1x1") << 1 << 1 << QVector<qint64>{1, 1, 1, 1, 2};
        QTest::newRow("0x16") << 0 << 16 << QVector<qint64>{0, 0, 0, 0, 0};
        QTest::newRow("255x255") << 255 << 255
                                 << QVector<qint64>{8160, 16320, 32640, 65025, 130050};
    }
    void bytesPerGlyph() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(QVector<qint64>, bytes);
        for (int format = 0; format < 5; ++format)
            QCOMPARE(BytesPerGlyph(format, width, height), bytes.at(format));
        QCOMPARE(BytesPerGlyph(7, width, height), bytes.at(0));
        QCOMPARE(BytesPerGlyph(-1, width, height), bytes.at(0));
    }

    void matchesTheSlowRule_data() {
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("limit");
        QTest::addColumn<bool>("turned");
        for (int format = 0; format < 5; ++format) {
            QTest::addRow("%s", kNames[format]) << format << 50 << false;
            QTest::addRow("%s turned", kNames[format]) << format << 50 << true;
        }
        for (int limit : {-1, 0, 127, 254, 255, 300})
            QTest::addRow("1bits limit %d", limit) << 0 << limit << false;
    }

    // Every width from 1 to 40, so each remainder of the 8- and 16-pixel fast
    // paths meets the byte-by-byte tail.
    void matchesTheSlowRule() {
        QFETCH(int, format);
        QFETCH(int, limit);
        QFETCH(bool, turned);
        QRandomGenerator random(quint32(format * 1000 + limit));
        for (int height : {1, 7, 33}) {
            for (int width = 1; width <= 40; ++width) {
                const QImage image = Noise(width, height, turned, random);
                const QByteArray packed = Pack(image, format, width, height, limit);
                const QByteArray expected = PackedByRule(image, format, width, height, limit);
                if (packed != expected) qInfo("cell %dx%d", width, height);
                QCOMPARE(packed.toHex(' '), expected.toHex(' '));
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestPackers)
#include "test_packers.moc"
