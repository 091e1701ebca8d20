// Placement rules of the rasteriser, checked with the installed fonts by
// comparing renders with each other rather than with stored pictures: the
// offsets shift whole images, left alignment starts at column 0, centring is
// symmetric. Also the ink measure and the whole per-glyph path.
#include <QtTest>

#include "render/glyph_pipeline.h"

using namespace runemill;

Q_DECLARE_METATYPE(runemill::TransformOptions)

namespace {

constexpr QRgb kBlack = 0xFF000000u;

bool Inked(QRgb pixel) { return (pixel & 0xFFFFFFu) != 0; }

QFont CjkFont() { return QFont(QStringLiteral("宋体"), 20); }
QFont LatinFont() { return QFont(QStringLiteral("DejaVu Sans"), 20); }

QFont FontNamed(const QString& name) {
    return name == QLatin1String("cjk") ? CjkFont() : LatinFont();
}

QImage Render(const QFont& font, const QString& text, int w, int h, int x0, int y0,
              bool left = false) {
    QImage glyph = MakeGlyphImage(w, h);
    QFont drawn = font;
    RenderOptions options;
    options.x0 = x0;
    options.y0 = y0;
    options.leftAligned = left;
    RenderGlyph(glyph, drawn, text, options);
    return glyph;
}

int FirstInkedColumn(const QImage& image) {
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (Inked(image.pixel(x, y))) return x;
    return -1;
}

int LastInkedColumn(const QImage& image) {
    for (int x = image.width() - 1; x >= 0; --x)
        for (int y = 0; y < image.height(); ++y)
            if (Inked(image.pixel(x, y))) return x;
    return -1;
}

int InkedPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += Inked(image.pixel(x, y)) ? 1 : 0;
    return count;
}

bool AllBlack(const QImage& image) { return InkedPixels(image) == 0; }

QImage WithInkColumns(int w, int h, const QVector<int>& columns) {
    QImage glyph = MakeGlyphImage(w, h);
    for (int x : columns) glyph.setPixel(x, (x * 7) % h, qRgb(1, 0, 0));
    return glyph;
}

}  // namespace

class TestRasterizer : public QObject {
    Q_OBJECT
  private slots:
    void centredGlyphIsSymmetric_data();
    void centredGlyphIsSymmetric();
    void widerCellMovesGlyphByHalf_data();
    void widerCellMovesGlyphByHalf();
    void offsetsShiftTheWholeGlyph_data();
    void offsetsShiftTheWholeGlyph();
    void leftAlignmentStartsAtColumnZero_data();
    void leftAlignmentStartsAtColumnZero();
    void blankResults_data();
    void blankResults();
    void boldAndItalicAreWrittenIntoTheFont();
    void inkWidth_data();
    void inkWidth();
    void degenerateCellsDoNotCrash_data();
    void degenerateCellsDoNotCrash();
    void rendersAreRepeatable();
    void drawerMatchesTheStepsByHand_data();
    void drawerMatchesTheStepsByHand();
};

// Latin capitals of the installed sans face have equal side bearings, so
// centring the line box centres their ink.
void TestRasterizer::centredGlyphIsSymmetric_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::newRow("I 32x32") << "I" << 32 << 32;
    QTest::newRow("I 31x32") << "I" << 31 << 32;
    QTest::newRow("H 24x32") << "H" << 24 << 32;
    QTest::newRow("O 16x16") << "O" << 16 << 16;
    QTest::newRow("IHI 60x32") << "IHI" << 60 << 32;
}

void TestRasterizer::centredGlyphIsSymmetric() {
    QFETCH(QString, text);
    QFETCH(int, w);
    QFETCH(int, h);
    const QImage glyph = Render(LatinFont(), text, w, h, 0, 0);
    const int first = FirstInkedColumn(glyph);
    const int last = LastInkedColumn(glyph);
    QVERIFY2(first >= 0, "the glyph has no ink");
    const int leftGround = first;
    const int rightGround = w - 1 - last;
    QVERIFY2(
        qAbs(leftGround - rightGround) <= 1,
        qPrintable(QStringLiteral("ground %1 left, %2 right").arg(leftGround).arg(rightGround)));
}

