// Files written by the core, read back through the firmware C reader: every
// glyph's pixels and width byte as the core drew them, in every kind and
// pixel format.
#include <QtTest>

#include "generators/layout/font_assembler.h"
#include "generators/layout/font_plan.h"
#include "render/font_resolution.h"
#include "render/glyph_pipeline.h"
#include "runemill_font.h"

using namespace runemill;

namespace {

// The value a format stores for gray g, worked out from the pixel itself.
int StoredValue(int format, int g, int limit) {
    switch (format) {
        case 1:
            return g >> 6;
        case 2:
            return g >> 4;
        case 3:
            return g;
        case 4: {
            const int n = g >> 4;
            return (n << 12) | (n << 8) | (n << 4) | n;
        }
        default:
            return g > limit ? 1 : 0;
    }
}

struct Built {
    FontPlan plan;
    QByteArray bytes;
};

}  // namespace

class ReaderRoundTripTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InstallFontSubstitutes(); }

    void everyGlyphReadsBackAsDrawn_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::addColumn<int>("format");
        const struct {
            const char* name;
            FontKind kind;
            int start, end;
        } kinds[] = {{"GB2312", FontKind::Gb2312, 0xB0A1, 0xB0FE},
                     {"BIG5", FontKind::Big5, 0xA440, 0xA4FF},
                     {"GBK", FontKind::Gbk, 0xA340, 0xA3FE},
                     {"Unicode", FontKind::Unicode, 0x4E00, 0x4E3F},
                     {"ASCII", FontKind::Ascii, 0, 0},
                     {"string", FontKind::String, 0, 0}};
        for (const auto& k : kinds)
            for (int format = 0; format < 5; ++format)
                QTest::newRow(qPrintable(QStringLiteral("%1 format %2").arg(k.name).arg(format)))
                    << int(k.kind) << k.start << k.end << format;
    }
    void everyGlyphReadsBackAsDrawn() {
        QFETCH(int, kind);
        QFETCH(int, start);
        QFETCH(int, end);
        QFETCH(int, format);
        CellSettings cell;
        cell.width = 13;  // odd, so every format pads its rows
        cell.height = 14;
        cell.pixFormat = format;
        cell.spaceDivisor = 4;
        QString error;
        const FontPlan plan =
            FontKind(kind) == FontKind::String
                ? FontPlan::ForString(cell, QString::fromUtf8("华中 文ab华Q"), &error)
                : FontPlan::ForLibrary(FontKind(kind), cell, start, end, &error);
        QVERIFY2(plan.isValid(), qPrintable(error));

        GlyphSettings settings;
        settings.pack = {cell.width, cell.height, format, 90};
        settings.render.y0 = -3;
        const QFont font(QStringLiteral("宋体"), 11);
        GlyphDrawer writer(font, settings);
        const QByteArray file = BuildFont(plan, [&](const GlyphSlot& slot, uchar* packed) {
            return writer.Draw(slot.text, slot.leftAligned, slot.measureWidth, packed);
        });
        QCOMPARE(qint64(file.size()), plan.fileSize());

        rmf_font opened;
        QCOMPARE(rmf_open(&opened, reinterpret_cast<const uint8_t*>(file.constData()), size_t(file.size()), 0, 0),
                 RMF_OK);
        QCOMPARE(int(opened.format), format);

        // Draw each slot again on its own and compare with what the reader finds.
        GlyphDrawer redraw(font, settings);
        QByteArray scratch(int(plan.bytesPerGlyph()), '\0');
        int inkedGlyphs = 0;
        for (const GlyphSlot& slot : plan.glyphSlots()) {
            const int width =
                redraw.Draw(slot.text, slot.leftAligned, true, reinterpret_cast<uchar*>(scratch.data()));
            rmf_glyph glyph;
            QCOMPARE(rmf_find_glyph(&opened, uint16_t(slot.code), &glyph), RMF_OK);
            // A code that occurs twice (the ASCII block and a record) is the ASCII copy.
            if (glyph.bits != reinterpret_cast<const uint8_t*>(file.constData()) + slot.glyphOffset) continue;
            if (slot.widthOffset >= 0) {
                QCOMPARE(int(glyph.has_width_byte), 1);
                QCOMPARE(int(glyph.width_byte), slot.blankSpace ? 13 / 4 : (width & 0xFF));
            }
            const QImage& image = redraw.glyphImage();
            bool inked = false;
            for (int y = 0; y < cell.height; ++y) {
                for (int x = 0; x < cell.width; ++x) {
                    uint16_t raw = 0xFFFF;
                    QCOMPARE(rmf_glyph_raw(&glyph, unsigned(x), unsigned(y), &raw), RMF_OK);
                    const int expected =
                        slot.blankSpace ? 0 : StoredValue(format, qGray(image.pixel(x, y)), 90);
                    if (int(raw) != expected)
                        QFAIL(qPrintable(QStringLiteral("code %1 pixel (%2,%3): read %4, drawn %5")
                                             .arg(slot.code, 4, 16, QLatin1Char('0'))
                                             .arg(x)
                                             .arg(y)
                                             .arg(raw)
                                             .arg(expected)));
                    inked = inked || raw != 0;
                }
            }
            inkedGlyphs += inked ? 1 : 0;
        }
        QVERIFY2(inkedGlyphs > plan.slotCount() / 2, "most glyphs should carry ink");
    }

    void codesOutsideTheFileAreNotFound_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("code");
        QTest::newRow("GB2312 other row") << int(FontKind::Gb2312) << 0xB1A1;
        QTest::newRow("GB2312 cell A0") << int(FontKind::Gb2312) << 0xB0A0;
        QTest::newRow("Unicode past the end") << int(FontKind::Unicode) << 0x4E40;
        QTest::newRow("Unicode control code") << int(FontKind::Unicode) << 0x0019;
        QTest::newRow("string absent character") << int(FontKind::String) << 0x4E2D + 1;
        QTest::newRow("string absent ASCII") << int(FontKind::String) << int('z');
        QTest::newRow("ASCII font DEL") << int(FontKind::Ascii) << 0x7F;
    }
    void codesOutsideTheFileAreNotFound() {
        QFETCH(int, kind);
        QFETCH(int, code);
        CellSettings cell;
        cell.width = 8;
        cell.height = 8;
        QString error;
        const FontPlan plan = FontKind(kind) == FontKind::String
                                  ? FontPlan::ForString(cell, QString::fromUtf8("中a"), &error)
                                  : FontPlan::ForLibrary(FontKind(kind), cell, kind == int(FontKind::Gb2312) ? 0xB0A1 : 0x4E00,
                                                         kind == int(FontKind::Gb2312) ? 0xB0FE : 0x4E3F, &error);
        QVERIFY(plan.isValid());
        const QByteArray file = BuildFont(plan, [](const GlyphSlot&, uchar*) { return 1; });
        rmf_font opened;
        QCOMPARE(rmf_open(&opened, reinterpret_cast<const uint8_t*>(file.constData()), size_t(file.size()), 0, 0),
                 RMF_OK);
        rmf_glyph glyph;
        QCOMPARE(rmf_find_glyph(&opened, uint16_t(code), &glyph), RMF_NOT_FOUND);
    }
};

QTEST_MAIN(ReaderRoundTripTest)
#include "test_reader_roundtrip.moc"
