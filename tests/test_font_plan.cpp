// File layouts checked at offsets worked out by hand. The fake drawer fills a
// glyph with the slot's code (low byte, high byte, repeating) and returns the
// code's low byte + 1 as its width, so every record says which code it holds.
#include <QtTest>

#include "generators/layout/chip_header.h"
#include "generators/layout/font_assembler.h"
#include "generators/layout/font_plan.h"
#include "generators/layout/gbk_width_list.h"

using namespace runemill;

Q_DECLARE_METATYPE(runemill::FontKind)
Q_DECLARE_METATYPE(runemill::CellSettings)

namespace {

const char kTooLarge[] =
    "The file would be 2 GB or larger; choose a smaller cell, pixel format or code range.";

CellSettings Cell(int w, int h, int format = 0, int divisor = 3) {
    CellSettings cell;
    cell.width = w;
    cell.height = h;
    cell.pixFormat = format;
    cell.spaceDivisor = divisor;
    return cell;
}

FontPlan Plan(FontKind kind, const CellSettings& cell, int start, int end, const QString& text,
              QString* error) {
    return kind == FontKind::String ? FontPlan::ForString(cell, text, error)
                                    : FontPlan::ForLibrary(kind, cell, start, end, error);
}

DrawGlyph FakeDraw(const FontPlan& plan) {
    const qint64 n = plan.bytesPerGlyph();
    return [n](const GlyphSlot& slot, uchar* packed) {
        for (qint64 j = 0; j < n; ++j) packed[j] = uchar(j % 2 ? slot.code >> 8 : slot.code);
        return (slot.code & 0xFF) + 1;
    };
}

uchar At(const QByteArray& file, int offset) { return uchar(file.at(offset)); }

}  // namespace

class TestFontPlan : public QObject {
    Q_OBJECT
  private slots:
    void contract_data();
    void contract();
    void slotSeams_data();
    void slotSeams();
    void slotFlags_data();
    void slotFlags();
    void spaceIsBlank_data();
    void spaceIsBlank();
    void refusals_data();
    void refusals();
    void headerKeepsLowBits();
    void stringEdgeCases();
    void gbkWidthList();
    void chipHeader();
    void chipFlags_data();
    void chipFlags();
    void chipFamilyCut_data();
    void chipFamilyCut();
    void ttfHeader();
};

void TestFontPlan::contract_data() {
    QTest::addColumn<FontKind>("kind");
    QTest::addColumn<CellSettings>("cell");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("length");
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<int>("recordOffset");  // packed glyph of the sampled code
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("widthOffset");  // -1: the file stores no width for it

    // 104 + (95 + 15 * 94) * 32 = 48264 for B0A1.
    QTest::newRow("gb2312 default")
        << FontKind::Gb2312 << Cell(16, 16) << 0xA1A0 << 0xF7FE << QString() << 264840
        << QByteArray::fromHex("47421010A0A1FEF700") << 48264 << 0xB0A1 << -1;
    // One row B0 at 12x24 4bits (S = 144); the last record B0FE ends the file.
    QTest::newRow("gb2312 one row")
        << FontKind::Gb2312 << Cell(12, 24, 2) << 0xB0C5 << 0xB0D0 << QString() << 27320
        << QByteArray::fromHex("47420C18C5B0D0B002") << 27176 << 0xB0FE << -1;
    // A4A1: 104 + (95 + 3 * 160 + 65) * 32.
    QTest::newRow("big5 default") << FontKind::Big5 << Cell(16, 16) << 0xA140 << 0xF9FF << QString()
                                  << 458824 << QByteArray::fromHex("42471010 40A1FFF900") << 20584
                                  << 0xA4A1 << -1;
    // B0A1: 104 + (95 + 47 * 190 + 96) * 32.
    QTest::newRow("gbk default") << FontKind::Gbk << Cell(16, 16) << 0x8140 << 0xFEBF << QString()
                                 << 769224 << QByteArray::fromHex("474B101040 81BFFE00") << 291976
                                 << 0xB0A1 << -1;
    // 4E2D: width at 104 + 95 * 128 + 45 * 129, glyph one byte later.
    QTest::newRow("unicode default")
        << FontKind::Unicode << Cell(32, 32) << 0x4E00 << 0x9FA5 << QString() << 2708622
        << QByteArray::fromHex("756E2020004EA59F00") << 18070 << 0x4E2D << 18069;
    // S = 12: 104 + 95 * 12 + 3 * 13 bytes.
    QTest::newRow("unicode argb") << FontKind::Unicode << Cell(3, 2, 4) << 0x0041 << 0x0043
                                  << QString() << 1283 << QByteArray::fromHex("756E0302410043 0004")
                                  << 1258 << 0x0042 << 1257;
    // 'A' is ASCII slot 33: glyph at 104 + 33 * 128, width at 9 + 33.
    QTest::newRow("ascii") << FontKind::Ascii << Cell(32, 32) << 0x1234 << 0x0001 << QString()
                           << 12264 << QByteArray::fromHex("41532020FFFFFFFF00") << 4328 << 0x41
                           << 42;
    // Units a b c space d; 'c' is record 2: 9 + 10 + 2 * 33.
    QTest::newRow("string") << FontKind::String << Cell(16, 16) << 0 << 0
                            << QStringLiteral("abcab c d") << 184
                            << QByteArray::fromHex("53531010 0500554E00") << 86 << 0x63 << 85;
}

