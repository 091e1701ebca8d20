// Mirrors and quarter turns of hand-made glyphs: one letter a pixel, each letter its own colour,
// so every pixel's place (edges, middle pairs, odd and even sizes) and its whole colour show.
#include <QtTest>

#include "render/transform.h"

using namespace runemill;

Q_DECLARE_METATYPE(runemill::TransformOptions)

namespace {

QRgb ColourOf(int letter) { return qRgb(letter, 255 - letter, letter ^ 0x5A); }

// Rows split by '/', one letter a pixel; back to letters, '?' for a colour no letter has.
QImage Glyph(const QString& letters) {
    const QStringList rows = letters.split('/');
    QImage image(rows[0].size(), rows.size(), QImage::Format_ARGB32);
    for (int i = 0; i < image.width() * image.height(); ++i)
        image.setPixel(i % image.width(), i / image.width(),
                       ColourOf(rows[i / image.width()][i % image.width()].unicode()));
    return image;
}
QString Letters(const QImage& image) {
    QString letters;
    for (int i = 0; i < image.width() * image.height(); ++i) {
        const QRgb p = image.pixel(i % image.width(), i / image.width());
        letters += QString(i && i % image.width() == 0 ? "/" : "") +
                   QChar(ColourOf(qRed(p)) == p ? qRed(p) : '?');
    }
    return letters;
}

}  // namespace

class TestTransform : public QObject {
    Q_OBJECT
  private slots:
    void handMadeGlyphs_data() {
        QTest::addColumn<TransformOptions>("options");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        const auto row = [](const char* name, bool reverseX, bool reverseY, int rotation,
                            const char* before, const char* after) {
            QTest::newRow(name) << TransformOptions{reverseX, reverseY, rotation} << before
                                << after;
        };
        row("revX even W", true, false, 0, "abcd/efgh", "dcba/hgfe");
        row("revX odd W", true, false, 0, "abcde/fghij", "edcba/jihgf");
        row("revY even H", false, true, 0, "ab/cd/ef/gh", "gh/ef/cd/ab");
        row("revY odd H", false, true, 0, "abc/def/ghi", "ghi/def/abc");
        row("revX revY: 180 degrees", true, true, 0, "abc/def", "fed/cba");
        row("R90: the top row becomes the right column", false, false, 1, "abcd/efgh/ijkl",
            "iea/jfb/kgc/lhd");
        row("L90: the top row becomes the left column", false, false, 2, "abcd/efgh/ijkl",
            "dhl/cgk/bfj/aei");
        row("revX, then R90", true, false, 1, "abc/def", "fc/eb/da");
        row("rotation 3 does nothing", false, false, 3, "ab/cd", "ab/cd");
    }
    void handMadeGlyphs() {
        QFETCH(TransformOptions, options);
        QFETCH(QString, before);
        QFETCH(QString, after);
        QImage glyph = Glyph(before);
        TransformGlyph(glyph, options);
        const bool turns = options.rotation == 1 || options.rotation == 2;
        QCOMPARE(glyph.format(), turns ? QImage::Format_BGR888 : QImage::Format_ARGB32);
        QCOMPARE(Letters(glyph), after);
    }
};

QTEST_APPLESS_MAIN(TestTransform)
#include "test_transform.moc"
