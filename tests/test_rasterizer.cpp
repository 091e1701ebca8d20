// The rasteriser and the per-glyph path, with the installed fonts: renders are compared with each
// other rather than with stored pictures.
#include <QtTest>

#include "convert/convert_request.h"
#include "render/font_families.h"
#include "render/glyph_drawer.h"

using namespace runemill;

namespace {

bool IsLatin(const QString& text) { return text.isEmpty() || text.at(0).unicode() < 0x80; }

// Latin text is drawn in the sans face, anything else in the CJK one.
QFont FontFor(const QString& text) {
    return QFont(IsLatin(text) ? QStringLiteral("DejaVu Sans") : QStringLiteral("宋体"), 20);
}

QImage Render(QFont font, const QString& text, QSize cell, const RenderOptions& options) {
    QImage glyph = MakeGlyphImage(cell.width(), cell.height());
    RenderGlyph(glyph, font, text, options);
    return glyph;
}

// Inked columns (any of red, green, blue non-zero), left to right.
QVector<int> InkColumns(const QImage& image) {
    QVector<int> columns;
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (image.pixel(x, y) & 0xFFFFFFu) {
                columns << x;
                break;
            }
    return columns;
}

}  // namespace

class TestRasterizer : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { InstallFontSubstitutes(ConvertRequest().family); }
    // A glyph drawn with offsets is the centred one drawn without, moved by (x0, y0), black where
    // it comes from outside; in left mode x0 plays no part and the first inked column moves to 0.
    // 48 rows hold the line box.
    void placement_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("w");
        QTest::addColumn<QPoint>("offset");  // x0, y0
        QTest::addColumn<bool>("left");
        QTest::newRow("I, W=31") << "I" << 31 << QPoint(0, 0) << false;
        QTest::newRow("IHI, W=60") << "IHI" << 60 << QPoint(0, 0) << false;
        QTest::newRow("乐 x0 -6, y0 +3") << "乐" << 32 << QPoint(-6, 3) << false;
        QTest::newRow("中 x0 +5, y0 -4") << "中" << 32 << QPoint(5, -4) << false;
        QTest::newRow("乐 left, x0 -9 ignored, y0 +3") << "乐" << 32 << QPoint(-9, 3) << true;
        QTest::newRow("M left, x0 +12 ignored, y0 -2") << "M" << 32 << QPoint(12, -2) << true;
    }
    void placement() {
        QFETCH(QString, text);
        QFETCH(int, w);
        QFETCH(QPoint, offset);
        QFETCH(bool, left);
        const int y0 = offset.y();
        const QImage base = Render(FontFor(text), text, {w, 48}, {});
        const QImage glyph =
            Render(FontFor(text), text, {w, 48}, {false, false, left, offset.x(), y0});
        const QVector<int> ink = InkColumns(base);
        QVERIFY2(!ink.isEmpty(), "the glyph has no ink");
        const int dx = left ? -ink.first() : offset.x();
        QVERIFY(!left || dx < 0);
        // Only red, green and blue count: left mode keeps the opaque ground in its last columns.
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < w && y - y0 < 48; ++x) {  // the rows below are not in base
                const bool inside = x - dx >= 0 && x - dx < w && y - y0 >= 0;
                const QRgb expected = inside ? base.pixel(x - dx, y - y0) & 0xFFFFFFu : 0;
                QVERIFY2((glyph.pixel(x, y) & 0xFFFFFFu) == expected,
                         qPrintable(QStringLiteral("pixel (%1,%2)").arg(x).arg(y)));
            }
        if (IsLatin(text))  // Latin capitals of the sans face have equal side bearings
            QVERIFY2(qAbs(ink.first() - (w - 1 - ink.last())) <= 1,
                     qPrintable(QStringLiteral("ink %1 to %2").arg(ink.first()).arg(ink.last())));
    }

    // Offsets at the ends of int move the glyph out of its cell, with no overflow on the way.
    void extremeOffsetsDrawNothing() {
        for (int d : {INT_MIN, INT_MAX})
            QVERIFY(InkColumns(Render(FontFor("乐"), "乐", {32, 32}, {false, false, false, d, d}))
                        .isEmpty());
    }

    // A cell is drawable while its canvas (H + H/4 + 4 rows of 4-byte pixels) stays within 2 GB
    // (INT_MAX x 1: test_cli's badInput); the largest cells refused without overflow (UBSan).
    void drawableCells() {
        QVERIFY(CellDrawable(16, 16) && CellDrawable(107374182, 1));  // the widest of 1 row
        QVERIFY(!CellDrawable(0, 16) && !CellDrawable(107374183, 1) && !CellDrawable(30000, 30000));
        QVERIFY(!CellDrawable(INT_MAX, INT_MAX) && !CellDrawable(INT_MAX, 1000000000));
    }

    // One faint pixel in each listed column of a 32 x 32 glyph, rows spread: blank is 1 wide.
    void inkWidth() {
        const QPair<QVector<int>, int> cases[] = {{{}, 1}, {{3, 5, 10}, 8}, {{31, 0}, 32}};
        for (const auto& c : cases) {
            QImage glyph = MakeGlyphImage(32, 32);
            for (int x : c.first) glyph.setPixel(x, (x * 7) % 32, qRgb(1, 0, 0));
            QCOMPARE(MeasureInkWidth(glyph), c.second);
        }
    }

    // GlyphDrawer on cells of 0 or 1 column or row: no crash, no byte past the glyph, and an empty
    // cell is never reported as drawn. (Its bytes in every transform and format: test_golden.)
    void tinyCells() {
        for (const QSize cell : {QSize(0, 16), QSize(1, 1), QSize(16, 0)}) {
            GlyphSettings settings;
            settings.cell = CellSettings{cell.width(), cell.height(), kFormat8Bit, 80};
            settings.transform.rotation = kRotateRight90;
            GlyphDrawer drawer(FontFor("乐"), settings);
            const int bytes = int(BytesPerGlyph(3, cell.width(), cell.height()));
            QByteArray drawn(bytes + 4, '\x5a');
            const int width =
                drawer.Draw("乐", false, true, reinterpret_cast<uchar*>(drawn.data()));
            QCOMPARE(drawn.mid(bytes), QByteArray(4, '\x5a'));
            QCOMPARE(width, cell.isEmpty() ? kGlyphNotDrawn : 1);
        }
    }
};

QTEST_MAIN(TestRasterizer)
#include "test_rasterizer.moc"
