// Mirrors and quarter turns on marked pixels: where a pixel ends, what size
// and pixel format the image has afterwards, and that colours travel whole.
#include <QtTest>

#include "render/transform.h"

using namespace runemill;

class TestTransform : public QObject {
    Q_OBJECT
  private slots:
    void markedPixel_data();
    void markedPixel();
};

void TestTransform::markedPixel_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("reverseX");
    QTest::addColumn<bool>("reverseY");
    QTest::addColumn<int>("rotation");
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");

    const QSize cell(32, 16);
    QTest::newRow("R90 (0,0)") << cell << false << false << 1 << QPoint(0, 0) << QPoint(15, 0);
    QTest::newRow("L90 (0,0)") << cell << false << false << 2 << QPoint(0, 0) << QPoint(0, 31);
    QTest::newRow("revX (5,7)") << cell << true << false << 0 << QPoint(5, 7) << QPoint(26, 7);
    QTest::newRow("revX odd W, middle column stays")
        << QSize(15, 4) << true << false << 0 << QPoint(7, 2) << QPoint(7, 2);
    QTest::newRow("revY (3,4)") << cell << false << true << 0 << QPoint(3, 4) << QPoint(3, 11);
    QTest::newRow("revX+revY is 180 degrees")
        << cell << true << true << 0 << QPoint(5, 3) << QPoint(26, 12);
    QTest::newRow("revX then R90") << cell << true << false << 1 << QPoint(0, 0) << QPoint(15, 31);
    QTest::newRow("rotation 3 does nothing")
        << cell << false << false << 3 << QPoint(4, 9) << QPoint(4, 9);
}

void TestTransform::markedPixel() {
    QFETCH(QSize, size);
    QFETCH(bool, reverseX);
    QFETCH(bool, reverseY);
    QFETCH(int, rotation);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);

    constexpr QRgb kMark = 0xFF0A78E6u;  // distinct red, green and blue
    QImage glyph(size, QImage::Format_ARGB32);
    glyph.fill(0xFF000000u);
    glyph.setPixel(from, kMark);
    TransformOptions options;
    options.reverseX = reverseX;
    options.reverseY = reverseY;
    options.rotation = rotation;
    TransformGlyph(glyph, options);

    const bool turns = rotation == 1 || rotation == 2;
    QCOMPARE(glyph.size(), turns ? size.transposed() : size);
    QCOMPARE(glyph.format(), turns ? QImage::Format_BGR888 : QImage::Format_ARGB32);
    QStringList inked;
    for (int y = 0; y < glyph.height(); ++y)
        for (int x = 0; x < glyph.width(); ++x)
            if ((glyph.pixel(x, y) & 0xFFFFFFu) != 0)
                inked << QStringLiteral("%1,%2 %3").arg(x).arg(y).arg(glyph.pixel(x, y), 0, 16);
    QCOMPARE(inked, QStringList{QStringLiteral("%1,%2 ff0a78e6").arg(to.x()).arg(to.y())});
}

QTEST_APPLESS_MAIN(TestTransform)
#include "test_transform.moc"