// CJK faces often place a glyph off-centre within its own advance, so the
// ink is not symmetric even for 十; what the centring fixes is that a cell
// wider by 2d columns moves the whole glyph right by exactly d columns.
void TestRasterizer::widerCellMovesGlyphByHalf_data() {
    QTest::addColumn<QString>("font");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("extra");
    QTest::newRow("十 32 -> 34") << "cjk"
                                 << "十" << 32 << 2;
    QTest::newRow("口 30 -> 40") << "cjk"
                                 << "口" << 30 << 10;
    QTest::newRow("乐 32 -> 48") << "cjk"
                                 << "乐" << 32 << 16;
    QTest::newRow("W 28 -> 36") << "latin"
                                << "W" << 28 << 8;
}

void TestRasterizer::widerCellMovesGlyphByHalf() {
    QFETCH(QString, font);
    QFETCH(QString, text);
    QFETCH(int, w);
    QFETCH(int, extra);
    const int h = 32;
    const int d = extra / 2;
    const QImage narrow = Render(FontNamed(font), text, w, h, 0, 0);
    const QImage wide = Render(FontNamed(font), text, w + extra, h, 0, 0);
    QVERIFY(!AllBlack(narrow));
    QCOMPARE(InkedPixels(wide), InkedPixels(narrow));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) QCOMPARE(wide.pixel(x + d, y), narrow.pixel(x, y));
}

void TestRasterizer::offsetsShiftTheWholeGlyph_data() {
    QTest::addColumn<QString>("font");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("x0");
    QTest::addColumn<int>("y0");
    QTest::addColumn<bool>("left");
    QTest::newRow("y0 +3, 乐") << "cjk"
                               << "乐" << 0 << 3 << false;
    QTest::newRow("y0 -4, 乐") << "cjk"
                               << "乐" << 0 << -4 << false;
    QTest::newRow("x0 -2, 乐") << "cjk"
                               << "乐" << -2 << 0 << false;
    QTest::newRow("x0 +5, 华") << "cjk"
                               << "华" << 5 << 0 << false;
    QTest::newRow("x0 -2 y0 +3, W") << "latin"
                                    << "W" << -2 << 3 << false;
    QTest::newRow("left, y0 +3, 乐") << "cjk"
                                     << "乐" << 0 << 3 << true;
    QTest::newRow("left, y0 -5, g") << "latin"
                                    << "g" << 0 << -5 << true;
}

// shifted(x, y) == base(x - x0, y - y0); what comes from outside is black.
void TestRasterizer::offsetsShiftTheWholeGlyph() {
    QFETCH(QString, font);
    QFETCH(QString, text);
    QFETCH(int, x0);
    QFETCH(int, y0);
    QFETCH(bool, left);
    const int w = 32;
    const int h = 32;
    const QImage base = Render(FontNamed(font), text, w, h, 0, 0, left);
    const QImage shifted = Render(FontNamed(font), text, w, h, x0, y0, left);
    QVERIFY(!AllBlack(base));
    QVERIFY(!AllBlack(shifted));
    for (int y = 0; y < h; ++y) {
        const int sy = y - y0;
        // With y0 < 0 the bottom rows come from canvas rows below the cell,
        // which the base image does not hold.
        if (sy >= h) continue;
        for (int x = 0; x < w; ++x) {
            const int sx = x - x0;
            const bool inside = sx >= 0 && sx < w && sy >= 0;
            // Positions the offsets bring in from outside the canvas hold 0.
            QRgb expected = inside ? base.pixel(sx, sy) : 0u;
            QRgb actual = shifted.pixel(x, y);
            // Left mode keeps the opaque ground in the columns past W - c;
            // consumers read only red, green and blue.
            if (left) {
                expected &= 0xFFFFFFu;
                actual &= 0xFFFFFFu;
            }
            if (expected != actual)
                QFAIL(qPrintable(QStringLiteral("pixel (%1,%2) is %3, expected %4")
                                     .arg(x)
                                     .arg(y)
                                     .arg(actual, 8, 16, QChar('0'))
                                     .arg(expected, 8, 16, QChar('0'))));
        }
    }
}

