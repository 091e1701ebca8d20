// The rasteriser and the per-glyph path at their limits, with the installed fonts. (Where glyphs
// land in their cells, offsets and left-alignment included: the golden files.)
#include <QtTest>

#include "convert/convert_request.h"
#include "render/font_families.h"
#include "render/glyph_drawer.h"

using namespace runemill;

namespace {

QFont CjkFont() { return QFont(QStringLiteral("宋体"), 20); }

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
    // Offsets at the ends of int move the glyph out of its cell, with no overflow on the way.
    void extremeOffsetsDrawNothing() {
        for (int d : {INT_MIN, INT_MAX})
            QVERIFY(InkColumns(Render(CjkFont(), "乐", {32, 32}, {false, false, false, d, d}))
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
            GlyphDrawer drawer(CjkFont(), settings);
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
