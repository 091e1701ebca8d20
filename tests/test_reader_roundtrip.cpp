// Files written by the core, read back through the firmware C reader: every glyph's pixels and
// width byte as the core drew them, in every kind and pixel format.
#include <QtTest>
#include <cstring>

#include "compress/font_compressor.h"
#include "convert/convert_request.h"
#include "layout/font_assembler.h"
#include "layout/font_plan.h"
#include "render/font_families.h"
#include "render/glyph_drawer.h"
#include "runemill_font.h"

using namespace runemill;

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
        } kinds[] = {{"GB2312", FontKind::Gb2312, 0xB0A1, 0xB0FE, {0xB1A1, 0xB0A0}},
                     {"BIG5", FontKind::Big5, 0xA440, 0xA4FF, {0xA540, 0xA480}},
                     {"GBK", FontKind::Gbk, 0xA340, 0xA3FE, {0xA440, 0xA37F}},
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
        for (const int code : absent)
            QCOMPARE(rmf_find_glyph(&opened, uint16_t(code), &glyph), RMF_NOT_FOUND);

        // Each slot drawn again on its own, against what the reader finds at its code.
        GlyphDrawer redraw(font, settings);
        QByteArray scratch(int(plan.bytesPerGlyph()), '\0');
        int inkedGlyphs = 0;
        for (const GlyphSlot& slot : plan.glyphSlots()) {
            const int width = redraw.Draw(slot.text, slot.leftAligned, true,
                                          reinterpret_cast<uchar*>(scratch.data()));
            QCOMPARE(rmf_find_glyph(&opened, uint16_t(slot.code), &glyph), RMF_OK);
            QCOMPARE(glyph.bits, data + slot.glyphOffset);
            QCOMPARE(int(glyph.has_width_byte), slot.widthOffset >= 0 ? 1 : 0);
            if (slot.widthOffset >= 0)
                QCOMPARE(int(glyph.width_byte), slot.blankSpace ? 13 / 4 : (width & 0xFF));
            bool inked = false;
            for (int y = 0; y < cell.height; ++y) {
                for (int x = 0; x < cell.width; ++x) {
                    uint16_t raw = 0xFFFF;
                    QCOMPARE(rmf_glyph_raw(&glyph, unsigned(x), unsigned(y), &raw), RMF_OK);
                    // The value a format stores for gray g (1bits: above the limit 90).
                    const int g = slot.blankSpace ? 0 : qGray(redraw.glyphImage().pixel(x, y));
                    const int values[] = {g > 90, g >> 6, g >> 4, g, (g >> 4) * 0x1111};
                    const int drawn = values[format];
                    if (raw != drawn)
                        QFAIL(qPrintable(
                            QString::asprintf("code %04x pixel (%d,%d): read %d, drawn %d",
                                              slot.code, x, y, raw, drawn)));
                    inked = inked || raw != 0;
                }
            }
            inkedGlyphs += inked ? 1 : 0;
        }
        QVERIFY2(inkedGlyphs > plan.slotCount() / 2, "most glyphs should carry ink");

        // The compressed file gives every glyph and width byte of the plain one, in memory
        // and through the read callback.
        QString problem;
        const QByteArray packed = CompressFont(file, cell.width, cell.height, &problem);
        QVERIFY2(packed.startsWith("RZ"), qPrintable(problem));
        rmf_font compressed[2];
        QCOMPARE(rmf_open(&compressed[0], reinterpret_cast<const uint8_t*>(packed.constData()),
                          size_t(packed.size()), 0, 0),
                 RMF_OK);
        QCOMPARE(rmf_open_read(&compressed[1], ReadBytes, const_cast<QByteArray*>(&packed),
                               size_t(packed.size()), 0, 0),
                 RMF_OK);
        QByteArray plainBits(int(plan.bytesPerGlyph()), '\0'), bits = plainBits;
        rmf_glyph plainGlyph;
        for (const rmf_font& font : compressed) {
            for (const int code : absent)
                QCOMPARE(
                    rmf_read_glyph(&font, uint16_t(code), &glyph, Bytes(bits), size_t(bits.size())),
                    RMF_NOT_FOUND);
            for (const GlyphSlot& slot : plan.glyphSlots()) {
                const uint16_t code = uint16_t(slot.code);
                QCOMPARE(rmf_read_glyph(&opened, code, &plainGlyph, Bytes(plainBits),
                                        size_t(plainBits.size())),
                         RMF_OK);
                QCOMPARE(rmf_read_glyph(&font, code, &glyph, Bytes(bits), size_t(bits.size())),
                         RMF_OK);
                QVERIFY2(bits == plainBits, qPrintable(QString::number(code, 16)));
                QCOMPARE(glyph.has_width_byte, plainGlyph.has_width_byte);
                QCOMPARE(glyph.width_byte, plainGlyph.width_byte);
            }
        }
    }

  private:
    static uint8_t* Bytes(QByteArray& bytes) { return reinterpret_cast<uint8_t*>(bytes.data()); }
    static size_t ReadBytes(void* context, size_t offset, uint8_t* out, size_t n) {
        const QByteArray* file = static_cast<const QByteArray*>(context);
        std::memcpy(out, file->constData() + offset, n);
        return n;
    }
};

QTEST_MAIN(ReaderRoundTripTest)
#include "test_reader_roundtrip.moc"
