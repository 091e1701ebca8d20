// Mirrors and quarter turns on marked pixels: where a pixel ends, what size
// and pixel format the image has afterwards, and that colours travel whole.
#include <QtTest>

#include "render/transform.h"

using namespace runemill;

Q_DECLARE_METATYPE(runemill::TransformOptions)

class TestTransform : public QObject {
    Q_OBJECT
  private slots:
    void markedPixel_data() {
        QTest::addColumn<TransformOptions>("options");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        const auto row = [](const char* name, bool reverseX, bool reverseY, int rotation,
                            QPoint from, QPoint to, QSize size = QSize(32, 16)) {
            QTest::newRow(name) << TransformOptions{reverseX, reverseY, rotation} << size << from
                                << to;
        };
        row("R90 (0,0)", false, false, 1, {0, 0}, {15, 0});
        row("L90 (0,0)", false, false, 2, {0, 0}, {0, 31});
        row("revX (5,7)", true, false, 0, {5, 7}, {26, 7});
        row("revX odd W, middle column stays", true, false, 0, {7, 2}, {7, 2}, QSize(15, 4));
        row("revY (3,4)", false, true, 0, {3, 4}, {3, 11});
        row("revX+revY is 180 degrees", true, true, 0, {5, 3}, {26, 12});
        row("revX then R90", true, false, 1, {0, 0}, {15, 31});
        row("rotation 3 does nothing", false, false, 3, {4, 9}, {4, 9});
    }
    void markedPixel() {
        QFETCH(TransformOptions, options);
        QFETCH(QSize, size);
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QImage glyph(size, QImage::Format_ARGB32);
        glyph.fill(0xFF000000u);
        glyph.setPixel(from, 0xFF0A78E6u);  // distinct red, green and blue
        TransformGlyph(glyph, options);

        const bool turns = options.rotation == 1 || options.rotation == 2;
        QCOMPARE(glyph.size(), turns ? size.transposed() : size);
        QCOMPARE(glyph.format(), turns ? QImage::Format_BGR888 : QImage::Format_ARGB32);
        QStringList inked;
        for (int y = 0; y < glyph.height(); ++y)
            for (int x = 0; x < glyph.width(); ++x)
                if ((glyph.pixel(x, y) & 0xFFFFFFu) != 0)
                    inked << QStringLiteral("%1,%2 %3").arg(x).arg(y).arg(glyph.pixel(x, y), 0, 16);
        QCOMPARE(inked, QStringList{QStringLiteral("%1,%2 ff0a78e6").arg(to.x()).arg(to.y())});
    }
};

QTEST_APPLESS_MAIN(TestTransform)
#include "test_transform.moc"
