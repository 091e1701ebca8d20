// LVGL's two font forms read naively from LVGL's public descriptions: the lv_font_fmt_txt
// structures of a C font, and the head, cmap, loca and glyf tables of the binary font.
#include <QMap>
#include <QRegularExpression>
#include <QVector>
#include <QtEndian>
#include <functional>

#include "target_readers.h"

namespace {

// One glyph as LVGL describes it: advance in 1/16 px, box, offsets, bitmap start.
struct Described {
    qint64 advance16 = 0;
    int ofsX = 0, ofsY = 0, boxW = 0, boxH = 0;
    qint64 bitmapBit = 0;  // where its bitmap starts in `bitmap`, in bits
    qint64 number = -1;    // its glyph number; -1 where there is none
};
using ByNumber = std::function<Described(qint64)>;

// A cmap: codes start + offsets[i] have glyph numbers first + i; a range's offsets are
// 0 .. length - 1.
struct Cmap {
    qint64 start = 0, length = 0, first = 0;
    bool range = false;
    QVector<qint64> offsets;
};

struct Decoder {
    QByteArray bitmap;
    bool compressed = false;
    int bpp = 0, lineHeight = 0, baseLine = 0;
};

// Bits most significant first; reading past the end fails.
struct Bits {
    const QByteArray& data;
    qint64 pos;
    bool failed = false;
    uint Take(int n) {
        uint value = 0;
        for (int i = 0; i < n; ++i, ++pos) {
            failed = failed || pos / 8 >= data.size();
            value = value << 1 | (failed ? 0 : (quint8(data[int(pos / 8)]) >> (7 - pos % 8)) & 1u);
        }
        return value;
    }
    int TakeSigned(int n) {
        const uint value = Take(n);
        return n > 0 && (value >> (n - 1)) & 1u ? int(value) - (1 << n) : int(value);
    }
};

// The plain bitmap, or LVGL's run-length code with each row XORed to the row above; empty
// where the bitmap ends too soon.
QByteArray Levels(const Decoder& font, const Described& glyph) {
    const int count = glyph.boxW * glyph.boxH;
    QByteArray out(count, '\0');
    Bits in{font.bitmap, glyph.bitmapBit};
    enum { kSingle, kRepeat, kCounter } state = kSingle;
    int previous = 0, counter = 0;
    const auto fresh = [&] {
        state = kSingle;
        return previous = int(in.Take(font.bpp));
    };
    for (int i = 0; i < count; ++i) {
        int value = previous;
        if (!font.compressed || state == kSingle) {
            value = int(in.Take(font.bpp));
            if (font.compressed && i > 0 && value == previous) state = kRepeat, counter = 0;
            previous = value;
        } else if (state == kRepeat) {
            if (in.Take(1) == 0) {
                value = fresh();
            } else if (++counter == 11) {
                counter = int(in.Take(6));
                state = kCounter;
                if (counter == 0) value = fresh();
            }
        } else if (--counter == 0) {
            value = fresh();
        }
        out[i] = char(value);
    }
    if (font.compressed)
        for (int i = glyph.boxW; i < count; ++i) out[i] = char(out[i] ^ out[i - glyph.boxW]);
    return in.failed ? QByteArray() : out;
}

// Draws each code's glyph onto the w x h cell; empty when anything is off. LVGL 8 also takes
// the code just past a range as the range's, to the glyph number just past it: that number must
// draw that code's glyph, or nothing where the font lacks the code.
DecodedFont Draw(const Decoder& font, const QVector<Cmap>& cmaps, const ByNumber& byNumber, int w,
                 int h) {
    QMap<uint, Described> glyphs;
    for (const Cmap& cmap : cmaps)
        for (qint64 i = 0; i < (cmap.range ? cmap.length : cmap.offsets.size()); ++i) {
            const qint64 offset = cmap.range ? i : cmap.offsets[int(i)];
            const Described g = byNumber(cmap.first + i);
            const uint code = uint(cmap.start + offset);
            if (offset >= cmap.length || g.number < 0 || glyphs.contains(code)) return {};
            glyphs.insert(code, g);
        }
    for (const Cmap& cmap : cmaps) {
        const uint past = uint(cmap.start + cmap.length);
        const Described g = byNumber(cmap.first + cmap.length);
        if (cmap.range && (glyphs.contains(past) ? glyphs[past].number != cmap.first + cmap.length
                                                 : g.number < 0 || g.boxW * g.boxH != 0))
            return {};
    }
    DecodedFont out;
    if (font.lineHeight != h || font.baseLine < 0 || font.baseLine > h) return {};
    for (auto it = glyphs.cbegin(); it != glyphs.cend(); ++it) {
        const Described& g = it.value();
        const QByteArray box = Levels(font, g);
        DecodedGlyph glyph{g.advance16 % 16 == 0 ? int(g.advance16 / 16) : -1,
                           QByteArray(w * h, '\0')};
        const int top = (font.lineHeight - font.baseLine) - g.ofsY - g.boxH;
        const bool inside = g.boxW * g.boxH == 0 ||
                            (g.ofsX >= 0 && top >= 0 && g.ofsX + g.boxW <= w && top + g.boxH <= h);
        if (box.size() != g.boxW * g.boxH || !inside) return {};
        for (int i = 0; i < box.size(); ++i)
            glyph.levels[(top + i / g.boxW) * w + g.ofsX + i % g.boxW] = box[i];
        out.insert(it.key(), glyph);
    }
    return out;
}

// ---- The C font ----

// The initialiser of `type name = { ... };` or `type name[] = ...`; the first of its type
// without a name.
QString Initialiser(const QString& source, const char* type, const QString& name = "\\w+") {
    const QRegularExpression re(
        QLatin1String(type) + "\\s+" + name + QStringLiteral("(\\[\\])?\\s*=\\s*\\{(.*?)\\};"),
        QRegularExpression::DotMatchesEverythingOption);
    return re.match(source).captured(2);
}

qint64 Number(const QString& text, bool* ok) {
    static const QMap<QString, qint64> names{{"NULL", 0},
                                             {"LV_FONT_FMT_TXT_PLAIN", 0},
                                             {"LV_FONT_FMT_TXT_COMPRESSED", 1},
                                             {"LV_FONT_FMT_TXT_CMAP_FORMAT0_TINY", 2},
                                             {"LV_FONT_FMT_TXT_CMAP_SPARSE_TINY", 3}};
    bool good = false;
    const qint64 value = text.trimmed().toLongLong(&good, 0);
    *ok = *ok && (good || names.contains(text.trimmed()));
    return good ? value : names.value(text.trimmed());
}

using Fields = QMap<QString, QString>;

Fields ParseFields(const QString& text) {
    static const QRegularExpression field(QStringLiteral("\\.(\\w+)\\s*=\\s*([^,}]+)"));
    Fields fields;
    for (auto it = field.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        fields.insert(m.captured(1), m.captured(2).trimmed());
    }
    return fields;
}

QVector<Fields> ParseStructs(const QString& text) {
    static const QRegularExpression entry(QStringLiteral("\\{([^{}]*)\\}"));
    QVector<Fields> list;
    for (auto it = entry.globalMatch(text); it.hasNext();)
        list.append(ParseFields(it.next().captured(1)));
    return list;
}

QVector<qint64> ParseNumbers(const QString& text, bool* ok) {
    QVector<qint64> numbers;
    for (const QString& item : text.split(QLatin1Char(','), Qt::SkipEmptyParts))
        if (!item.trimmed().isEmpty()) numbers.append(Number(item, ok));
    return numbers;
}

// ---- The binary font ----

template <typename T>
T At(const QByteArray& file, qint64 offset, bool* ok) {
    if (offset < 0 || offset + qint64(sizeof(T)) > file.size()) {
        *ok = false;
        return T(0);
    }
    return qFromLittleEndian<T>(file.constData() + offset);
}

qint64 Table(const QByteArray& file, qint64 start, const char* tag, bool* ok) {
    if (file.mid(int(start) + 4, 4) != tag) *ok = false;
    return At<quint32>(file, start, ok);
}

}  // namespace