void TestFontPlan::contract() {
    QFETCH(FontKind, kind);
    QFETCH(CellSettings, cell);
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(QString, text);
    QFETCH(int, length);
    QFETCH(QByteArray, header);
    QFETCH(int, recordOffset);
    QFETCH(int, code);
    QFETCH(int, widthOffset);

    QString error = QStringLiteral("stale");
    const FontPlan plan = Plan(kind, cell, start, end, text, &error);
    QVERIFY(plan.isValid());
    QCOMPARE(error, QString());
    const QByteArray file = BuildFont(plan, FakeDraw(plan));
    QCOMPARE(file.size(), length);
    QCOMPARE(file.left(9).toHex(), header.toHex());
    const int s = int(plan.bytesPerGlyph());
    QCOMPARE(At(file, recordOffset), uchar(code & 0xFF));
    QCOMPARE(At(file, recordOffset + 1), uchar(code >> 8));
    QCOMPARE(At(file, recordOffset + s - 1), uchar(s % 2 ? code & 0xFF : code >> 8));
    if (widthOffset >= 0) QCOMPARE(At(file, widthOffset), uchar((code & 0xFF) + 1));
}

void TestFontPlan::slotSeams_data() {
    QTest::addColumn<FontKind>("kind");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<int>("slotIndex");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");  // empty: not checked

    QTest::newRow("gb2312 first") << FontKind::Gb2312 << 0xA1A0 << 0xA2FE << 95 << 0xA1A1
                                  << QString();
    QTest::newRow("gb2312 row end")
        << FontKind::Gb2312 << 0xA1A0 << 0xA2FE << 188 << 0xA1FE << QString();
    QTest::newRow("gb2312 next row")
        << FontKind::Gb2312 << 0xA1A0 << 0xA2FE << 189 << 0xA2A1 << QString();
    QTest::newRow("gb2312 text") << FontKind::Gb2312 << 0xB0A1 << 0xB0A1 << 95 << 0xB0A1
                                 << QString(QChar(0x554A));
    QTest::newRow("big5 7F") << FontKind::Big5 << 0xA140 << 0xA2FF << 95 + 63 << 0xA17F
                             << QString();
    QTest::newRow("big5 A0") << FontKind::Big5 << 0xA140 << 0xA2FF << 95 + 64 << 0xA1A0
                             << QString();
    QTest::newRow("big5 A1A1") << FontKind::Big5 << 0xA140 << 0xA2FF << 95 + 65 << 0xA1A1
                               << QString();
    QTest::newRow("big5 FF") << FontKind::Big5 << 0xA140 << 0xA2FF << 95 + 159 << 0xA1FF
                             << QString();
    QTest::newRow("big5 next row")
        << FontKind::Big5 << 0xA140 << 0xA2FF << 95 + 160 << 0xA240 << QString();
    QTest::newRow("big5 text") << FontKind::Big5 << 0xA440 << 0xA440 << 95 << 0xA440
                               << QString(QChar(0x4E00));
    QTest::newRow("gbk 7E") << FontKind::Gbk << 0x8140 << 0x81FE << 95 + 62 << 0x817E << QString();
    QTest::newRow("gbk 80") << FontKind::Gbk << 0x8140 << 0x81FE << 95 + 63 << 0x8180 << QString();
    QTest::newRow("gbk last") << FontKind::Gbk << 0x8140 << 0x81FE << 95 + 189 << 0x81FE
                              << QString();
    QTest::newRow("gbk text") << FontKind::Gbk << 0xB0A1 << 0xB0A1 << 95 + 96 << 0xB0A1
                              << QString(QChar(0x554A));
    QTest::newRow("unicode text") << FontKind::Unicode << 0x4E00 << 0x4E01 << 96 << 0x4E01
                                  << QString(QChar(0x4E01));
    QTest::newRow("ascii tilde") << FontKind::Ascii << 0 << 0 << 94 << 0x7E << QStringLiteral("~");
}

