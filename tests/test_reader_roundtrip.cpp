// Files written by the core, read back through the firmware C reader: every glyph's pixels and
// width byte as the core drew them, in every kind and pixel format, compressed or not. Where plain
// files put each glyph is worked out by hand in reader/tests/reader_test.c and kept byte for byte
// in tests/golden.
#include <QtTest>
#include <cstring>

#include "compress/font_compressor.h"
#include "convert/convert_job.h"
#include "convert/convert_request.h"
#include "layout/font_plan.h"
#include "render/font_families.h"
#include "render/glyph_drawer.h"
#include "runemill_font.h"

using namespace runemill;

namespace {

// The C reader on a file, in memory or through its read callback.
rmf_status Open(rmf_font* font, const QByteArray& file, bool callback = false) {
    const rmf_read_fn read = [](void* context, size_t offset, uint8_t* out, size_t n) {
        std::memcpy(out, static_cast<const QByteArray*>(context)->constData() + offset, n);
        return n;
    };
    return callback ? rmf_open_read(font, read, const_cast<QByteArray*>(&file), size_t(file.size()),
                                    0, 0)
                    : rmf_open(font, reinterpret_cast<const uint8_t*>(file.constData()),
                               size_t(file.size()), 0, 0);
}

// The glyph of `code` read into `bits`, which holds one glyph.
rmf_status Read(const rmf_font& font, int code, rmf_glyph* glyph, QByteArray& bits) {
    return rmf_read_glyph(&font, uint16_t(code), glyph, reinterpret_cast<uint8_t*>(bits.data()),
                          size_t(bits.size()));
}

// The compressed form of `file` gives each glyph of `codes` and its width byte as the plain file
// has them, in memory and through the read callback. The codes of `absent` are not found. (The
// compressed bytes themselves are kept in tests/golden.)
void CompressedReadsAsPlain(const QByteArray& file, const QByteArray& packed,
                            const QVector<int>& codes, const QList<int>& absent) {
    rmf_font plain, compressed[2];
    rmf_glyph plainGlyph, glyph;
    QCOMPARE(Open(&plain, file), RMF_OK);
    QCOMPARE(Open(&compressed[0], packed), RMF_OK);
    QCOMPARE(Open(&compressed[1], packed, true), RMF_OK);
    QByteArray plainBits(int(plain.glyph_bytes), '\0'), bits = plainBits;
    for (int number = 0; number < codes.size(); ++number) {
        const int code = codes[number];
        QCOMPARE(Read(plain, code, &plainGlyph, plainBits), RMF_OK);
        for (const rmf_font& font : compressed) {
            QCOMPARE(Read(font, code, &glyph, bits), RMF_OK);
            QVERIFY2(bits == plainBits && glyph.has_width_byte == plainGlyph.has_width_byte &&
                         glyph.width_byte == plainGlyph.width_byte,
                     qPrintable(QString::number(code, 16)));
        }
    }
    for (const rmf_font& font : compressed)
        for (const int code : absent) QCOMPARE(Read(font, code, &glyph, bits), RMF_NOT_FOUND);
}

}  // namespace

class ReaderRoundTripTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { InstallFontSubstitutes(ConvertRequest().family); }

    // Each kind, with codes that its file does not hold: past its rows or range, in a gap. The
    // two-byte libraries run to the last code they allow, BIG5 also from the first.
    void everyGlyphReadsBackAsDrawn_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::addColumn<QList<int>>("absent");
        QTest::addColumn<int>("format");
        const struct {
            const char* name;
            ConvertKind kind;
            int start, end;
            QList<int> absent;
        } kinds[] = {{"GB2312", ConvertKind::Gb2312, 0xF6A1, 0xF7FE, {0xF8A1, 0xF6A0}},
                     {"BIG5", ConvertKind::Big5, 0xF840, 0xF9FF, {0xFA40, 0xF880}},
                     {"GBK", ConvertKind::Gbk, 0xFD40, 0xFEFE, {0xFF40, 0xFD7F}},
                     {"BIG5 first row", ConvertKind::Big5, 0xA140, 0xA1FE, {0xA240, 0xA13F}},
                     {"Unicode", ConvertKind::Unicode, 0x4E00, 0x4E3F, {0x4E40, 0x0019}},
                     {"ASCII", ConvertKind::Ascii, 0, 0, {0x4E00, 0x7F}},
                     {"string", ConvertKind::String, 0, 0, {0x4E2E, 'z'}}};
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
        ConvertRequest request = ConvertRequest::Defaults(ConvertKind(kind));
        request.startCode = start;
        request.endCode = end;
        request.text = QString::fromUtf8("华中 文ab华Q");
        request.cell.width = 13;  // odd W: every format pads its rows
        request.cell.height = 14;
        request.cell.pixFormat = PixelFormat(format);
        request.cell.spaceDivisor = 4;
        request.cell.grayLimit = 90;
        request.y0 = -3;
        request.pointSize = 11;
        ConvertJob job(request);
        Refusal refusal = job.Prepare();
        QVector<int> widths;
        const QByteArray file = job.Run(1, ConvertJob::Progress(), &widths, &refusal);
        QVERIFY2(!file.isEmpty(), qPrintable(refusal.text));
        const FontPlan& plan = job.plan();
        const CellSettings& cell = plan.cell();
        const auto* data = reinterpret_cast<const uint8_t*>(file.constData());
        rmf_font opened;
        rmf_glyph glyph;
        QCOMPARE(Open(&opened, file), RMF_OK);
        for (const int code : absent)
            QCOMPARE(rmf_find_glyph(&opened, uint16_t(code), &glyph), RMF_NOT_FOUND);

        // Each slot drawn again on its own, against what the reader finds at its code.
        GlyphDrawer redraw(request.Font(), request.Glyph());
        QByteArray scratch(int(plan.bytesPerGlyph()), '\0');
        int inkedGlyphs = 0;
        for (const GlyphSlot& slot : plan.glyphSlots()) {
            const int width = redraw.Draw(slot.text, slot.leftAligned, true,
                                          reinterpret_cast<uchar*>(scratch.data()));
            QCOMPARE(rmf_find_glyph(&opened, uint16_t(slot.code), &glyph), RMF_OK);
            QCOMPARE(glyph.bits, data + slot.glyphOffset);
            int left = cell.width, right = -1;  // inked columns
            for (int y = 0; y < cell.height; ++y) {
                for (int x = 0; x < cell.width; ++x) {
                    uint16_t raw = 0xFFFF;
                    QCOMPARE(rmf_glyph_raw(&glyph, unsigned(x), unsigned(y), &raw), RMF_OK);
                    // The value a format stores for gray g (1bits: above the limit 90).
                    const int g = slot.blankSpace ? 0 : qGray(redraw.glyphImage().pixel(x, y));
                    const int values[] = {g > 90, g >> 6, g >> 4, g, (g >> 4) * 0x1111};
                    if (raw != values[format])
                        QFAIL(qPrintable(
                            QString::asprintf("code %04x pixel (%d,%d): read %d, drawn %d",
                                              slot.code, x, y, raw, values[format])));
                    left = raw ? qMin(left, x) : left;
                    right = raw ? qMax(right, x) : right;
                }
            }
            inkedGlyphs += right >= 0 ? 1 : 0;
            // 8bits keeps every inked pixel: its width byte is the inked columns, 1 when blank.
            QCOMPARE(int(glyph.has_width_byte), slot.widthOffset >= 0 ? 1 : 0);
            if (slot.widthOffset >= 0)
                QCOMPARE(int(glyph.width_byte), slot.blankSpace ? 13 / 4
                                                : format == 3   ? qMax(right - left + 1, 1)
                                                                : width & 0xFF);
        }
        // GBK's last rows leave the cells from trail byte A1 on unassigned.
        QVERIFY2(inkedGlyphs > plan.slotCount() / 3, "a third of the glyphs should carry ink");

        // The compressed file, as the job writes it for the kind, reads as the plain one.
        request.compress = true;
        ConvertJob packer(request);
        QVERIFY(!packer.Prepare());
        const QByteArray packed = packer.FileBytes(file, &refusal);
        QVERIFY2(packed.startsWith("RZ"), qPrintable(refusal.text));
        QVector<int> codes;
        for (const GlyphSlot& slot : plan.glyphSlots()) codes << slot.code;
        CompressedReadsAsPlain(file, packed, codes, absent);
    }

    // Each of the index's three length forms, forced by glyphs of noise (8bits, 24 x 24: codes
    // of about 600 bytes) beside shorter ones: every glyph and width decodes as the plain file
    // has it.
    void everyLengthFormReadsBack_data() {
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("oddNoise");  // bytes of noise in odd glyphs; -1: no noise
        QTest::addColumn<int>("form");
        QTest::newRow("nibbles: drawn glyphs") << 0 << 16 << -1 << 0;
        QTest::newRow("bytes over a base above 255: 100 bytes apart") << 3 << 24 << 476 << 1;
        QTest::newRow("2 bytes: beside blank glyphs") << 3 << 24 << 0 << 2;
    }
    void everyLengthFormReadsBack() {
        QFETCH(int, format);
        QFETCH(int, size);
        QFETCH(int, oddNoise);
        QFETCH(int, form);
        ConvertRequest request = ConvertRequest::Defaults(ConvertKind::Unicode);
        request.startCode = 0x4E00;
        request.endCode = 0x4E2F;
        request.cell.width = request.cell.height = size;
        request.cell.pixFormat = PixelFormat(format);
        ConvertJob job(request);
        Refusal refusal = job.Prepare();
        QVector<int> widths;
        QByteArray file = job.Run(1, ConvertJob::Progress(), &widths, &refusal);
        QVERIFY2(!file.isEmpty(), qPrintable(refusal.text));
        rmf_font plain;
        rmf_glyph glyph;
        QCOMPARE(Open(&plain, file), RMF_OK);
        const int count = 95 + request.endCode - request.startCode + 1;
        const auto codeOf = [](int number) {
            return uint16_t(number < 95 ? 0x20 + number : 0x4E00 + number - 95);
        };
        quint32 noise = 12345;
        for (int number = 0; oddNoise >= 0 && number < count; ++number) {
            QCOMPARE(rmf_find_glyph(&plain, codeOf(number), &glyph), RMF_OK);
            char* bits = file.data() + (glyph.bits - reinterpret_cast<const uint8_t*>(file.data()));
            for (size_t i = 0; i < glyph.size; ++i) {
                noise = noise * 1103515245u + 12345u;
                bits[i] = number % 2 && int(i) >= oddNoise ? '\0' : char(noise >> 24);
            }
        }
        QString problem;
        const QByteArray packed = CompressFont(file, job.plan(), &problem);
        QVERIFY2(packed.startsWith("RZ"), qPrintable(problem));
        QCOMPARE(int(packed.at(3)), form);
        QVector<int> codes;
        for (int number = 0; number < count; ++number) codes << codeOf(number);
        CompressedReadsAsPlain(file, packed, codes, {});
    }
};

QTEST_MAIN(ReaderRoundTripTest)
#include "test_reader_roundtrip.moc"
