// The packed glyph byte by byte; every expected byte was worked out on paper from the pixels.
#include <QRandomGenerator>
#include <QtTest>

#include "render/cell_settings.h"
#include "render/packers.h"

using namespace runemill;

Q_DECLARE_METATYPE(runemill::CellSettings)

namespace {

constexpr QRgb B = 0xFF000000u;
constexpr QRgb W = 0xFFFFFFFFu;

// Pixels listed row after row in hex: two digits a gray level, eight an ARGB value.
QImage Pixels(int width, const char* hex) {
    const QList<QByteArray> tokens = QByteArray(hex).split(' ');
    QImage image(width, (tokens.size() + width - 1) / width, QImage::Format_ARGB32);
    image.fill(B);
    for (int i = 0; i < tokens.size(); ++i) {
        const int v = int(tokens.at(i).toUInt(nullptr, 16));
        image.setPixel(i % width, i / width, tokens.at(i).size() == 2 ? qRgb(v, v, v) : QRgb(v));
    }
    return image;
}

// Packs into buffers pre-filled with 0xAA and with 0x55, each followed by a guard: a byte the
// packer forgets differs between the two, a byte written too far shows in the guard.
QByteArray Pack(const QImage& image, const CellSettings& s) {
    const int bytes = int(BytesPerGlyph(s.pixFormat, s.width, s.height));
    QByteArray a(bytes + 16, char(0xAA)), b(bytes + 16, char(0x55));
    for (QByteArray* out : {&a, &b}) PackGlyph(image, s, reinterpret_cast<uchar*>(out->data()));
    if (a.mid(bytes) != QByteArray(16, char(0xAA)) || b.mid(bytes) != QByteArray(16, char(0x55)))
        return "overrun";
    return a.left(bytes) == b.left(bytes) ? a.left(bytes) : "unwritten";
}

// The packing rule pixel by pixel, the slow way, as a string of bits. Outside the image is black.
QByteArray PackedByRule(const QImage& image, const CellSettings& s) {
    QByteArray packed;
    for (int y = 0; y < s.height; ++y) {
        QString bits;  // leftmost pixel first, each pixel highest bit first
        for (int x = 0; x < s.width; ++x) {
            const QRgb p = (x < image.width() && y < image.height()) ? image.pixel(x, y) : 0u;
            const int g = (11 * qRed(p) + 16 * qGreen(p) + 5 * qBlue(p)) >> 5;
            // aRGB4444 holds g >> 4 in all four nibbles, so its byte order does not show.
            const int value =
                QVector<int>{g > s.grayLimit, g >> 6, g >> 4, g, (g >> 4) * 0x1111}[s.pixFormat];
            bits += QString::number(value, 2).rightJustified(1 << s.pixFormat, '0');
        }
        bits += QString((8 - bits.size() % 8) % 8, '0');
        for (int i = 0; i < bits.size(); i += 8) packed += char(bits.mid(i, 8).toInt(nullptr, 2));
    }
    return packed;
}

// Ground, ink, grays and now and then a coloured, translucent pixel; turned, H x W in BGR888.
QImage Noise(int width, int height, bool turned, QRandomGenerator& random) {
    if (turned) return Noise(height, width, false, random).convertToFormat(QImage::Format_BGR888);
    QImage image(width, height, QImage::Format_ARGB32);
    for (int i = 0; i < width * height; ++i) {
        const quint32 r = random.generate();
        const int g = int(r >> 24);
        const QRgb kinds[8] = {B, B, B, W, W, r, qRgb(g, g, g), qRgb(g, g, g)};
        image.setPixel(i % width, i / width, kinds[r % 8]);
    }
    return image;
}

}  // namespace

class TestPackers : public QObject {
    Q_OBJECT
  private slots:
    void packs_data() {
        QTest::addColumn<QImage>("image");
        QTest::addColumn<CellSettings>("settings");
        QTest::addColumn<QByteArray>("expected");
        const auto row = [](const QByteArray& name, const QImage& image, int format,
                            const QByteArray& hex, int limit = 50, QSize cell = QSize()) {
            cell = cell.isValid() ? cell : image.size();
            QTest::newRow(name.constData())
                << image
                << CellSettings{cell.width(), cell.height(), NormalizePixelFormat(format), limit}
                << QByteArray::fromHex(hex);
        };
        // Every width, limit and turned image is held to the slow rule below; these rows hold
        // that rule to values worked out by hand.
        row("1bits 50 is not above limit 50, 51 is", Pixels(2, "32 33"), 0, "40");
        row("format 7 packs as 1bits", Pixels(10, "ff 64 00 00 00 00 00 00 00 ff"), 7, "c040");
        row("format -1 packs as 1bits", Pixels(9, "ff 00 00 00 00 00 00 00 ff"), -1, "8080");
        row("2bits at its level edges", Pixels(9, "3f 40 7f 80 bf c0 ff 00 c0"), 1, "16bcc0");
        row("4bits at its level edges", Pixels(5, "0f 10 ef f0 ff"), 2, "01eff0");
        row("aRGB4444 255 128 15 16", Pixels(4, "ff 80 0f 10"), 4, "ffff888800001111");
        row("8bits pure colours, alpha ignored", Pixels(4, "ffff0000 ff00ff00 ff0000ff 00ffffff"),
            3, "577f27ff");
        row("null image", QImage(), 2, "000000000000", 50, QSize(5, 2));
        row("cell 0 wide", QImage(), 4, "", 50, QSize(0, 16));
    }
    void packs() {
        QFETCH(QImage, image);
        QFETCH(CellSettings, settings);
        QFETCH(QByteArray, expected);
        QCOMPARE(Pack(image, settings).toHex(' '), expected.toHex(' '));
    }

    void matchesTheSlowRule_data() {
        QTest::addColumn<int>("format");
        QTest::addColumn<bool>("turned");
        for (int row = 0; row < 10; ++row)
            QTest::addRow("%s%s", kPixelFormatNames[row / 2], row % 2 ? " turned" : "")
                << row / 2 << bool(row % 2);
    }
    // Widths 1 to 40 meet every remainder of the 8- and 16-pixel fast paths and their tails.
    void matchesTheSlowRule() {
        QFETCH(int, format);
        QFETCH(bool, turned);
        QRandomGenerator random{quint32(format)};
        for (int limit : format ? QVector<int>{50} : QVector<int>{-1, 0, 50, 127, 254, 255, 300})
            for (int height : {1, 7, 33})
                for (int width = 1; width <= 40; ++width) {
                    const QImage image = Noise(width, height, turned, random);
                    const CellSettings settings{width, height, PixelFormat(format), limit};
                    QVERIFY2(
                        Pack(image, settings) == PackedByRule(image, settings),
                        qPrintable(QString::asprintf("limit %d, %dx%d", limit, width, height)));
                }
    }
};

QTEST_APPLESS_MAIN(TestPackers)
#include "test_packers.moc"