void TestFontPlan::slotSeams() {
    QFETCH(FontKind, kind);
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(int, slotIndex);
    QFETCH(int, code);
    QFETCH(QString, text);
    const FontPlan plan = FontPlan::ForLibrary(kind, Cell(16, 16), start, end, nullptr);
    QVERIFY(plan.isValid());
    QCOMPARE(QString::number(plan.slot(slotIndex).code, 16), QString::number(code, 16));
    if (!text.isEmpty()) QCOMPARE(plan.slot(slotIndex).text, text);
}

void TestFontPlan::slotFlags_data() {
    QTest::addColumn<FontKind>("kind");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<int>("slotIndex");
    QTest::addColumn<bool>("left");
    QTest::addColumn<bool>("measure");
    QTest::addColumn<int>("slotCount");

    QTest::newRow("gb2312 ascii") << FontKind::Gb2312 << 0xA1A1 << 0xA4FE << 40 << true << true
                                  << 471;
    QTest::newRow("gb2312 A1A1") << FontKind::Gb2312 << 0xA1A1 << 0xA4FE << 95 << false << false
                                 << 471;
    QTest::newRow("gb2312 A3A1") << FontKind::Gb2312 << 0xA1A1 << 0xA4FE << 283 << true << false
                                 << 471;
    QTest::newRow("gb2312 A4A1") << FontKind::Gb2312 << 0xA1A1 << 0xA4FE << 377 << false << false
                                 << 471;
    QTest::newRow("gbk A340") << FontKind::Gbk << 0xA240 << 0xA4FE << 285 << true << false << 665;
    QTest::newRow("gbk A39F") << FontKind::Gbk << 0xA240 << 0xA4FE << 379 << true << false << 665;
    QTest::newRow("gbk A3A0") << FontKind::Gbk << 0xA240 << 0xA4FE << 380 << true << true << 665;
    QTest::newRow("gbk A440") << FontKind::Gbk << 0xA240 << 0xA4FE << 475 << false << false << 665;
    QTest::newRow("big5 A3A1") << FontKind::Big5 << 0xA140 << 0xA4FF << 480 << false << false
                               << 735;
    QTest::newRow("unicode") << FontKind::Unicode << 0x4E00 << 0x4E00 << 95 << true << true << 96;
    QTest::newRow("ascii space") << FontKind::Ascii << 0 << 0 << 0 << true << false << 95;
}

void TestFontPlan::slotFlags() {
    QFETCH(FontKind, kind);
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(int, slotIndex);
    QFETCH(bool, left);
    QFETCH(bool, measure);
    QFETCH(int, slotCount);
    const FontPlan plan = FontPlan::ForLibrary(kind, Cell(16, 16), start, end, nullptr);
    QCOMPARE(plan.slotCount(), slotCount);
    QCOMPARE(plan.slot(slotIndex).leftAligned, left);
    QCOMPARE(plan.slot(slotIndex).measureWidth, measure);
}

void TestFontPlan::spaceIsBlank_data() {
    QTest::addColumn<FontKind>("kind");
    QTest::addColumn<int>("divisor");
    QTest::addColumn<int>("spaceWidth");
    QTest::newRow("ascii 1/4") << FontKind::Ascii << 4 << 5;
    QTest::newRow("gb2312 1/2") << FontKind::Gb2312 << 2 << 10;
    QTest::newRow("unicode 1/3") << FontKind::Unicode << 3 << 6;
}