void TestRasterizer::leftAlignmentStartsAtColumnZero_data() {
    QTest::addColumn<QString>("font");
    QTest::addColumn<QString>("text");
    QTest::newRow("十") << "cjk"
                        << "十";
    QTest::newRow("乐") << "cjk"
                        << "乐";
    QTest::newRow("！ full width") << "cjk"
                                   << "！";
    QTest::newRow("i") << "latin"
                       << "i";
    QTest::newRow("M") << "latin"
                       << "M";
}

void TestRasterizer::leftAlignmentStartsAtColumnZero() {
    QFETCH(QString, font);
    QFETCH(QString, text);
    // A tall cell holds the whole line box, so the centred glyph's first
    // inked column is the ink start of the canvas.
    const int w = 32;
    const int h = 48;
    const QImage reference = Render(FontNamed(font), text, w, h, 0, 0, true);
    QCOMPARE(FirstInkedColumn(reference), 0);
    for (int x0 : {-9, -1, 4, 12}) {
        const QImage glyph = Render(FontNamed(font), text, w, h, x0, 0, true);
        QCOMPARE(glyph, reference);
    }
    // The centred glyph is the same ink, only further right.
    const QImage centred = Render(FontNamed(font), text, w, h, 0, 0, false);
    const int c = FirstInkedColumn(centred);
    QVERIFY(c > 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            QCOMPARE(reference.pixel(x, y), x + c < w ? centred.pixel(x + c, y) : kBlack);
}

void TestRasterizer::blankResults_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("left");
    QTest::newRow("empty, centred") << "" << false;
    QTest::newRow("empty, left") << "" << true;
    QTest::newRow("space, centred") << " " << false;
    QTest::newRow("space, left") << " " << true;
    QTest::newRow("ideographic space, left") << "\u3000" << true;
}

// Drawn over an earlier glyph in the same image: no ink of it survives.
void TestRasterizer::blankResults() {
    QFETCH(QString, text);
    QFETCH(bool, left);
    QImage glyph = MakeGlyphImage(32, 32);
    QFont font = CjkFont();
    GlyphRasterizer rasterizer;
    RenderOptions options;
    options.leftAligned = left;
    rasterizer.Render(glyph, font, QStringLiteral("国"), options);
    QVERIFY(!AllBlack(glyph));
    rasterizer.Render(glyph, font, text, options);
    QVERIFY(AllBlack(glyph));
    QCOMPARE(glyph.pixel(0, 0), kBlack);  // the ground is opaque black
    QCOMPARE(glyph.size(), QSize(32, 32));
}

void TestRasterizer::boldAndItalicAreWrittenIntoTheFont() {
    QImage glyph = MakeGlyphImage(32, 32);
    QFont font = CjkFont();
    RenderOptions options;
    options.bold = true;
    RenderGlyph(glyph, font, QStringLiteral("乐"), options);
    QCOMPARE(font.weight(), 75);
    QCOMPARE(font.style(), QFont::StyleNormal);
    options.bold = false;
    options.italic = true;
    RenderGlyph(glyph, font, QStringLiteral("乐"), options);
    QCOMPARE(font.weight(), 50);
    QCOMPARE(font.style(), QFont::StyleItalic);
    options.italic = false;
    RenderGlyph(glyph, font, QStringLiteral("乐"), options);
    QCOMPARE(font.style(), QFont::StyleNormal);
    QCOMPARE(font.family(), QStringLiteral("宋体"));
    QCOMPARE(font.pointSize(), 20);

    // Bold ink is heavier than regular ink.
    QFont latin = LatinFont();
    RenderOptions regular;
    RenderOptions bold;
    bold.bold = true;
    QImage a = MakeGlyphImage(32, 32);
    QImage b = MakeGlyphImage(32, 32);
    RenderGlyph(a, latin, QStringLiteral("l"), regular);
    RenderGlyph(b, latin, QStringLiteral("l"), bold);
    QVERIFY(a != b);
}

