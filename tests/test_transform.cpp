// Mirrors and quarter turns on marked pixels: where a pixel ends, what size
// and pixel format the image has afterwards, and that colours travel whole.
#include <QtTest>

#include "render/transform.h"

using namespace runemill;

namespace {

constexpr QRgb kBlack = 0xFF000000u;
constexpr QRgb kMark = 0xFF0A78E6u;  // distinct red, green and blue

QImage Ground(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(kBlack);
    return image;
}

// Every pixel that is not black, as "x,y".
QStringList InkedPositions(const QImage& image) {
    QStringList inked;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFFu) != 0)
                inked << QStringLiteral("%1,%2").arg(x).arg(y);
    return inked;
}

// A different colour at every position: red = x, green = y.
QImage Numbered(int width, int height, QImage::Format format) {
    QImage image(width, height, format);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb(x, y, 0x5A));
    return image;
}

}  // namespace

class TestTransform : public QObject {
    Q_OBJECT
  private slots:
    void markedPixel_data();
    void markedPixel();
    void quarterTurnsMoveEveryPixel_data();
    void quarterTurnsMoveEveryPixel();
    void identityLeavesImageUntouched_data();
    void identityLeavesImageUntouched();
};

void TestTransform::markedPixel_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("reverseX");
    QTest::addColumn<bool>("reverseY");
    QTest::addColumn<int>("rotation");
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QSize>("size");

    const QSize same(32, 16);
    const QSize turned(16, 32);
    QTest::newRow("R90 (0,0)") << 32 << 16 << false << false << 1 << QPoint(0, 0) << QPoint(15, 0)
                               << turned;
    QTest::newRow("R90 (31,0)") << 32 << 16 << false << false << 1 << QPoint(31, 0)
                                << QPoint(15, 31) << turned;
    QTest::newRow("R90 (0,15)") << 32 << 16 << false << false << 1 << QPoint(0, 15) << QPoint(0, 0)
                                << turned;
    QTest::newRow("L90 (0,0)") << 32 << 16 << false << false << 2 << QPoint(0, 0) << QPoint(0, 31)
                               << turned;
    QTest::newRow("L90 (31,0)") << 32 << 16 << false << false << 2 << QPoint(31, 0) << QPoint(0, 0)
                                << turned;
    QTest::newRow("L90 (0,15)") << 32 << 16 << false << false << 2 << QPoint(0, 15)
                                << QPoint(15, 31) << turned;
    QTest::newRow("revX column 0")
        << 32 << 16 << true << false << 0 << QPoint(0, 0) << QPoint(31, 0) << same;
    QTest::newRow("revX (5,7)") << 32 << 16 << true << false << 0 << QPoint(5, 7) << QPoint(26, 7)
                                << same;
    QTest::newRow("revX odd W, column 0")
        << 15 << 4 << true << false << 0 << QPoint(0, 1) << QPoint(14, 1) << QSize(15, 4);
    QTest::newRow("revX odd W, middle stays")
        << 15 << 4 << true << false << 0 << QPoint(7, 2) << QPoint(7, 2) << QSize(15, 4);
    QTest::newRow("revY row 0") << 32 << 16 << false << true << 0 << QPoint(0, 0) << QPoint(0, 15)
                                << same;
    QTest::newRow("revY (3,4)") << 32 << 16 << false << true << 0 << QPoint(3, 4) << QPoint(3, 11)
                                << same;
    QTest::newRow("revY odd H, middle stays")
        << 6 << 5 << false << true << 0 << QPoint(4, 2) << QPoint(4, 2) << QSize(6, 5);
    QTest::newRow("revX+revY is 180 degrees (0,0)")
        << 32 << 16 << true << true << 0 << QPoint(0, 0) << QPoint(31, 15) << same;
    QTest::newRow("revX+revY is 180 degrees (5,3)")
        << 32 << 16 << true << true << 0 << QPoint(5, 3) << QPoint(26, 12) << same;
    QTest::newRow("revX then R90")
        << 32 << 16 << true << false << 1 << QPoint(0, 0) << QPoint(15, 31) << turned;
    QTest::newRow("revY then L90")
        << 32 << 16 << false << true << 2 << QPoint(0, 0) << QPoint(15, 31) << turned;
    QTest::newRow("unknown rotation 3 does nothing")
        << 32 << 16 << false << false << 3 << QPoint(4, 9) << QPoint(4, 9) << same;
    QTest::newRow("rotation -1 does nothing")
        << 32 << 16 << false << false << -1 << QPoint(4, 9) << QPoint(4, 9) << same;
}