void TestFontPlan::spaceIsBlank() {
    QFETCH(FontKind, kind);
    QFETCH(int, divisor);
    QFETCH(int, spaceWidth);
    // W = 20, H = 4, 1bits: S = 12. The Unicode range starts with its own space.
    const bool unicode = kind == FontKind::Unicode;
    const FontPlan plan = FontPlan::ForLibrary(
        kind, Cell(20, 4, 0, divisor), unicode ? 0x20 : 0xB0A1, unicode ? 0x21 : 0xB0A1, nullptr);
    const QByteArray file = BuildFont(plan, FakeDraw(plan));
    QCOMPARE(At(file, 9), uchar(spaceWidth));
    QCOMPARE(file.mid(104, 12), QByteArray(12, '\0'));
    QCOMPARE(At(file, 10), uchar(0x22));  // '!' keeps its drawn width
    QCOMPARE(At(file, 116), uchar(0x21));
    if (kind == FontKind::Unicode) {
        // Only the ASCII block's space is special: U+0020 here is drawn as is.
        const int record = 104 + 95 * 12;
        QCOMPARE(At(file, record), uchar(0x21));
        QCOMPARE(At(file, record + 1), uchar(0x20));
    }
}

void TestFontPlan::refusals_data() {
    QTest::addColumn<FontKind>("kind");
    QTest::addColumn<CellSettings>("cell");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<QString>("error");  // empty: accepted

    const CellSettings c = Cell(16, 16);
    const QString order = QStringLiteral("Error for start code > end code. And stop.");
    const QString cellError = QStringLiteral("W and H must be at least 1.");
    QTest::newRow("gb2312 ok") << FontKind::Gb2312 << c << 0xA1A0 << 0xF7FE << QString();
    QTest::newRow("gb2312 start") << FontKind::Gb2312 << c << 0xA19F << 0xF7FE
                                  << QStringLiteral("Font Start Code is less 0xA1A0");
    QTest::newRow("gb2312 end") << FontKind::Gb2312 << c << 0xA1A0 << 0xF7FF
                                << QStringLiteral("Font End Code is over 0xF7FE");
    QTest::newRow("gb2312 both") << FontKind::Gb2312 << c << 0x8140 << 0xFFFF
                                 << QStringLiteral("Font Start Code is less 0xA1A0");
    QTest::newRow("gb2312 order") << FontKind::Gb2312 << c << 0xB0A5 << 0xB0A1 << order;
    QTest::newRow("big5 ok") << FontKind::Big5 << c << 0xA140 << 0xF9FF << QString();
    QTest::newRow("big5 start") << FontKind::Big5 << c << 0xA13F << 0xF9FF
                                << QStringLiteral("Font Start Code is less 0xA140");
    QTest::newRow("big5 end") << FontKind::Big5 << c << 0xA140 << 0xFA00
                              << QStringLiteral("Font End Code is over 0xF9FF");
    QTest::newRow("gbk ok") << FontKind::Gbk << c << 0x8140 << 0xFEFE << QString();
    QTest::newRow("gbk start") << FontKind::Gbk << c << 0x813F << 0xFEFE
                               << QStringLiteral("Font Start Code is less 0x8140");
    QTest::newRow("gbk end") << FontKind::Gbk << c << 0x8140 << 0xFEFF
                             << QStringLiteral("Font End Code is over 0xFEFE");
    QTest::newRow("unicode order") << FontKind::Unicode << c << 0x4E00 << 0x4DFF << order;
    QTest::newRow("unicode full") << FontKind::Unicode << c << 0x0000 << 0xFFFF << QString();
    QTest::newRow("ascii any codes") << FontKind::Ascii << c << 0xF000 << 0x0001 << QString();
    QTest::newRow("W 0") << FontKind::Gb2312 << Cell(0, 16) << 0xA1A0 << 0xF7FE << cellError;
    QTest::newRow("H 0") << FontKind::Ascii << Cell(16, 0) << 0 << 0 << cellError;
    QTest::newRow("range first") << FontKind::Big5 << Cell(0, 0) << 0xA000 << 0xF9FF
                                 << QStringLiteral("Font Start Code is less 0xA140");
    // 104 + 95 * 32768 + 65536 * 32769 bytes.
    QTest::newRow("too large") << FontKind::Unicode << Cell(128, 128, 4) << 0 << 0xFFFF
                               << QString(kTooLarge);
    QTest::newRow("huge cell") << FontKind::Ascii << Cell(0x7FFFFFFF, 0x7FFFFFFF, 4) << 0 << 0
                               << QString(kTooLarge);
}