void TestRasterizer::inkWidth_data() {
    QTest::addColumn<QImage>("glyph");
    QTest::addColumn<int>("width");
    QTest::newRow("blank") << MakeGlyphImage(32, 32) << 1;
    QTest::newRow("one column") << WithInkColumns(32, 32, {17}) << 1;
    QTest::newRow("columns 3 to 10") << WithInkColumns(32, 32, {3, 5, 10}) << 8;
    QTest::newRow("columns 0 and 31") << WithInkColumns(32, 32, {31, 0}) << 32;
    QTest::newRow("two neighbours") << WithInkColumns(16, 16, {8, 9}) << 2;
    QImage alphaOnly = MakeGlyphImage(16, 16);
    alphaOnly.fill(0x7F000000u);
    alphaOnly.setPixel(2, 2, qRgb(0, 0, 1));
    alphaOnly.setPixel(6, 9, qRgb(0, 1, 0));
    QTest::newRow("alpha is not ink") << alphaOnly << 5;
    QTest::newRow("turned BGR888 image")
        << WithInkColumns(16, 32, {1, 14}).convertToFormat(QImage::Format_BGR888) << 14;
    QTest::newRow("empty image") << QImage() << 1;
}

void TestRasterizer::inkWidth() {
    QFETCH(QImage, glyph);
    QFETCH(int, width);
    QCOMPARE(MeasureInkWidth(glyph), width);
}

void TestRasterizer::degenerateCellsDoNotCrash_data() {
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::newRow("0x0") << 0 << 0;
    QTest::newRow("0x16") << 0 << 16;
    QTest::newRow("16x0") << 16 << 0;
    QTest::newRow("1x1") << 1 << 1;
    QTest::newRow("1x32") << 1 << 32;
    QTest::newRow("32x1") << 32 << 1;
}

void TestRasterizer::degenerateCellsDoNotCrash() {
    QFETCH(int, w);
    QFETCH(int, h);
    for (bool left : {false, true}) {
        QImage glyph = MakeGlyphImage(w, h);
        QFont font = CjkFont();
        RenderOptions options;
        options.leftAligned = left;
        options.y0 = -7;
        RenderGlyph(glyph, font, QStringLiteral("乐"), options);
        QCOMPARE(glyph.size(), (w > 0 && h > 0) ? QSize(w, h) : QSize(0, 0));
        QVERIFY(MeasureInkWidth(glyph) >= 1);
        QVERIFY(MeasureInkWidth(glyph) <= qMax(w, 1));

        GlyphSettings settings;
        settings.pack.width = w;
        settings.pack.height = h;
        settings.transform.rotation = kRotateRight90;
        GlyphDrawer drawer(font, settings);
        QByteArray out(int(BytesPerGlyph(0, w, h)) + 4, '\x5a');
        drawer.Draw(QStringLiteral("乐"), left, true, reinterpret_cast<uchar*>(out.data()));
        QCOMPARE(out.right(4), QByteArray(4, '\x5a'));
    }
}