void TestTransform::markedPixel() {
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(bool, reverseX);
    QFETCH(bool, reverseY);
    QFETCH(int, rotation);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(QSize, size);

    QImage glyph = Ground(width, height);
    glyph.setPixel(from, kMark);
    TransformOptions options;
    options.reverseX = reverseX;
    options.reverseY = reverseY;
    options.rotation = rotation;
    TransformGlyph(glyph, options);

    QCOMPARE(glyph.size(), size);
    const bool turns = rotation == 1 || rotation == 2;
    QCOMPARE(glyph.format(), turns ? QImage::Format_BGR888 : QImage::Format_ARGB32);
    QCOMPARE(InkedPositions(glyph), QStringList{QStringLiteral("%1,%2").arg(to.x()).arg(to.y())});
    QCOMPARE(glyph.pixel(to) & 0xFFFFFFu, kMark & 0xFFFFFFu);
}

void TestTransform::quarterTurnsMoveEveryPixel_data() {
    QTest::addColumn<int>("rotation");
    QTest::addColumn<bool>("reverseX");
    QTest::newRow("R90") << 1 << false;
    QTest::newRow("L90") << 2 << false;
    QTest::newRow("revX then R90") << 1 << true;
}

// Each source pixel carries its own (x, y) in red and green, so one pass
// over the turned image checks every position against the rule worked out
// by hand: R90 puts (x, y) at (h-1-y, x); L90 at (y, w-1-x).
void TestTransform::quarterTurnsMoveEveryPixel() {
    QFETCH(int, rotation);
    QFETCH(bool, reverseX);
    const int w = 7;
    const int h = 5;
    QImage glyph = Numbered(w, h, QImage::Format_ARGB32);
    TransformOptions options;
    options.rotation = rotation;
    options.reverseX = reverseX;
    TransformGlyph(glyph, options);
    QCOMPARE(glyph.size(), QSize(h, w));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int mx = reverseX ? w - 1 - x : x;  // where the mirror put it
            const QPoint to = rotation == 1 ? QPoint(h - 1 - y, mx) : QPoint(y, w - 1 - mx);
            QCOMPARE(glyph.pixel(to), qRgb(x, y, 0x5A));
        }
    }
}

void TestTransform::identityLeavesImageUntouched_data() {
    QTest::addColumn<int>("format");
    QTest::newRow("ARGB32") << int(QImage::Format_ARGB32);
    QTest::newRow("RGB32") << int(QImage::Format_RGB32);
    QTest::newRow("BGR888 left by a turn") << int(QImage::Format_BGR888);
}

void TestTransform::identityLeavesImageUntouched() {
    QFETCH(int, format);
    const QImage original = Numbered(9, 6, QImage::Format(format));
    QImage glyph = original;
    TransformGlyph(glyph, TransformOptions());
    QCOMPARE(glyph.format(), QImage::Format(format));
    QCOMPARE(glyph.size(), QSize(9, 6));
    QCOMPARE(glyph, original);

    // Mirroring twice gives the original back, every gray level intact.
    TransformOptions both;
    both.reverseX = true;
    both.reverseY = true;
    TransformGlyph(glyph, both);
    QVERIFY(glyph != original);
    TransformGlyph(glyph, both);
    QCOMPARE(glyph.format(), QImage::Format(format));
    QCOMPARE(glyph, original);
}

QTEST_APPLESS_MAIN(TestTransform)
#include "test_transform.moc"