void TestFontPlan::refusals() {
    QFETCH(FontKind, kind);
    QFETCH(CellSettings, cell);
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(QString, error);
    QString message = QStringLiteral("stale");
    const FontPlan plan = FontPlan::ForLibrary(kind, cell, start, end, &message);
    QCOMPARE(message, error);
    QCOMPARE(plan.isValid(), error.isEmpty());
    if (!plan.isValid()) QCOMPARE(plan.slotCount(), 0);
}

void TestFontPlan::headerKeepsLowBits() {
    // W = 300 is stored as 44; the glyphs use all of it: S = 38 * 2.
    const FontPlan ascii = FontPlan::ForLibrary(FontKind::Ascii, Cell(300, 2), 0, 0, nullptr);
    QCOMPARE(ascii.fileSize(), qint64(104 + 95 * 76));
    const QByteArray file = BuildFont(ascii, FakeDraw(ascii));
    QCOMPARE(At(file, 2), uchar(44));
    QCOMPARE(At(file, 9), uchar(100));
    // The fake width of U+00FF is 256: its width byte keeps the low 8 bits.
    const FontPlan unicode =
        FontPlan::ForLibrary(FontKind::Unicode, Cell(8, 1), 0xFE, 0xFF, nullptr);
    QCOMPARE(BuildFont(unicode, FakeDraw(unicode)).right(4).toHex(), QByteArray("fffe00ff"));
}

void TestFontPlan::stringEdgeCases() {
    QString error = QStringLiteral("stale");
    QVERIFY(!FontPlan::ForString(Cell(16, 16), QString(), &error).isValid());
    QCOMPARE(error, QString());
    QVERIFY(!FontPlan::ForString(Cell(0, 16), QString(), &error).isValid());
    QCOMPARE(error, QString());  // nothing to do outranks a bad cell
    QVERIFY(!FontPlan::ForString(Cell(0, 16), QStringLiteral("a"), &error).isValid());
    QCOMPARE(error, QStringLiteral("W and H must be at least 1."));
    // 12 + 4 * H bytes at 8bits: 2^31 is refused, 2^31 - 4 is not.
    QVERIFY(!FontPlan::ForString(Cell(4, 536870909, 3), QStringLiteral("a"), &error).isValid());
    QCOMPARE(error, QString(kTooLarge));
    QVERIFY(FontPlan::ForString(Cell(4, 536870908, 3), QStringLiteral("a"), &error).isValid());

    // Every unit once: the count 65536 is stored as 0, the table still holds all.
    QString all(0x10000, QChar());
    for (int u = 0; u < 0x10000; ++u) all[u] = QChar(ushort(0xFFFF - u));
    const FontPlan plan = FontPlan::ForString(Cell(1, 1), all + all, &error);
    QCOMPARE(plan.slotCount(), 65536);
    const QByteArray file = BuildFont(plan, FakeDraw(plan));
    QCOMPARE(file.size(), 9 + 65536 * 4);
    QCOMPARE(file.mid(4, 2).toHex(), QByteArray("0000"));
    QCOMPARE(file.mid(9, 4).toHex(), QByteArray("fffffeff"));
    QCOMPARE(file.right(2).toHex(), QByteArray("0100"));  // record of U+0000: width 1, glyph 00
}

void TestFontPlan::gbkWidthList() {
    auto listOf = [](FontKind kind, int start, int end) {
        const FontPlan plan = FontPlan::ForLibrary(kind, Cell(8, 8), start, end, nullptr);
        GbkWidthList list;
        BuildFont(plan, FakeDraw(plan),
                  [&](int index, int width) { list.AddIfListed(plan, plan.slot(index), width); });
        return list.Text();
    };
    const QStringList lines = listOf(FontKind::Gbk, 0xA2A1, 0xA4A1).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 7);
    QCOMPARE(lines.first().left(11), QStringLiteral("{0,161,162,"));
    QCOMPARE(lines.at(1).left(4), QStringLiteral("177,"));
    QCOMPARE(lines.at(5),
             QStringLiteral("241,242,243,244,245,246,247,248,249,250,251,252,253,254,255,"));
    QCOMPARE(lines.last(), QStringLiteral("};"));
    const int expectedCounts[] = {17, 16, 16, 16, 16, 15};
    for (int i = 0; i < 6; ++i) QCOMPARE(lines.at(i).count(QLatin1Char(',')), expectedCounts[i]);

    QCOMPARE(listOf(FontKind::Gbk, 0xB0A1, 0xB0FE), QStringLiteral("{0,\r\n};"));
    QCOMPARE(listOf(FontKind::Gb2312, 0xA3A1, 0xA3FE), QStringLiteral("{0,\r\n};"));
    QCOMPARE(listOf(FontKind::Unicode, 0xA3A0, 0xA3A5), QStringLiteral("{0,\r\n};"));
}