DecodedFont ReadLvglCForTest(const QByteArray& cSource, int w, int h) {
    static const QRegularExpression comments(QStringLiteral("/\\*.*?\\*/"),
                                             QRegularExpression::DotMatchesEverythingOption);
    const QString source = QString::fromUtf8(cSource).remove(comments);
    bool ok = true;
    const auto number = [&ok](const Fields& fields, const char* name) {
        return Number(fields.value(QLatin1String(name)), &ok);
    };
    const Fields dsc = ParseFields(Initialiser(source, "lv_font_fmt_txt_dsc_t"));
    const Fields lvFont = ParseFields(Initialiser(source, "lv_font_t"));
    Decoder font{QByteArray(), number(dsc, "bitmap_format") != 0, int(number(dsc, "bpp")),
                 int(number(lvFont, "line_height")), int(number(lvFont, "base_line"))};
    for (qint64 byte : ParseNumbers(Initialiser(source, "uint8_t"), &ok))
        font.bitmap.append(char(byte));

    const QVector<Fields> descs = ParseStructs(Initialiser(source, "lv_font_fmt_txt_glyph_dsc_t"));
    QVector<Cmap> cmaps;
    for (const Fields& fields : ParseStructs(Initialiser(source, "lv_font_fmt_txt_cmap_t"))) {
        const qint64 type = number(fields, "type");
        cmaps.append(
            {number(fields, "range_start"), number(fields, "range_length"),
             number(fields, "glyph_id_start"), type == 2,
             ParseNumbers(Initialiser(source, "uint16_t", fields.value("unicode_list")), &ok)});
        if (type != 2 &&
            (type != 3 || cmaps.last().offsets.size() != number(fields, "list_length")))
            return {};
    }
    if (cmaps.size() != number(dsc, "cmap_num")) return {};

    const auto byNumber = [&](qint64 id) {
        if (id <= 0 || id >= descs.size()) return Described();
        const auto n = [&](const char* name) { return int(number(descs[int(id)], name)); };
        return Described{
            n("adv_w"), n("ofs_x"), n("ofs_y"), n("box_w"), n("box_h"), 8 * n("bitmap_index"), id};
    };
    const DecodedFont out = Draw(font, cmaps, byNumber, w, h);
    return ok ? out : DecodedFont();
}

