// Files written by the core, read back through the firmware C reader and through a second reader
// written from docs/file-formats.md alone: every glyph's pixels and width byte as the core drew
// them, in every kind and pixel format.
#include <QtTest>

#include "convert/convert_request.h"
#include "layout/font_assembler.h"
#include "layout/font_plan.h"
#include "render/font_families.h"
#include "render/glyph_drawer.h"
#include "runemill_font.h"

using namespace runemill;

namespace {

// Deliberately naive, from the page only: no code of the reader or the core.
struct PageReader {
    QByteArray f;
    int bits = 1 << f.at(8), rowBytes = (At(2) * bits + 7) / 8, s = rowBytes * At(3);
    int At(int i) const { return uchar(f.at(i)); }
    int Le16(int i) const { return At(i) | At(i + 1) << 8; }

    // The offset of the glyph of code, -1 if the file has none; *width that of its width byte.
    int Glyph(int code, int* width) const {
        *width = -1;
        if (f.startsWith("SS")) {
            for (int i = 0, count = Le16(4); i < count; ++i)
                if (Le16(9 + 2 * i) == code) return (*width = 9 + 2 * count + i * (s + 1)) + 1;
            return -1;
        }
        if (code >= 0x20 && code <= 0x7E) {
            *width = 9 + code - 0x20;
            return 104 + (code - 0x20) * s;
        }
        const int r = 104 + 95 * s, start = Le16(4), end = Le16(6), c = code & 0xFF;
        if (f.startsWith("un"))
            return code < start || code > end ? -1 : (*width = r + (code - start) * (s + 1)) + 1;
        const bool gb = f.startsWith("GB"), big5 = f.startsWith("BG"), gbk = f.startsWith("GK");
        const auto in = [c](int first, int last) { return c >= first && c <= last; };
        int slot = -1;
        if (gb && in(0xA1, 0xFE)) slot = c - 0xA1;
        if (big5) slot = in(0x40, 0x7F) ? c - 0x40 : in(0xA0, 0xFF) ? c - 0xA0 + 64 : -1;
        if (gbk) slot = in(0x40, 0x7E) ? c - 0x40 : in(0x80, 0xFE) ? c - 0x41 : -1;
        if (slot < 0 || code >> 8 < start >> 8 || code >> 8 > end >> 8) return -1;
        return r + (((code >> 8) - (start >> 8)) * (gb ? 94 : big5 ? 160 : 190) + slot) * s;
    }
    // Rows of whole bytes, the leftmost pixel in the high bits; aRGB4444 low byte first.
    int Pixel(int glyph, int x, int y) const {
        const int at = glyph + y * rowBytes + x * bits / 8;
        return bits == 16 ? Le16(at) : At(at) >> (8 - bits - x * bits % 8) & ((1 << bits) - 1);
    }
};

}  // namespace

class ReaderRoundTripTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { InstallFontSubstitutes(ConvertRequest().family); }

    // Each kind, with codes that its file does not hold: past its rows or range, in a gap.
    void everyGlyphReadsBackAsDrawn_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::addColumn<QList<int>>("absent");
        QTest::addColumn<int>("format");
        const struct {
            const char* name;
            FontKind kind;
            int start, end;
            QList<int> absent;
        } kinds[] = {{"GB2312", FontKind::Gb2312, 0xB0A1, 0xB1A5, {0xB2A1, 0xB0A0}},
                     {"BIG5", FontKind::Big5, 0xA440, 0xA5A0, {0xA640, 0xA480}},
                     {"GBK", FontKind::Gbk, 0xA340, 0xA440, {0xA540, 0xA37F}},
                     {"Unicode", FontKind::Unicode, 0x4E00, 0x4E3F, {0x4E40, 0x0019}},
                     {"ASCII", FontKind::Ascii, 0, 0, {0x4E00, 0x7F}},
                     {"string", FontKind::String, 0, 0, {0x4E2E, 'z'}}};
        for (const auto& k : kinds)
            for (int format = 0; format < 5; ++format)
                QTest::newRow(qPrintable(QStringLiteral("%1 format %2").arg(k.name).arg(format)))
                    << int(k.kind) << k.start << k.end << k.absent << format;
    }
    void everyGlyphReadsBackAsDrawn() {
        QFETCH(int, kind);
        QFETCH(int, start);
        QFETCH(int, end);
        QFETCH(QList<int>, absent);
        QFETCH(int, format);
        const CellSettings cell{13, 14, format, 4};  // odd W: every format pads its rows
        Refusal refusal;
        const FontPlan plan =
            FontKind(kind) == FontKind::String
                ? FontPlan::ForString(cell, QString::fromUtf8("华中 文ab华Q"), &refusal)
                : FontPlan::ForLibrary(FontKind(kind), cell, start, end, &refusal);
        QVERIFY2(plan.isValid(), qPrintable(refusal.text));

        GlyphSettings settings;
        settings.pack = {cell.width, cell.height, format, 90};
        settings.render.y0 = -3;
        const QFont font(QStringLiteral("宋体"), 11);
        GlyphDrawer writer(font, settings);
        const QByteArray file = BuildFont(plan, [&](const GlyphSlot& slot, uchar* packed) {
            return writer.Draw(slot.text, slot.leftAligned, slot.measureWidth, packed);
        });
        const auto* data = reinterpret_cast<const uint8_t*>(file.constData());
        rmf_font opened;
        rmf_glyph glyph;
        QCOMPARE(rmf_open(&opened, data, size_t(file.size()), 0, 0), RMF_OK);
        const PageReader page{file};
        int widthAt = 0;
        for (const int code : absent) {
            QCOMPARE(rmf_find_glyph(&opened, uint16_t(code), &glyph), RMF_NOT_FOUND);
            QCOMPARE(page.Glyph(code, &widthAt), -1);
        }

        // Each slot drawn again on its own, against what both readers find at its code.
        GlyphDrawer redraw(font, settings);
        QByteArray scratch(int(plan.bytesPerGlyph()), '\0');
        int inkedGlyphs = 0;
        for (const GlyphSlot& slot : plan.glyphSlots()) {
            const int width = redraw.Draw(slot.text, slot.leftAligned, true,
                                          reinterpret_cast<uchar*>(scratch.data()));
            QCOMPARE(rmf_find_glyph(&opened, uint16_t(slot.code), &glyph), RMF_OK);
            QCOMPARE(glyph.bits, data + slot.glyphOffset);
            const int at = page.Glyph(slot.code, &widthAt);
            QCOMPARE(at, int(slot.glyphOffset));
            QCOMPARE(widthAt, int(slot.widthOffset));
            QCOMPARE(int(glyph.has_width_byte), slot.widthOffset >= 0 ? 1 : 0);
            if (slot.widthOffset >= 0)
                QCOMPARE(int(glyph.width_byte), slot.blankSpace ? 13 / 4 : (width & 0xFF));
            int left = cell.width, right = -1;  // inked columns, as the page reader sees them
            for (int y = 0; y < cell.height; ++y) {
                for (int x = 0; x < cell.width; ++x) {
                    uint16_t raw = 0xFFFF;
                    QCOMPARE(rmf_glyph_raw(&glyph, unsigned(x), unsigned(y), &raw), RMF_OK);
                    // The value a format stores for gray g (1bits: above the limit 90).
                    const int g = slot.blankSpace ? 0 : qGray(redraw.glyphImage().pixel(x, y));
                    const int values[] = {g > 90, g >> 6, g >> 4, g, (g >> 4) * 0x1111};
                    const int drawn = values[format];
                    const int paged = page.Pixel(at, x, y);
                    if (raw != drawn || paged != drawn)
                        QFAIL(qPrintable(QString::asprintf(
                            "code %04x pixel (%d,%d): read %d, by the page %d, drawn %d", slot.code,
                            x, y, raw, paged, drawn)));
                    left = paged ? qMin(left, x) : left;
                    right = paged ? qMax(right, x) : right;
                }
            }
            inkedGlyphs += right >= 0 ? 1 : 0;
            // 8bits keeps every inked pixel: a width byte is the inked columns, 1 when blank.
            if (format == 3 && widthAt >= 0)
                QCOMPARE(page.At(widthAt), slot.blankSpace ? 13 / 4 : qMax(right - left + 1, 1));
        }
        QVERIFY2(inkedGlyphs > plan.slotCount() / 2, "most glyphs should carry ink");
    }
};

QTEST_MAIN(ReaderRoundTripTest)
#include "test_reader_roundtrip.moc"