static ChipHeaderFields DefaultChipFields() {
    ChipHeaderFields f;
    f.y0 = -7;
    f.family = QString::fromUtf8("宋体");
    return f;
}

void TestFontPlan::chipHeader() {
    const QByteArray h = ChipFontHeader(DefaultChipFields());
    QCOMPARE(h.size(), 108);
    QCOMPARE(h.left(9).toHex(), QByteArray("5a512020a0a1fef700"));
    QCOMPARE(h.mid(9, 12), QByteArray("ZQ7MRPE4KHC", 12));
    QCOMPARE(h.mid(21, 5), QByteArray(5, '\xFF'));
    QCOMPARE(h.mid(26, 10).toHex(), QByteArray("801400f9ffffcbcecce5"));
    QCOMPARE(At(h, 36), uchar(0));
    QCOMPARE(h.mid(37), QByteArray(71, '\xFF'));
}

void TestFontPlan::chipFlags_data() {
    QTest::addColumn<bool>("italic");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<int>("flags");
    QTest::newRow("italic") << true << false << false << 0x81;
    QTest::newRow("underline") << false << true << false << 0x82;
    QTest::newRow("bold") << false << false << true << 0x84;
    QTest::newRow("all") << true << true << true << 0x87;
}

void TestFontPlan::chipFlags() {
    QFETCH(bool, italic);
    QFETCH(bool, underline);
    QFETCH(bool, bold);
    QFETCH(int, flags);
    ChipHeaderFields f = DefaultChipFields();
    f.italic = italic;
    f.underline = underline;
    f.bold = bold;
    QCOMPARE(int(At(ChipFontHeader(f), 26)), flags);
    QCOMPARE(int(At(TtfFontHeader(f), 26)), flags);
}

void TestFontPlan::chipFamilyCut_data() {
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("zeroAt");
    QTest::newRow("75 whole") << 75 << 107;
    QTest::newRow("76 cut") << 76 << 87;
    QTest::newRow("200 cut") << 200 << 87;
}

void TestFontPlan::chipFamilyCut() {
    QFETCH(int, length);
    QFETCH(int, zeroAt);
    ChipHeaderFields f = DefaultChipFields();
    f.family = QString(length, QLatin1Char('m'));
    const QByteArray h = ChipFontHeader(f);
    QCOMPARE(h.size(), 108);
    QCOMPARE(h.mid(32, zeroAt - 32), QByteArray(zeroAt - 32, 'm'));
    QCOMPARE(At(h, zeroAt), uchar(0));
    QCOMPARE(h.mid(zeroAt + 1), QByteArray(107 - zeroAt, '\xFF'));
}

void TestFontPlan::ttfHeader() {
    const QByteArray chip = ChipFontHeader(DefaultChipFields());
    const QByteArray ttf = TtfFontHeader(DefaultChipFields());
    QCOMPARE(ttf.size(), 108);
    QCOMPARE(ttf.left(9).toHex(), QByteArray("54462020a0a1fef700"));
    QCOMPARE(ttf.mid(9, 17), QByteArray("KV7104 TTF Font\0\xFF", 17));
    QCOMPARE(ttf.mid(26, 4).toHex(), QByteArray("801400f9"));
    for (int i = 0; i < 108; ++i) {
        if (i < 2 || (i >= 9 && i <= 25)) continue;
        QVERIFY2(chip.at(i) == ttf.at(i), qPrintable(QString::number(i)));
    }
}

QTEST_GUILESS_MAIN(TestFontPlan)
#include "test_font_plan.moc"
