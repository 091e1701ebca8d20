// File layouts checked at offsets worked out by hand. The fake drawer fills a glyph with the
// slot's code (low byte, high byte, repeating) and returns the code's low byte + 1 as its width.
#include <QtTest>

#include "layout/chip_header.h"
#include "layout/font_assembler.h"
#include "layout/font_plan.h"
#include "layout/gbk_width_list.h"

using namespace runemill;
using K = ConvertKind;

namespace {

const char kTooLarge[] =
    "The file would be 2 GB or larger; choose a smaller cell, pixel format or code range.";
const char kOrder[] = "Error for start code > end code. And stop.";

SlotDrawer FakeDraw(const FontPlan& plan) {
    return [n = plan.bytesPerGlyph()](const GlyphSlot& slot, uchar* packed) {
        for (qint64 j = 0; j < n; ++j) packed[j] = uchar(j % 2 ? slot.code >> 8 : slot.code);
        return (slot.code & 0xFF) + 1;
    };
}

// The whole file of `plan`, every glyph drawn by FakeDraw.
QByteArray FakeFile(const FontPlan& plan, const AfterGlyph& afterGlyph = AfterGlyph()) {
    QByteArray file(int(plan.fileSize()), '\0');
    QByteArray scratch(int(plan.bytesPerGlyph()), '\0');
    auto* out = reinterpret_cast<uchar*>(file.data());
    plan.WriteFixedBytes(out);
    AssembleSlots(plan, out, 0, plan.slotCount(), reinterpret_cast<uchar*>(scratch.data()),
                  FakeDraw(plan), afterGlyph);
    return file;
}

FontPlan Plan(K kind, CellSettings cell, int start, int end, const char* text, QString* error) {
    Refusal refusal;
    const FontPlan plan = kind == K::String
                              ? FontPlan::ForString(cell, QString(text), &refusal)
                              : FontPlan::ForLibrary(kind, cell, start, end, &refusal);
    if (error) *error = refusal.text;
    return plan;
}

// A whole file and one sampled record: the glyph of code starts at record, its width byte is
// at widthAt (-1: none). Byte 9 is the space width W / divisor (-1: a string font).
struct FileCase {
    const char* name;
    ConvertKind kind;
    int w, h, format, divisor, start, end;
    const char *text, *header;  // the text of a string font; bytes 0..8 in hex
    int length, spaceWidth, record, code, widthAt;
};
// clang-format off
const FileCase kFiles[] = {
    {"gb2312 mid-row start", K::Gb2312, 12, 24, 2, 3, 0xA1C5, 0xF7FE, "", "47420C18C5A1FEF702",
     1191416, 4, 216824, 0xB0A1, -1},  // rows A1..F7 whole, S = 144: 104 + (95 + 15 * 94) * S
    {"unicode argb, width 256", K::Unicode, 3, 2, 4, 3, 0xFE, 0xFF, "", "756E0302FE00FF0004",
     1270, 1, 1258, 0xFF, 1257},  // S = 12, records of 13: width at 104 + 95 * 12 + 13
    {"ascii W 300, range ignored", K::Ascii, 300, 2, 0, 3, 0x1234, 1, "", "41532C02FFFFFFFF00",
     7324, 100, 2612, 0x41, 42},  // W stored as 44, but S = 76: 'A' at 104 + 33 * S
    {"string", K::String, 16, 16, 0, 3, 0, 0, "abcab c d", "535310100500554E00",
     184, -1, 86, 0x63, 85},  // units a b c space d; 'c' is record 2: 9 + 10 + 2 * 33
};

// Slot index of a 16x16 plan: its code, decoded text (0: not checked) and flags (L left-aligned,
// M width measured, B blank space). Slots 0..94 are the ASCII block. Each slot's code is found at
// its offset by test_reader_roundtrip; its text drawn is in the golden files.
struct SlotCase {
    const char* name;
    ConvertKind kind;
    int start, end, index, code, unit;
    const char* flags;
};
const SlotCase kSlots[] = {
    {"gb2312 A3A1 left", K::Gb2312, 0xA1A1, 0xA4FE, 283, 0xA3A1, 0xFF01, "L"},
    {"big5 A3A1 not left", K::Big5, 0xA140, 0xA4FF, 480, 0xA3A1, 0x3110, ""},
    {"gbk A39F", K::Gbk, 0xA240, 0xA4FE, 379, 0xA39F, 0, "L"},
    {"gbk A3A0 listed", K::Gbk, 0xA240, 0xA4FE, 380, 0xA3A0, 0, "LM"},
    {"unicode 0020 drawn", K::Unicode, 0x0020, 0x0021, 95, 0x0020, ' ', "LM"},
    {"ascii space", K::Ascii, 0, 0, 0, 0x20, ' ', "LB"},
};

struct RefusalCase {
    const char* name;
    ConvertKind kind;
    int w, h, format, start, end;
    const char* error;  // empty: accepted; a string font is of the text "a"
};
// GB2312's start and W 0 are refused in test_cli badInput.
const RefusalCase kRefusals[] = {
    {"gb2312 end", K::Gb2312, 16, 16, 0, 0xA1A0, 0xF7FF, "Font End Code is over 0xF7FE"},
    {"gb2312 order", K::Gb2312, 16, 16, 0, 0xB0A5, 0xB0A1, kOrder},
    {"gbk start", K::Gbk, 16, 16, 0, 0x813F, 0xFEFE, "Font Start Code is less 0x8140"},
    {"gbk end", K::Gbk, 16, 16, 0, 0x8140, 0xFEFF, "Font End Code is over 0xFEFE"},
    {"unicode order", K::Unicode, 16, 16, 0, 0x4E00, 0x4DFF, kOrder},
    {"big5 start before W 0", K::Big5, 0, 0, 0, 0xA13F, 0xF9FF, "Font Start Code is less 0xA140"},
    {"string H 0", K::String, 16, 0, 0, 0, 0, "W and H must be at least 1."},
    // 104 + 5843 + 5938 * W * H bytes: 2^31 - 1 exactly, then 75 x 5938 bytes more.
    {"unicode of 2^31 - 1 bytes", K::Unicode, 75, 4822, 3, 0x0000, 0x16D2, ""},
    {"unicode over 2 GB", K::Unicode, 75, 4823, 3, 0x0000, 0x16D2, kTooLarge},
    {"cell no image holds", K::String, 4, 536870909, 3, 0, 0,
     "A cell of 4 x 536870909 pixels is too large to draw; choose a smaller W or H."},
};
// clang-format on

}  // namespace

