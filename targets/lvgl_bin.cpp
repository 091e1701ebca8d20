// LVGL's binary font, as its run-time loader (lv_binfont_create in LVGL 9,
// lv_font_load in LVGL 8) reads it: the tables head, cmap, loca and glyf,
// each a 32-bit little-endian size (the whole table) and a 4-letter tag.
#include <QtEndian>
#include <algorithm>
#include <climits>

#include "targets/lvgl_glyphs.h"
#include "targets/target_font.h"

namespace runemill {

namespace {

// A cmap header is 16 bytes; a blank glyph number a loca entry and a record.
constexpr lvgl::CmapCosts kCmapCosts{16, 5};

constexpr int kHeadSize = 48;
constexpr int kCmapHeaderSize = 12;
constexpr int kSubtableSize = 16;
constexpr int kLocaHeaderSize = 12;
constexpr int kGlyfHeaderSize = 8;

template <typename T>
void Put(QByteArray* out, int offset, T value) {
    qToLittleEndian(value, out->data() + offset);
}

template <typename T>
void Append(QByteArray* out, T value) {
    const int at = out->size();
    out->resize(at + int(sizeof(T)));
    Put(out, at, value);
}

QByteArray Table(const char* tag, QByteArray body) {
    QByteArray table(8, '\0');
    table += body;
    table.append(-table.size() & 3, '\0');  // zeros to a multiple of 4
    Put(&table, 0, quint32(table.size()));
    table.replace(4, 4, tag, 4);
    return table;
}

int UnsignedBits(int value) {
    int bits = 0;
    while ((value >> bits) != 0) ++bits;
    return bits;
}

int SignedBits(int value) { return UnsignedBits(value < 0 ? ~value : value) + 1; }

struct FieldBits {
    int advance = 0;  // 0: every glyph advances the header's default
    int defaultAdvance = 0;
    int offset = 1;
    int size = 1;
};

FieldBits ChooseFieldBits(const lvgl::Font& laid) {
    FieldBits bits;
    int maxAdvance = 0;
    bool oneAdvance = true;
    int firstAdvance = -1;
    for (const lvgl::Glyph& glyph : laid.glyphs) {
        bits.offset = std::max({bits.offset, SignedBits(glyph.offsetX), SignedBits(glyph.offsetY)});
        bits.size =
            std::max({bits.size, UnsignedBits(glyph.boxWidth), UnsignedBits(glyph.boxHeight)});
        if (&glyph == &laid.glyphs.first()) continue;  // number 0 takes no advance
        maxAdvance = std::max(maxAdvance, glyph.advance);
        if (firstAdvance < 0) firstAdvance = glyph.advance;
        oneAdvance = oneAdvance && glyph.advance == firstAdvance;
    }
    if (oneAdvance) {
        bits.defaultAdvance = firstAdvance;
    } else {
        bits.advance = std::max(1, UnsignedBits(maxAdvance));
    }
    return bits;
}

QByteArray Head(const TargetFont& font, const lvgl::Font& laid, const FieldBits& bits,
                bool longOffsets) {
    int minY = INT_MAX, maxY = INT_MIN;
    for (const lvgl::Glyph& glyph : laid.glyphs)
        if (glyph.boxHeight > 0) {
            minY = std::min(minY, glyph.offsetY);
            maxY = std::max(maxY, glyph.offsetY + glyph.boxHeight);
        }
    if (minY > maxY) minY = maxY = 0;  // no ink at all
    QByteArray body(kHeadSize - 8, '\0');
    Put(&body, 0, quint32(1));               // version
    Put(&body, 4, quint16(3));               // tables after head: cmap, loca, glyf
    Put(&body, 6, quint16(font.height));     // font size
    Put(&body, 8, quint16(font.baseline));   // ascent
    Put(&body, 10, qint16(-laid.baseLine));  // descent
    Put(&body, 12, quint16(font.baseline));  // typographic ascent
    Put(&body, 14, qint16(-laid.baseLine));  // typographic descent
    Put(&body, 18, qint16(minY));
    Put(&body, 20, qint16(maxY));
    Put(&body, 22, quint16(bits.defaultAdvance));
    body[26] = char(longOffsets ? 1 : 0);               // loca entries of 32 bits
    body[27] = char(laid.glyphs.size() > 256 ? 1 : 0);  // glyph numbers of 16 bits
    body[28] = 0;                                       // advances in whole pixels
    body[29] = char(font.bpp);
    body[30] = char(bits.offset);
    body[31] = char(bits.size);
    body[32] = char(bits.advance);
    body[33] = 0;  // bitmaps not compressed
    Put(&body, 36, qint16(laid.underlinePosition));
    Put(&body, 38, quint16(laid.underlineThickness));
    return Table("head", body);
}

QByteArray Cmaps(const lvgl::Font& laid) {
    QByteArray headers;
    QByteArray lists;
    const int dataStart = kCmapHeaderSize + kSubtableSize * laid.cmaps.size();
    for (const lvgl::Cmap& cmap : laid.cmaps) {
        const bool sparse = cmap.type == lvgl::kCmapSparseTiny;
        Append(&headers, quint32(sparse ? dataStart + lists.size() : 0));
        Append(&headers, quint32(cmap.rangeStart));
        Append(&headers, quint16(cmap.rangeLength));
        Append(&headers, quint16(cmap.firstGlyph));
        Append(&headers, quint16(cmap.offsets.size()));
        Append(&headers, quint8(cmap.type));
        Append(&headers, quint8(0));
        for (quint16 offset : cmap.offsets) Append(&lists, offset);
        lists.append(-lists.size() & 3, '\0');
    }
    QByteArray body;
    Append(&body, quint32(laid.cmaps.size()));
    return Table("cmap", body + headers + lists);
}

}  // namespace

QByteArray WriteLvglBin(const TargetFont& font, QString* problem) {
    const lvgl::Font laid = lvgl::LayOut(font, kCmapCosts, problem);
    if (laid.glyphs.isEmpty()) return QByteArray();
    const FieldBits bits = ChooseFieldBits(laid);

    // Each glyph a bit stream from a byte: advance, offsets, box, then its
    // levels at bpp bits, padded to a byte.
    const int recordBits = bits.advance + 2 * bits.offset + 2 * bits.size;
    qint64 glyphBytes = 0;
    for (const lvgl::Glyph& glyph : laid.glyphs)
        glyphBytes += (recordBits + qint64(glyph.boxWidth) * glyph.boxHeight * font.bpp + 7) / 8;
    lvgl::BitWriter glyphs;
    glyphs.Reserve(glyphBytes);
    QVector<quint32> offsets;
    offsets.reserve(laid.glyphs.size());
    const int levelsAtOnce = 32 / font.bpp;
    QByteArray boxLevels;
    for (const lvgl::Glyph& glyph : laid.glyphs) {
        offsets.append(quint32(kGlyfHeaderSize + glyphs.WholeBytes()));
        if (bits.advance > 0) glyphs.Put(uint(glyph.advance), bits.advance);
        glyphs.Put(uint(glyph.offsetX), bits.offset);
        glyphs.Put(uint(glyph.offsetY), bits.offset);
        glyphs.Put(uint(glyph.boxWidth), bits.size);
        glyphs.Put(uint(glyph.boxHeight), bits.size);
        // Up to 32 bits of levels at a time.
        lvgl::BoxLevels(glyph, &boxLevels);
        const auto* levels = reinterpret_cast<const uchar*>(boxLevels.constData());
        for (int i = 0, count = boxLevels.size(); i < count;) {
            const int n = std::min(levelsAtOnce, count - i);
            uint word = 0;
            for (const int end = i + n; i < end; ++i) word = word << font.bpp | levels[i];
            glyphs.Put(word, n * font.bpp);
        }
        glyphs.PadToByte();
    }
    const bool longOffsets = offsets.last() > 0xFFFF;
    QByteArray loca;
    Append(&loca, quint32(offsets.size()));
    for (quint32 offset : offsets) {
        if (longOffsets) {
            Append(&loca, offset);
        } else {
            Append(&loca, quint16(offset));
        }
    }
    const QByteArray head = Head(font, laid, bits, longOffsets);
    const QByteArray cmaps = Cmaps(laid);
    const QByteArray locaTable = Table("loca", loca);
    // The glyphs straight into the file: a CJK font's take megabytes.
    QByteArray file;
    file.reserve(head.size() + cmaps.size() + locaTable.size() + kGlyfHeaderSize +
                 glyphs.WholeBytes());
    file += head;
    file += cmaps;
    file += locaTable;
    const int glyf = file.size();
    file.append(kGlyfHeaderSize, '\0');
    glyphs.AppendTo(&file);
    Put(&file, glyf, quint32(file.size() - glyf));
    file.replace(glyf + 4, 4, "glyf", 4);
    return file;
}

}  // namespace runemill
