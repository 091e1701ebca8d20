// Fitting with the installed fonts: a fitted size keeps every glyph whole in its cell while the
// next size up cannot. (Crisp glyphs in 8bits, 0 and 255 only: the golden files.)
#include <QtTest>

#include "convert/convert_request.h"
#include "render/font_families.h"
#include "render/glyph_fit.h"
#include "test_files.h"

using namespace runemill;

namespace {

qint64 GraySum(const QImage& glyph) {
    qint64 sum = 0;
    for (int y = 0; y < glyph.height(); ++y)
        for (int x = 0; x < glyph.width(); ++x) sum += qGray(glyph.pixel(x, y));
    return sum;
}

}  // namespace

class TestFit : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { InstallFontSubstitutes(ConvertRequest().family); }

    // Fitted, each glyph drawn in its cell holds all the ink it has on a canvas without edges;
    // one pixel larger, the glyphs' ink cannot be placed in the cell whatever the offsets.
    void fitKeepsEveryGlyphWhole_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("crisp");
        for (const int size : {12, 16, 24, 40})
            for (const bool crisp : {false, true})
                QTest::addRow("%d %s", size, crisp ? "crisp" : "smooth") << size << crisp;
        QTest::addRow("1024 smooth") << 1024 << false;  // sizes far past the cell are cheap
    }
    void fitKeepsEveryGlyphWhole() {
        QFETCH(int, size);
        QFETCH(bool, crisp);
        ConvertRequest request;
        request.cell.width = request.cell.height = size;
        request.crisp = crisp;
        // The ASCII block, left-aligned as the libraries draw it, then CJK characters with dense
        // strokes, full-width forms and symbols that reach the top and bottom of the line.
        QVector<FitGlyph> glyphs;
        for (ushort c = 0x20; c < 0x7F; ++c) glyphs.append({QString(QChar(c)), true});
        for (const QChar c : QStringLiteral("疆馨餐百乐鑫中国。，（）【】│┼＿￣ぁガЁ"))
            glyphs.append({QString(c), false});
        const FitResult fit = FitGlyphs(request.Font(), request.Glyph().render, size, size, glyphs);
        QVERIFY(fit.found());
        QCOMPARE(fit.unfit, QStringList());

        request.pointSize = fit.pointSize();
        request.x0 = fit.x0;
        request.y0 = fit.y0;
        GlyphRasterizer rasterizer, measurer;
        QImage glyph = MakeGlyphImage(size, size);
        RenderOptions options = request.Glyph().render;
        int top = INT_MAX, bottom = INT_MIN;
        bool inCanvas = true;
        for (const FitGlyph& g : glyphs) {
            QFont font = request.Font();
            options.leftAligned = g.leftAligned;
            QVERIFY(rasterizer.Render(glyph, font, g.text, options));
            QVERIFY2(GraySum(glyph) == measurer.MeasureInk(font, g.text, options, size, size).ink,
                     qPrintable(g.text + " is cut"));

            // The same glyph one pixel larger: its box on the canvas.
            QFont larger = request.Font();
            larger.setPointSizeF((fit.pixelSize + 1) * 0.75);
            const InkBox box = measurer.MeasureInk(larger, g.text, options, size, size);
            if (box.isEmpty()) continue;
            inCanvas = inCanvas && box.left >= 0 && box.right < size && box.top >= 0 &&
                       box.bottom < CanvasHeight(size);
            top = qMin(top, box.top);
            bottom = qMax(bottom, box.bottom);
        }
        QVERIFY2(!inCanvas || bottom - top + 1 > size, "one pixel larger fits too");
    }

    // A glyph that the tiniest sizes draw out of shape still fits: DejaVu Sans' '&', crisp, at 1 px
    // reaches past the cell's left edge, at 15 and 22 px it is whole.
    void glyphOutOfShapeWhenTinyFits() {
        if (!FamilyInstalled("DejaVu Sans")) SKIP_OR_FAIL("no DejaVu Sans");
        ConvertRequest request;
        request.family = "DejaVu Sans";
        request.cell.width = request.cell.height = 16;
        request.crisp = true;
        const FitResult fit =
            FitGlyphs(request.Font(), request.Glyph().render, 16, 16, {{"&", false}});
        QCOMPARE(fit.unfit, QStringList());
        QVERIFY2(fit.pixelSize >= 15, qPrintable(FitSummary(fit)));
    }
};

QTEST_MAIN(TestFit)
#include "test_fit.moc"