Q_DECLARE_METATYPE(FileCase)
Q_DECLARE_METATYPE(SlotCase)
Q_DECLARE_METATYPE(RefusalCase)

template <typename Case, size_t N>
void AddRows(const Case (&cases)[N]) {
    QTest::addColumn<Case>("c");
    for (const Case& c : cases) QTest::newRow(c.name) << c;
}

class TestFontPlan : public QObject {
    Q_OBJECT
  private slots:
    void files_data() { AddRows(kFiles); }
    void files() {
        QFETCH(FileCase, c);
        const CellSettings cell{c.w, c.h, PixelFormat(c.format), kStartGrayLimit, c.divisor};
        const FontPlan plan = Plan(c.kind, cell, c.start, c.end, c.text, nullptr);
        const QByteArray file = FakeFile(plan);
        QCOMPARE(file.size(), c.length);
        QCOMPARE(file.left(9).toHex(), QByteArray(c.header).toLower());
        const int s = int(plan.bytesPerGlyph());  // even in every row: the last byte is high
        QCOMPARE(uchar(file.at(c.record)), uchar(c.code & 0xFF));
        QCOMPARE(uchar(file.at(c.record + s - 1)), uchar(c.code >> 8));
        if (c.widthAt >= 0) QCOMPARE(uchar(file.at(c.widthAt)), uchar((c.code & 0xFF) + 1));
        if (c.spaceWidth >= 0) {  // the ASCII block's space is blank whatever was drawn
            QCOMPARE(uchar(file.at(9)), uchar(c.spaceWidth));
            QCOMPARE(file.mid(104, s), QByteArray(s, '\0'));
        }
    }

