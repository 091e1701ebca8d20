// File layouts checked at offsets worked out by hand. The fake drawer fills a
// glyph with the slot's code (low byte, high byte, repeating) and returns the
// code's low byte + 1 as its width, so every record says which code it holds.
#include <QtTest>

#include "generators/layout/chip_header.h"
#include "generators/layout/font_assembler.h"
#include "generators/layout/font_plan.h"
#include "generators/layout/gbk_width_list.h"

using namespace runemill;
using K = FontKind;

namespace {

const char kTooLarge[] =
    "The file would be 2 GB or larger; choose a smaller cell, pixel format or code range.";
const char kCellError[] = "W and H must be at least 1.";
const char kOrder[] = "Error for start code > end code. And stop.";

DrawGlyph FakeDraw(const FontPlan& plan) {
    const qint64 n = plan.bytesPerGlyph();
    return [n](const GlyphSlot& slot, uchar* packed) {
        for (qint64 j = 0; j < n; ++j) packed[j] = uchar(j % 2 ? slot.code >> 8 : slot.code);
        return (slot.code & 0xFF) + 1;
    };
}

uchar At(const QByteArray& file, int offset) { return uchar(file.at(offset)); }

ChipHeaderFields ChipFields() {
    ChipHeaderFields f;
    f.y0 = -7;
    f.family = QString::fromUtf8("宋体");
    return f;
}

// One whole file and one sampled record: the packed glyph of code starts at record, its width
// byte is at widthAt (-1: none). Byte 9 is the space width W / divisor (-1: a string font).
struct FileCase {
    const char* name;
    FontKind kind;
    int w, h, format, divisor, start, end;
    const char *text, *header;  // the text of a string font; bytes 0..8 in hex
    int length, spaceWidth, record, code, widthAt;
};

// clang-format off
const FileCase kFiles[] = {
    {"gb2312 default", K::Gb2312, 16, 16, 0, 2, 0xA1A0, 0xF7FE, "", "47421010A0A1FEF700",
     264840, 8, 48264, 0xB0A1, -1},  // 104 + (95 + 15 * 94) * 32 = 48264
    // One row B0 at 12x24 4bits (S = 144); the last record B0FE ends the file.
    {"gb2312 one row", K::Gb2312, 12, 24, 2, 3, 0xB0C5, 0xB0D0, "", "47420C18C5B0D0B002",
     27320, 4, 27176, 0xB0FE, -1},
    {"big5 default", K::Big5, 16, 16, 0, 4, 0xA140, 0xF9FF, "", "4247101040A1FFF900",
     458824, 4, 20584, 0xA4A1, -1},  // 104 + (95 + 3 * 160 + 65) * 32
    {"gbk default", K::Gbk, 16, 16, 0, 3, 0x8140, 0xFEBF, "", "474B10104081BFFE00",
     769224, 5, 291976, 0xB0A1, -1},  // 104 + (95 + 47 * 190 + 96) * 32
    {"unicode default", K::Unicode, 32, 32, 0, 3, 0x4E00, 0x9FA5, "", "756E2020004EA59F00",
     2708622, 10, 18070, 0x4E2D, 18069},  // width at 104 + 95 * 128 + 45 * 129
    {"unicode argb", K::Unicode, 3, 2, 4, 3, 0x0041, 0x0043, "", "756E03024100430004",
     1283, 1, 1258, 0x0042, 1257},  // S = 12: 104 + 95 * 12 + 3 * 13 bytes
    // W = 300 is stored as 44; the glyphs use all of it: S = 38 * 2, 'A' at 104 + 33 * 76.
    {"ascii W 300", K::Ascii, 300, 2, 0, 3, 0, 0, "", "41532C02FFFFFFFF00",
     7324, 100, 2612, 0x41, 42},
    // The fake width of U+00FF is 256: its width byte keeps the low 8 bits. 104 + 95.
    {"unicode width 256", K::Unicode, 8, 1, 0, 3, 0xFF, 0x100, "", "756E0801FF00000100",
     203, 2, 200, 0xFF, 199},
    {"ascii", K::Ascii, 32, 32, 0, 4, 0x1234, 0x0001, "", "41532020FFFFFFFF00",
     12264, 8, 4328, 0x41, 42},  // 'A' is slot 33: 104 + 33 * 128, width at 9 + 33
    {"string", K::String, 16, 16, 0, 3, 0, 0, "abcab c d", "535310100500554E00",
     184, -1, 86, 0x63, 85},  // units a b c space d; 'c' is record 2: 9 + 10 + 2 * 33
};

// Slot index of a 16x16 plan: its code, decoded text and flags (L left-aligned, M width
// measured, B the blank space). Slots 0..94 are the ASCII block.
struct SlotCase {
    const char* name;
    FontKind kind;
    int start, end, index, code, unit;  // unit 0: text not checked
    const char* flags;
};

const SlotCase kSlots[] = {
    {"gb2312 row end", K::Gb2312, 0xA1A0, 0xA2FE, 188, 0xA1FE, 0, ""},
    {"gb2312 next row", K::Gb2312, 0xA1A0, 0xA2FE, 189, 0xA2A1, 0, ""},
    {"gb2312 A3A1 left", K::Gb2312, 0xA1A1, 0xA4FE, 283, 0xA3A1, 0, "L"},
    {"gb2312 text", K::Gb2312, 0xB0A1, 0xB0A1, 95, 0xB0A1, 0x554A, ""},
    {"big5 7F", K::Big5, 0xA140, 0xA2FF, 158, 0xA17F, 0, ""},
    {"big5 A0", K::Big5, 0xA140, 0xA2FF, 159, 0xA1A0, 0, ""},
    {"big5 next row", K::Big5, 0xA140, 0xA2FF, 255, 0xA240, 0, ""},
    {"big5 A3A1 not left", K::Big5, 0xA140, 0xA4FF, 480, 0xA3A1, 0, ""},
    {"big5 text", K::Big5, 0xA440, 0xA440, 95, 0xA440, 0x4E00, ""},
    {"gbk 7E", K::Gbk, 0x8140, 0x81FE, 157, 0x817E, 0, ""},
    {"gbk 80", K::Gbk, 0x8140, 0x81FE, 158, 0x8180, 0, ""},
    {"gbk last", K::Gbk, 0x8140, 0x81FE, 284, 0x81FE, 0, ""},
    {"gbk A39F", K::Gbk, 0xA240, 0xA4FE, 379, 0xA39F, 0, "L"},
    {"gbk A3A0 listed", K::Gbk, 0xA240, 0xA4FE, 380, 0xA3A0, 0, "LM"},
    {"unicode 0020 drawn", K::Unicode, 0x0020, 0x0021, 95, 0x0020, ' ', "LM"},
    {"ascii space", K::Ascii, 0, 0, 0, 0x20, ' ', "LB"},
    {"ascii tilde", K::Ascii, 0, 0, 94, 0x7E, '~', "LM"},
};

struct RefusalCase {
    const char* name;
    FontKind kind;
    int w, h, format, start, end;
    const char* error;  // empty: accepted; a string font is of the text "a"
};

const RefusalCase kRefusals[] = {
    {"gb2312 start", K::Gb2312, 16, 16, 0, 0xA19F, 0xF7FE, "Font Start Code is less 0xA1A0"},
    {"gb2312 end", K::Gb2312, 16, 16, 0, 0xA1A0, 0xF7FF, "Font End Code is over 0xF7FE"},
    {"gb2312 order", K::Gb2312, 16, 16, 0, 0xB0A5, 0xB0A1, kOrder},
    {"big5 start", K::Big5, 16, 16, 0, 0xA13F, 0xF9FF, "Font Start Code is less 0xA140"},
    {"gbk ok", K::Gbk, 16, 16, 0, 0x8140, 0xFEFE, ""},
    {"gbk start", K::Gbk, 16, 16, 0, 0x813F, 0xFEFE, "Font Start Code is less 0x8140"},
    {"gbk end", K::Gbk, 16, 16, 0, 0x8140, 0xFEFF, "Font End Code is over 0xFEFE"},
    {"unicode order", K::Unicode, 16, 16, 0, 0x4E00, 0x4DFF, kOrder},
    {"unicode full", K::Unicode, 16, 16, 0, 0x0000, 0xFFFF, ""},
    {"W 0", K::Gb2312, 0, 16, 0, 0xA1A0, 0xF7FE, kCellError},
    {"range first", K::Big5, 0, 0, 0, 0xA000, 0xF9FF, "Font Start Code is less 0xA140"},
    {"string W 0", K::String, 0, 16, 0, 0, 0, kCellError},
    // 12 + 4 * H bytes at 8bits: 2^31 is refused, 2^31 - 4 is not.
    {"string 2^31", K::String, 4, 536870909, 3, 0, 0, kTooLarge},
    {"string 2^31 - 4", K::String, 4, 536870908, 3, 0, 0, ""},
    // 104 + 95 * 32768 + 65536 * 32769 bytes.
    {"too large", K::Unicode, 128, 128, 4, 0, 0xFFFF, kTooLarge},
    {"huge cell", K::Ascii, 0x7FFFFFFF, 0x7FFFFFFF, 4, 0, 0, kTooLarge},
};
// clang-format on

}  // namespace