DecodedFont ReadLvglBinForTest(const QByteArray& file, int w, int h) {
    bool ok = true;
    const auto byte = [&](qint64 at) { return int(At<quint8>(file, at, &ok)); };
    const qint64 cmapStart = Table(file, 0, "head", &ok);
    const int ascent = At<quint16>(file, 16, &ok), descent = At<qint16>(file, 18, &ok);
    const int defaultAdvance = At<quint16>(file, 30, &ok), advanceBits = byte(40);
    const int locaFormat = byte(34), advanceFormat = byte(36), xyBits = byte(38), whBits = byte(39);
    const Decoder font{file, byte(41) != 0, byte(37), ascent - descent, -descent};

    const qint64 locaStart = cmapStart + Table(file, cmapStart, "cmap", &ok);
    const qint64 glyfStart = locaStart + Table(file, locaStart, "loca", &ok);
    Table(file, glyfStart, "glyf", &ok);
    const quint32 glyphCount = At<quint32>(file, locaStart + 8, &ok);
    // Glyph numbers take 16 bits only where one byte cannot hold them all.
    if (byte(35) != (glyphCount > 256 ? 1 : 0)) return {};
    QVector<Cmap> cmaps(ok ? int(At<quint32>(file, cmapStart + 8, &ok)) : 0);
    for (int c = 0; ok && c < cmaps.size(); ++c) {
        const qint64 sub = cmapStart + 12 + 16 * qint64(c);
        const qint64 data = cmapStart + At<quint32>(file, sub, &ok);
        const int entries = At<quint16>(file, sub + 12, &ok);
        const int type = byte(sub + 14);
        Cmap& cmap = cmaps[c];
        cmap = {At<quint32>(file, sub + 4, &ok), At<quint16>(file, sub + 8, &ok),
                At<quint16>(file, sub + 10, &ok), type == 2, QVector<qint64>()};
        if (type != 2 && type != 3) return {};
        for (int i = 0; type == 3 && i < entries; ++i)
            cmap.offsets.append(At<quint16>(file, data + 2 * i, &ok));
    }
    if (!ok) return {};

    const auto byNumber = [&](qint64 id) {
        if (id <= 0 || id >= glyphCount) return Described();
        const qint64 entry = locaStart + 12 + id * (locaFormat ? 4 : 2);
        const qint64 at = glyfStart + (locaFormat ? qint64(At<quint32>(file, entry, &ok))
                                                  : qint64(At<quint16>(file, entry, &ok)));
        Bits bits{file, 8 * at};
        const qint64 advance = advanceBits ? bits.Take(advanceBits) : uint(defaultAdvance);
        // In the order of the record: offsets, then box (a braced list is read left to right).
        Described g{advance * (advanceFormat == 0 ? 16 : 1), bits.TakeSigned(xyBits),
                    bits.TakeSigned(xyBits), int(bits.Take(whBits)), int(bits.Take(whBits))};
        g.bitmapBit = bits.pos;
        g.number = bits.failed ? -1 : id;
        return g;
    };
    const DecodedFont out = Draw(font, cmaps, byNumber, w, h);
    return ok ? out : DecodedFont();
}