void TestRasterizer::rendersAreRepeatable() {
    // A fresh rasteriser, a reused one and the one-shot call agree, so
    // nothing depends on state left over from earlier glyphs.
    GlyphRasterizer reused;
    QFont font = CjkFont();
    RenderOptions options;
    options.y0 = -7;
    QImage first = MakeGlyphImage(32, 32);
    reused.Render(first, font, QStringLiteral("华"), options);
    QImage other = MakeGlyphImage(32, 32);
    reused.Render(other, font, QStringLiteral("乐"), options);
    QImage again = MakeGlyphImage(32, 32);
    reused.Render(again, font, QStringLiteral("华"), options);
    QImage oneShot = MakeGlyphImage(32, 32);
    RenderGlyph(oneShot, font, QStringLiteral("华"), options);
    QVERIFY(!AllBlack(first));
    QVERIFY(first != other);
    QCOMPARE(again, first);
    QCOMPARE(oneShot, first);
    // Gray edges survive: the glyph holds levels between ground and ink.
    bool gray = false;
    for (int y = 0; y < 32 && !gray; ++y)
        for (int x = 0; x < 32 && !gray; ++x) {
            const int g = qGray(first.pixel(x, y));
            gray = g > 0 && g < 255;
        }
    QVERIFY(gray);
}

void TestRasterizer::drawerMatchesTheStepsByHand_data() {
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<int>("format");
    QTest::addColumn<bool>("left");
    QTest::addColumn<TransformOptions>("transform");
    TransformOptions none;
    TransformOptions mirrored;
    mirrored.reverseX = true;
    mirrored.reverseY = true;
    TransformOptions right;
    right.rotation = kRotateRight90;
    TransformOptions leftTurn;
    leftTurn.rotation = kRotateLeft90;
    leftTurn.reverseX = true;
    QTest::newRow("16x16 1bits") << 16 << 16 << 0 << false << none;
    QTest::newRow("32x32 aRGB4444") << 32 << 32 << 4 << false << none;
    QTest::newRow("24x24 2bits left") << 24 << 24 << 1 << true << none;
    QTest::newRow("20x12 4bits mirrored") << 20 << 12 << 2 << false << mirrored;
    QTest::newRow("32x16 8bits R90") << 32 << 16 << 3 << false << right;
    QTest::newRow("12x24 1bits revX L90") << 12 << 24 << 0 << true << leftTurn;
}

void TestRasterizer::drawerMatchesTheStepsByHand() {
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(int, format);
    QFETCH(bool, left);
    QFETCH(TransformOptions, transform);
    GlyphSettings settings;
    settings.pack.width = w;
    settings.pack.height = h;
    settings.pack.pixFormat = format;
    settings.pack.grayLimit = 80;
    settings.render.bold = true;
    settings.render.x0 = 1;
    settings.render.y0 = -7;
    settings.transform = transform;
    GlyphDrawer drawer(CjkFont(), settings);

    const int bytes = int(BytesPerGlyph(format, w, h));
    for (const QString& text : {QStringLiteral("乐"), QStringLiteral("A"), QStringLiteral("鑫")}) {
        QByteArray drawn(bytes, '\0');
        const int drawnWidth =
            drawer.Draw(text, left, true, reinterpret_cast<uchar*>(drawn.data()));

        QImage glyph = MakeGlyphImage(w, h);
        QFont font = CjkFont();
        RenderOptions options = settings.render;
        options.leftAligned = left;
        RenderGlyph(glyph, font, text, options);
        const int width = MeasureInkWidth(glyph);
        TransformGlyph(glyph, transform);
        QByteArray byHand(bytes, '\0');
        PackGlyph(glyph, settings.pack, reinterpret_cast<uchar*>(byHand.data()));

        QCOMPARE(drawnWidth, width);
        QVERIFY(byHand != QByteArray(bytes, '\0'));
        QCOMPARE(drawn.toHex(), byHand.toHex());
    }
    QByteArray unused(bytes, '\0');
    QCOMPARE(
        drawer.Draw(QStringLiteral("乐"), left, false, reinterpret_cast<uchar*>(unused.data())), 1);
}

QTEST_MAIN(TestRasterizer)
#include "test_rasterizer.moc"