Q_DECLARE_METATYPE(FileCase)
Q_DECLARE_METATYPE(SlotCase)
Q_DECLARE_METATYPE(RefusalCase)

// One row for each case, named after it; the test reads it as column "c".
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
        const CellSettings cell{c.w, c.h, c.format, c.divisor};
        QString error = QStringLiteral("stale");
        const FontPlan plan = c.kind == K::String
                                  ? FontPlan::ForString(cell, QString(c.text), &error)
                                  : FontPlan::ForLibrary(c.kind, cell, c.start, c.end, &error);
        QVERIFY(plan.isValid());
        QCOMPARE(error, QString());
        const QByteArray file = BuildFont(plan, FakeDraw(plan));
        QCOMPARE(file.size(), c.length);
        QCOMPARE(file.left(9).toHex(), QByteArray(c.header).toLower());
        const int s = int(plan.bytesPerGlyph());
        QCOMPARE(At(file, c.record), uchar(c.code & 0xFF));
        if (s > 1) QCOMPARE(At(file, c.record + 1), uchar(c.code >> 8));
        QCOMPARE(At(file, c.record + s - 1), uchar(s % 2 ? c.code & 0xFF : c.code >> 8));
        if (c.widthAt >= 0) QCOMPARE(At(file, c.widthAt), uchar((c.code & 0xFF) + 1));
        if (c.spaceWidth >= 0) {  // the ASCII block's space is blank, '!' keeps its drawn width
            QCOMPARE(At(file, 9), uchar(c.spaceWidth));
            QCOMPARE(file.mid(104, s), QByteArray(s, '\0'));
            QCOMPARE(At(file, 10), uchar(0x22));
        }
    }

    void glyphSlots_data() { AddRows(kSlots); }
    void glyphSlots() {
        QFETCH(SlotCase, c);
        const FontPlan plan =
            FontPlan::ForLibrary(c.kind, CellSettings{16, 16}, c.start, c.end, nullptr);
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
        const CellSettings cell{c.w, c.h, c.format};
        const FontPlan plan = c.kind == K::String
                                  ? FontPlan::ForString(cell, QStringLiteral("a"), &message)
                                  : FontPlan::ForLibrary(c.kind, cell, c.start, c.end, &message);
        QCOMPARE(message, QString(c.error));
        QCOMPARE(plan.isValid(), message.isEmpty());
        if (!plan.isValid()) QCOMPARE(plan.slotCount(), 0);
    }

    void stringFonts() {
        QString error = QStringLiteral("stale");
        QVERIFY(!FontPlan::ForString(CellSettings{0, 16}, QString(), &error).isValid());
        QCOMPARE(error, QString());  // nothing to do outranks a bad cell
        // Every unit once: the count 65536 is stored as 0, the table still holds all.
        QString all(0x10000, QChar());
        for (int u = 0; u < 0x10000; ++u) all[u] = QChar(ushort(0xFFFF - u));
        const FontPlan plan = FontPlan::ForString(CellSettings{1, 1}, all + all, &error);
        const QByteArray file = BuildFont(plan, FakeDraw(plan));
        QCOMPARE(file.size(), 9 + 65536 * 4);
        QCOMPARE(file.mid(4, 2).toHex(), QByteArray("0000"));
        QCOMPARE(file.mid(9, 4).toHex(), QByteArray("fffffeff"));
        QCOMPARE(file.right(2).toHex(), QByteArray("0100"));  // U+0000: width 1, glyph 00
    }

    void gbkWidthList() {
        auto listOf = [](FontKind kind, int start, int end) {
            const FontPlan plan =
                FontPlan::ForLibrary(kind, CellSettings{8, 8}, start, end, nullptr);
            GbkWidthList list;
            BuildFont(plan, FakeDraw(plan),
                      [&](int i, int width) { list.AddIfListed(plan, plan.slot(i), width); });
            return list.Text();
        };
        // Fake widths of A3A0..A3FE are 161..255: 17, then 16 a line, the last line 15.
        const QStringList lines = listOf(FontKind::Gbk, 0xA2A1, 0xA4A1).split("\r\n");
        QCOMPARE(lines.size(), 7);
        QCOMPARE(lines.first().left(11), QStringLiteral("{0,161,162,"));
        QCOMPARE(lines.at(5),
                 QStringLiteral("241,242,243,244,245,246,247,248,249,250,251,252,253,254,255,"));
        QCOMPARE(lines.last(), QStringLiteral("};"));
        const int counts[] = {17, 16, 16, 16, 16, 15};
        for (int i = 0; i < 6; ++i) QCOMPARE(lines.at(i).count(','), counts[i]);
        QCOMPARE(listOf(FontKind::Gbk, 0xB0A1, 0xB0FE), QStringLiteral("{0,\r\n};"));
        QCOMPARE(listOf(FontKind::Gb2312, 0xA3A1, 0xA3FE), QStringLiteral("{0,\r\n};"));
    }

    void chipAndTtfHeaders() {
        const QByteArray chip = ChipFontHeader(ChipFields());
        QCOMPARE(chip.left(9).toHex(), QByteArray("5a512020a0a1fef700"));
        QCOMPARE(chip.mid(9, 17), QByteArray("ZQ7MRPE4KHC\0\xFF\xFF\xFF\xFF\xFF", 17));
        QCOMPARE(chip.mid(26, 11).toHex(), QByteArray("801400f9ffffcbcecce500"));
        QCOMPARE(chip.mid(37), QByteArray(71, '\xFF'));  // and the header is 108 bytes
        const QByteArray ttf = TtfFontHeader(ChipFields());
        QCOMPARE(ttf.left(9).toHex(), QByteArray("54462020a0a1fef700"));
        QCOMPARE(ttf.mid(9, 17), QByteArray("KV7104 TTF Font\0\xFF", 17));
        QCOMPARE(ttf.mid(26), chip.mid(26));
        // Style flags: 0x80 | italic 1 | underline 2 | bold 4, in both headers.
        for (int bits = 0; bits < 8; ++bits) {
            ChipHeaderFields f = ChipFields();
            f.italic = bits & 1;
            f.underline = bits & 2;
            f.bold = bits & 4;
            QCOMPARE(int(At(ChipFontHeader(f), 26)), 0x80 | bits);
            QCOMPARE(int(At(TtfFontHeader(f), 26)), 0x80 | bits);
        }
        // A family under 76 bytes is stored whole; a longer one is cut to 55, its 0x00 at 87.
        for (const QPair<int, int> cut :
             {qMakePair(75, 107), qMakePair(76, 87), qMakePair(200, 87)}) {
            ChipHeaderFields f = ChipFields();
            f.family = QString(cut.first, 'm');
            const int zeroAt = cut.second;
            QCOMPARE(ChipFontHeader(f).mid(32),
                     QByteArray(zeroAt - 32, 'm') + '\0' + QByteArray(107 - zeroAt, '\xFF'));
        }
    }
};

QTEST_GUILESS_MAIN(TestFontPlan)
#include "test_font_plan.moc"
