// u8g2 fonts written as C source, read naively from u8g2's published font format alone: a
// 23-byte header, the records of codes below 256, then the jump table and the records past 255.
#include <QRegularExpression>

#include "target_readers.h"

namespace {

// The numbers between the braces, after checking the declared length.
QByteArray ArrayBytes(const QByteArray& source) {
    static const QRegularExpression declaration(R"(\[(\d+)\][^=]*=\s*\{([^}]*)\})"), space("\\s");
    const auto match = declaration.match(QString::fromUtf8(source));
    QByteArray bytes;
    for (const QString& item : match.captured(2).remove(space).split(',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const uint value = item.toUInt(&ok, 0);
        if (!ok || value > 255) return QByteArray();
        bytes.append(char(value));
    }
    return match.hasMatch() && bytes.size() == match.captured(1).toInt() ? bytes : QByteArray();
}

struct Font {
    QByteArray data;
    int at(int i) const { return i >= 0 && i < data.size() ? uchar(data.at(i)) : -1; }
    int word(int i) const { return at(i) < 0 || at(i + 1) < 0 ? -1 : at(i) * 256 + at(i + 1); }
};

// Bits come from the low end of each byte first.
struct Bits {
    const Font& font;
    int pos;  // in bits
    int get(int count) {
        int value = 0;
        for (int i = 0; i < count; ++i, ++pos) value |= ((font.at(pos / 8) >> (pos % 8)) & 1) << i;
        return value;
    }
    int getSigned(int count) { return get(count) - (1 << (count - 1)); }
};

// Where u8g2 would find the record of `code` (its first byte), or -1.
int FindRecord(const Font& f, uint code) {
    int p = 23 + (code >= 'a' ? f.word(19) : code >= 'A' ? f.word(17) : 0);
    if (code < 256) {
        for (int guard = 0; guard < 256 && f.at(p + 1) > 0; ++guard) {
            if (uint(f.at(p)) == code) return p;
            p += f.at(p + 1);
        }
        return -1;
    }
    int table = 23 + f.word(21), last = 0;
    p = table;
    do {
        if (f.word(table) < 0) return -1;
        p += f.word(table);
        last = f.word(table + 2);
        table += 4;
    } while (uint(last) < code);
    // u8g2 would walk on into the next block; a table naming each block's last code never needs it.
    const int blockEnd = last == 0xFFFF ? INT_MAX : p + f.word(table);
    for (int guard = 0; guard < 70000 && f.word(p) > 0 && p < blockEnd; ++guard) {
        if (uint(f.word(p)) == code) return p;
        if (f.at(p + 2) <= 0) return -1;
        p += f.at(p + 2);
    }
    return -1;
}

// Draws the record at `p` onto the cell; false when it is malformed.
bool DrawRecord(const Font& f, int p, bool wide, int w, int h, int baseline, DecodedGlyph* out) {
    const int dataStart = p + (wide ? 3 : 2);
    const int recordEnd = p + f.at(p + (wide ? 2 : 1));
    Bits bits{f, dataStart * 8};
    const int bw = bits.get(f.at(4)), bh = bits.get(f.at(5));
    const int x = bits.getSigned(f.at(6)), y = bits.getSigned(f.at(7));
    out->advance = bits.getSigned(f.at(8));
    out->levels = QByteArray(w * h, '\0');
    if (bw == 0) return bh == 0;
    const int top = baseline - (bh + y);
    if (x < 0 || top < 0 || x + bw > w || top + bh > h) return false;
    int pixel = 0;
    const auto paint = [&](int count, char value) {
        for (int i = 0; i < count; ++i, ++pixel) {
            if (pixel >= bw * bh) return false;
            out->levels[(top + pixel / bw) * w + x + pixel % bw] = value;
        }
        return true;
    };
    while (pixel < bw * bh) {
        const int zeros = bits.get(f.at(2)), ones = bits.get(f.at(3));
        if (zeros + ones == 0) return false;
        do {
            if (!paint(zeros, 0) || !paint(ones, 1)) return false;
        } while (bits.get(1) == 1);
    }
    return (bits.pos + 7) / 8 <= recordEnd;
}

}  // namespace

DecodedFont ReadU8g2ForTest(const QByteArray& cSource, int w, int h) {
    const Font f{ArrayBytes(cSource)};
    if (f.data.size() < 23 || f.at(9) != w || f.at(10) != h) return {};
    const int baseline = h + qint8(f.at(12));  // the font box's bottom is the cell's
    // Every record in turn, drawn from where u8g2 finds its code (nowhere: out of u8g2's reach).
    DecodedFont font;
    const auto take = [&](uint code) {
        const int record = FindRecord(f, code);
        DecodedGlyph glyph;
        if (record >= 0 && !DrawRecord(f, record, code >= 256, w, h, baseline, &glyph))
            return false;
        if (record >= 0) font.insert(code, glyph);
        return true;
    };
    int p = 23;
    for (; f.at(p + 1) > 0; p += f.at(p + 1))
        if (!take(uint(f.at(p)))) return {};
    if (f.at(p + 1) != 0 || 23 + f.word(21) != p + 2) return {};
    // The first jump-table entry leads past the table.
    for (p += 2 + f.word(p + 2); f.word(p) > 0 && f.at(p + 2) > 0; p += f.at(p + 2))
        if (!take(uint(f.word(p)))) return {};
    return f.word(p) == 0 && p + 2 == f.data.size() ? font : DecodedFont();
}