    void glyphSlots_data() { AddRows(kSlots); }
    void glyphSlots() {
        QFETCH(SlotCase, c);
        const FontPlan plan = Plan(c.kind, CellSettings{16, 16}, c.start, c.end, "", nullptr);
        QVERIFY(plan.isValid() && c.index < plan.slotCount());
        const GlyphSlot& slot = plan.slot(c.index);
        QCOMPARE(QString::number(slot.code, 16), QString::number(c.code, 16));
        if (c.unit) QCOMPARE(slot.text, QString(QChar(c.unit)));
        const QString flags = QString(slot.leftAligned ? "L" : "") +
                              (slot.measureWidth ? "M" : "") + (slot.blankSpace ? "B" : "");
        QCOMPARE(flags, QString(c.flags));
    }

    void refusals_data() { AddRows(kRefusals); }
    void refusals() {
        QFETCH(RefusalCase, c);
        QString message = QStringLiteral("stale");
        const FontPlan plan = Plan(c.kind, CellSettings{c.w, c.h, PixelFormat(c.format)}, c.start,
                                   c.end, "a", &message);
        QCOMPARE(message, QString(c.error));
        QCOMPARE(plan.isValid(), message.isEmpty());
    }

    void emptyStringFont() {
        Refusal refusal = Refusal::SmallCell();
        QVERIFY(!FontPlan::ForString(CellSettings{0, 16}, QString(), &refusal).isValid());
        QVERIFY(!refusal);  // nothing to do outranks a bad cell
    }

    void gbkWidthList() {
        auto listOf = [](ConvertKind kind, int start, int end) {
            const FontPlan plan = Plan(kind, CellSettings{8, 8}, start, end, "", nullptr);
            GbkWidthList list;
            FakeFile(plan, [&](int i, int width) { list.AddIfListed(plan, plan.slot(i), width); });
            return list.Text();
        };
        // Fake widths of A3A0..A3FE are 161..255: 17, then 16 a line, the last line 15.
        const QStringList lines = listOf(ConvertKind::Gbk, 0xA2A1, 0xA4A1).split("\r\n");
        QCOMPARE(lines.size(), 7);
        QCOMPARE(lines.at(0), QStringLiteral("{0,161,162,163,164,165,166,167,168,169,170,171,172,"
                                             "173,174,175,176,"));
        QCOMPARE(lines.at(5),
                 QStringLiteral("241,242,243,244,245,246,247,248,249,250,251,252,253,254,255,"));
        QCOMPARE(listOf(ConvertKind::Gbk, 0xB0A1, 0xB0FE), QStringLiteral("{0,\r\n};"));
        QCOMPARE(listOf(ConvertKind::Gb2312, 0xA3A1, 0xA3FE), QStringLiteral("{0,\r\n};"));
    }

    // The family's 76 bytes (every other field: the golden chip and ttf files): a family under 76
    // bytes is stored whole; a longer one is cut to 55, its 0x00 at 87. (A GBK family:
    // test_cli_inspect.)
    void headerFamily() {
        ChipHeaderFields f{{12, 10, kFormat4Bit}, 0xB0A1, 0xC1F7, true, false, true, 300, -3, 5,
                           QString(75, 'm')};
        QCOMPARE(ChipFontHeader(f, ConvertKind::Chip).mid(32).toHex(),
                 (QByteArray(75, 'm') + '\0').toHex());
        f.family = QString(76, 'm');
        QCOMPARE(ChipFontHeader(f, ConvertKind::Ttf).mid(32).toHex(),
                 (QByteArray(55, 'm') + '\0' + QByteArray(20, '\xff')).toHex());
    }
};

QTEST_GUILESS_MAIN(TestFontPlan)
#include "test_font_plan.moc"
